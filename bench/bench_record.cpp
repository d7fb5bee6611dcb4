// The learner's record: how long storing a run takes (a two-minute course run
// is about 120 characters; a reception-test answer is a run of one), opening
// a large record, and exporting and importing 100 000 answers.
//
//   bench_record [--runs N] [--dir FOLDER]
//
// FOLDER (default: a temporary folder) should be on the disk that holds the
// user's data folder: every run is synced to it.

#include "record/record.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

record::Run run(int answers, const QDateTime &when)
{
    record::Run r;
    r.when = when;
    r.kind = record::Kind::Course;
    r.charWpm = 20;
    r.effectiveWpm = 10;
    r.lesson = 12;
    for (int i = 0; i < answers; ++i) {
        record::Answer a;
        a.when = when.addMSecs(1000 * i);
        a.sent = QString(QChar(u'A' + i % 26));
        a.answered = i % 7 == 0 ? QStringLiteral("E") : a.sent;
        a.right = i % 7 != 0;
        a.answerMs = 250 + i % 400;
        r.sent += a.sent;
        r.typed += a.answered;
        r.answers.append(a);
    }
    r.accuracy = 85.7;
    return r;
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

// Stores count runs of answers each and prints the median and worst time.
bool storeRuns(record::Record &rec, int count, int answers, const QDateTime &from)
{
    std::vector<qint64> times;
    times.reserve(std::size_t(count));
    QElapsedTimer t;
    for (int i = 0; i < count; ++i) {
        const record::Run r = run(answers, from.addSecs(600 * i));
        t.start();
        if (!rec.store(r))
            return false;
        times.push_back(t.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    std::printf("store a run of %3d answers: median %7.3f ms, worst %7.3f ms (%d runs)\n", answers,
                ms(times[times.size() / 2]), ms(times.back()), count);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Runs stored for the insert times."),
                                        QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Folder for the records (a temporary one)."),
                                       QStringLiteral("FOLDER"));
    parser.addOptions({runsOption, dirOption});
    parser.process(app);
    const int runs = std::max(1, parser.value(runsOption).toInt());
    std::unique_ptr<QTemporaryDir> temporary;
    QString folder = parser.value(dirOption);
    if (folder.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>();
        folder = temporary->path();
    } else {
        temporary =
            std::make_unique<QTemporaryDir>(folder + QStringLiteral("/bench_record-XXXXXX"));
        folder = temporary->path();
    }
    const QDateTime start(QDate(2026, 1, 1), QTime(9, 0), Qt::UTC);
    QElapsedTimer t;

    {
        record::Record rec;
        if (!rec.open(folder + QStringLiteral("/inserts.sqlite")))
            return 1;
        if (!storeRuns(rec, runs, 120, start) || !storeRuns(rec, runs, 1, start.addYears(1)))
            return 1;
    }

    // 100 000 answers: 1000 runs of 100.
    const QString big = folder + QStringLiteral("/big.sqlite");
    {
        record::Record rec;
        if (!rec.open(big))
            return 1;
        for (int i = 0; i < 1000; ++i) {
            if (!rec.store(run(100, start.addSecs(600 * i))))
                return 1;
        }
    }
    record::Record rec;
    t.start();
    if (!rec.open(big))
        return 1;
    std::printf("open a record of 100000 answers (with its check): %.1f ms\n",
                ms(t.nsecsElapsed()));
    t.start();
    const int read = int(rec.answers().size());
    std::printf("read all %d answers: %.1f ms\n", read, ms(t.nsecsElapsed()));
    record::AnswerFilter last50;
    last50.lastPerCharacter = 50;
    t.start();
    const int recent = int(rec.answers(last50).size());
    std::printf("read the newest 50 of each character (%d answers): %.1f ms\n", recent,
                ms(t.nsecsElapsed()));

    const QString csv = folder + QStringLiteral("/answers.csv");
    QString error;
    t.start();
    if (!rec.exportCsv(csv, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("export 100000 answers: %.1f ms (%lld bytes)\n", ms(t.nsecsElapsed()),
                static_cast<long long>(QFileInfo(csv).size()));

    record::Record fresh;
    if (!fresh.open(folder + QStringLiteral("/fresh.sqlite")))
        return 1;
    t.start();
    record::ImportResult r = fresh.importCsv(csv);
    std::printf("import 100000 answers into an empty record: %.1f ms (%d added)\n",
                ms(t.nsecsElapsed()), r.added);
    t.start();
    r = fresh.importCsv(csv);
    std::printf("import them again, all present: %.1f ms (%d added, %d present)\n",
                ms(t.nsecsElapsed()), r.added, r.present);
    return r.ok ? 0 : 1;
}
