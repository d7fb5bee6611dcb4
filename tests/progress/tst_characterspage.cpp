// The "My characters" page over a temporary record: the keys coloured by each
// character's last answers of every copying kind, the confusions listed, the
// drill's groups drawn by the weights and stored as a drill, the spaced
// review moved once per stored run and shown on the course page, the record
// out and back in through the page.

#include "../course/fakes.h"
#include "answers.h"
#include "app/errorguard.h"
#include "course/coursepage.h"
#include "course/reviewsettings.h"
#include "progress/charactermap.h"
#include "progress/characterspage.h"
#include "progress/drillpanel.h"
#include "progress/weakdrill.h"
#include "record/record.h"
#include "tests/ajustesfalsos.h"
#include "tests/ambiente.h"
#include "translations/translations.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace Qt::StringLiterals;
using progress::CharactersPage;
using progress::Grade;
using record::Kind;

Q_DECLARE_METATYPE(progress::Grade)

namespace {

// The course has reached lesson 4: K M U R E learned.
const QByteArray Settings = "[General]\nIdioma=2\nCursoLicaoAberta=4\nCursoGrupo=5\n";
const QStringList Learned{u"K"_s, u"M"_s, u"U"_s, u"R"_s, u"E"_s};
// K 10/10, M 8/10, U 5/10, R 0/10, E no answers: max(0.1, 1 - accuracy),
// and the weight of a character too little known.
const QList<double> Weights{0.1, 0.2, 0.5, 1.0, progress::WeakDrill::UnmeasuredWeight};
// Exceeded with probability 0.001 at 4 degrees of freedom.
constexpr double Critical4 = 18.467;

record::Run RunOf(Kind kind, const QList<record::Answer> &answers)
{
    record::Run run;
    run.kind = kind;
    run.when = answers.value(0).when;
    run.answers = answers;
    return run;
}

// A learner's answers: nothing came back for the misses of the learned
// characters, so none of them is confused with another and the drill's
// weights stay pure; six pairs among others are.
void Fill(record::Record &learner)
{
    // Each Maker call takes the next minutes, so each is a statement of its
    // own: the operands of + may be made in either order.
    answers::Maker make;
    QList<record::Answer> first = make.many(u"K"_s, 10, 10);
    first += make.many(u"U"_s, 4, 2, {});
    learner.store(RunOf(Kind::Course, first));
    make.kind = Kind::Reception;
    learner.store(RunOf(Kind::Reception, make.many(u"U"_s, 6, 3, {})));
    make.kind = Kind::Drill;
    QList<record::Answer> drill = make.many(u"M"_s, 10, 8, {});
    drill += make.many(u"R"_s, 10, 0, {});
    learner.store(RunOf(Kind::Drill, drill));
    make.kind = Kind::Course;
    // A's 50 old misses fall out of its window of 50.
    QList<record::Answer> outgrown = make.many(u"A"_s, 50, 0, {});
    outgrown += make.many(u"A"_s, 50, 50);
    learner.store(RunOf(Kind::Course, outgrown));
    QList<record::Answer> confused = make.many(u"5"_s, 7, 0, u"H"_s);
    confused += make.many(u"4"_s, 5, 0, u"V"_s);
    confused += make.many(u"6"_s, 4, 0, u"B"_s);
    confused += make.many(u"S"_s, 3, 0, u"H"_s);
    confused += make.many(u"9"_s, 2, 0, u"0"_s);
    confused += make.many(u"1"_s, 1, 0, u"J"_s);
    confused += make.many(u"N"_s, 9, 9);
    learner.store(RunOf(Kind::Course, confused));
    // Sending is shown apart: it colours nothing.
    make.kind = Kind::Sending;
    learner.store(RunOf(Kind::Sending, make.many(u"T"_s, 20, 0, {})));
}

int IndexOf(const progress::CharacterMap &map, const QString &c)
{
    for (int i = 0; i < map.keys().size(); ++i)
        if (map.keys().at(i).character == c)
            return i;
    return -1;
}

double ChiSquare(const QList<int> &counts, const QList<double> &weights)
{
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    const int draws = std::accumulate(counts.begin(), counts.end(), 0);
    double chi = 0;
    for (int i = 0; i < counts.size(); ++i) {
        const double expected = draws * weights.at(i) / total;
        chi += (counts.at(i) - expected) * (counts.at(i) - expected) / expected;
    }
    return chi;
}

} // namespace

class TstCharactersPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    AjustesFalsos main;
    FakePlayer player;
    std::unique_ptr<record::Record> learner;
    std::unique_ptr<CharactersPage> page;

    void Open(bool filled = true)
    {
        page.reset();
        learner.reset();
        folder = std::make_unique<QTemporaryDir>();
        ambiente::Configura(*folder, Settings);
        learner = std::make_unique<record::Record>();
        QVERIFY(learner->open(folder->filePath(u"record.sqlite"_s)));
        if (filled)
            Fill(*learner);
        page = std::make_unique<CharactersPage>(&main, &player, learner.get());
        page->show();
        LimpaUltimoErro();
    }

private slots:
    void initTestCase() { Translations::apply(2); }
    void cleanup() { Translations::apply(2); }

    void keysColouredFromTheRecord_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<Grade>("grade");
        QTest::newRow("course, all right") << u"K"_s << Grade::Green;
        QTest::newRow("drill, 80 %") << u"M"_s << Grade::Amber;
        QTest::newRow("course and reception, 50 %") << u"U"_s << Grade::Red;
        QTest::newRow("last 50 only") << u"A"_s << Grade::Green;
        QTest::newRow("9 answers") << u"N"_s << Grade::Unknown;
        QTest::newRow("sending apart") << u"T"_s << Grade::Unknown;
        QTest::newRow("never heard") << u"E"_s << Grade::Unknown;
    }
    void keysColouredFromTheRecord()
    {
        QFETCH(QString, character);
        QFETCH(Grade, grade);
        Open();
        const int key = IndexOf(*page->map, character);
        QVERIFY(key >= 0);
        QCOMPARE(page->map->grade(key), grade);
        // Selecting the key says its sentence beside the map.
        QVERIFY(page->map->selectCharacter(character));
        QVERIFY2(page->info->text().startsWith(page->statistics().sentence(character)),
                 qPrintable(page->info->text()));
        QCOMPARE(page->statistics().copying(character).grade, grade);
    }

    // A run stored while the page is open colours its keys at once; a hidden
    // page catches up when shown.
    void followsTheRecord()
    {
        Open(false);
        const int e = IndexOf(*page->map, u"E"_s);
        answers::Maker make;
        make.when = QDateTime::currentDateTimeUtc();
        learner->store(RunOf(Kind::Course, make.many(u"E"_s, 10, 6, u"I"_s)));
        QCOMPARE(page->map->grade(e), Grade::Red);
        page->hide();
        learner->store(RunOf(Kind::Reception, make.many(u"E"_s, 30, 30)));
        QCOMPARE(page->map->grade(e), Grade::Red);
        page->show();
        QCOMPARE(page->map->grade(e), Grade::Green);
        page->map->selectCharacter(u"E"_s);
        QVERIFY2(page->info->text().startsWith(u"E 90 %, heard as I x4"_s),
                 qPrintable(page->info->text()));
    }

    void fiveConfusionsMostFrequentFirst()
    {
        Open();
        QStringList shown;
        for (int i = 0; i < page->confusions->count(); ++i)
            shown << page->confusions->item(i)->text();
        QCOMPARE(shown,
                 (QStringList{u"5 and H: 7 times"_s, u"4 and V: 5 times"_s, u"6 and B: 4 times"_s,
                              u"H and S: 3 times"_s, u"0 and 9: 2 times"_s}));
        // In another language at once, counted in its own plural.
        Translations::apply(0);
        QTRY_COMPARE(page->windowTitle(), u"&Meus caracteres"_s);
        QCOMPARE(page->confusions->item(0)->text(), u"5 e H: 7 vezes"_s);
        QCOMPARE(page->drill->drillButton->text(), u"Treinar meus caracteres &fracos"_s);
        Translations::apply(1);
        QTRY_COMPARE(page->confusions->item(0)->text(), u"5 y H: 7 veces"_s);
        Translations::apply(2);
        QTRY_COMPARE(page->windowTitle(), u"&My characters"_s);
        Open(false);
        QCOMPARE(page->confusions->count(), 1);
        QCOMPARE(page->confusions->item(0)->text(), u"No characters confused yet."_s);
    }

    // The drill plays the lessons reached, each character as often as its
    // weight says, at the course's speeds.
    void drillFollowsTheWeights()
    {
        Open();
        page->drill->setSeed(7);
        QTest::mouseClick(page->drill->drillButton, Qt::LeftButton);
        QCOMPARE(player.starts, 1);
        QCOMPARE((QList<double>{player.spec.charWpm, player.spec.effectiveWpm}),
                 (QList<double>{20, 10}));
        QList<int> counts(Learned.size(), 0);
        int drawn = 0;
        while (drawn < 10000) {
            const QString group = player.pull(1).value(0);
            QCOMPARE(group.size(), 5);
            for (const QChar c : group) {
                const int i = Learned.indexOf(QString(c));
                QVERIFY2(i >= 0, qPrintable(group));
                ++counts[i];
                ++drawn;
            }
        }
        const double chi = ChiSquare(counts, Weights);
        QVERIFY2(chi < Critical4, qPrintable(QString::number(chi)));
        // The same counts tell apart a drill that ignored the record.
        QVERIFY(ChiSquare(counts, QList<double>(Learned.size(), 1.0)) > Critical4);
        page->drill->stop();
    }

    // A drill typed all right is stored as one; the characters heard ten
    // times or more in it move up a box, the others wait, and the course
    // page says which are due. A later run leaves the drill's boxes alone.
    void drillStoredAndReviewed()
    {
        Open();
        const course::ReviewSettings before = course::ReviewSettings::load();
        QCOMPARE(before.review.entry(u"K"_s).lastReview, answers::Start.toLocalTime().date());
        page->drill->setSeed(11);
        page->drill->start();
        const QStringList played = player.play(30);
        QCOMPARE(page->drill->state(), progress::DrillPanel::State::Typing);
        QTest::keyClicks(page->drill->copyEdit, played.join(u' ').toLower());
        QTest::keyClick(page->drill->copyEdit, Qt::Key_Return);
        QCOMPARE(page->drill->state(), progress::DrillPanel::State::Idle);
        QVERIFY(page->drill->status->text().startsWith(u"Drill scored: 100 % right."_s));
        const QList<record::Run> drills =
            learner->runs(Kind::Drill, QDateTime::currentDateTimeUtc().addSecs(-60));
        QCOMPARE(drills.size(), 1);
        QCOMPARE(drills[0].sent, played.join(u' '));

        // The record's older runs were applied when the page first read it.
        const QString sent = played.join(QString());
        const QDate today = QDate::currentDate();
        const course::ReviewSettings after = course::ReviewSettings::load();
        QStringList due;
        for (const QString &c : Learned) {
            const bool reviewed = sent.count(c) >= progress::LeitnerReview::MinAnswers;
            const progress::LeitnerReview::Entry e = after.review.entry(c);
            QCOMPARE(e.box, std::min(before.review.box(c) + (reviewed ? 1 : 0), 5));
            QCOMPARE(e.lastReview, reviewed ? today : before.review.entry(c).lastReview);
            if (!reviewed)
                due << c;
        }
        QVERIFY(!due.isEmpty() && due.size() < Learned.size());
        course::CoursePage coursePage(&main, nullptr, nullptr, nullptr);
        QCOMPARE(coursePage.dueLabel->text(), u"Due for review today: %1"_s.arg(due.join(u", "_s)));

        answers::Maker make;
        make.when = QDateTime::currentDateTimeUtc();
        learner->store(RunOf(Kind::Course, make.many(u"K"_s, 2, 2)));
        QCOMPARE(course::ReviewSettings::load().review.toString(), after.review.toString());
    }

    // Exported through the page, the record goes into another learner's
    // record whole and only once; a damaged file changes nothing.
    void importMergesWithoutDuplicates()
    {
        Open();
        const QString file = folder->filePath(u"out.csv"_s);
        page->chooseExportFile = [file] { return file; };
        QTest::mouseClick(page->exportButton, Qt::LeftButton);
        QVERIFY(UltimoErro().isEmpty());
        const int total = int(learner->answers().size());

        QTemporaryDir other;
        record::Record second;
        QVERIFY(second.open(other.filePath(u"record.sqlite"_s)));
        answers::Maker make;
        second.store(RunOf(Kind::Course, make.many(u"K"_s, 10, 10)));
        CharactersPage into(&main, nullptr, &second);
        into.show();
        into.chooseImportFile = [file] { return file; };
        const int k = IndexOf(*into.map, u"K"_s);
        const int r = IndexOf(*into.map, u"R"_s);
        QCOMPARE(into.map->grade(r), Grade::Unknown);
        QTest::mouseClick(into.importButton, Qt::LeftButton);
        QCOMPARE(into.recordStatus->text(),
                 u"out.csv: %1 answers read, %2 added, 10 already present."_s.arg(total).arg(total -
                                                                                             10));
        QCOMPARE(into.map->grade(r), Grade::Red);
        QCOMPARE(into.map->grade(k), Grade::Green);
        into.importRecord();
        QCOMPARE(into.recordStatus->text(),
                 u"out.csv: %1 answers read, 0 added, %1 already present."_s.arg(total));
        QCOMPARE(int(second.answers().size()), total);

        QFile damaged(other.filePath(u"damaged.csv"_s));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("this is no record\n1,2,3\n");
        damaged.close();
        into.chooseImportFile = [&damaged] { return damaged.fileName(); };
        into.importRecord();
        QVERIFY(UltimoErro().startsWith(u"The record could not be imported"_s));
        QCOMPARE(int(second.answers().size()), total);
        LimpaUltimoErro();
        into.chooseExportFile = [&other] { return other.filePath(u"no/such/folder/x.csv"_s); };
        into.exportRecord();
        QVERIFY(UltimoErro().startsWith(u"The record could not be exported"_s));
    }
};

QTEST_MAIN(TstCharactersPage)
#include "tst_characterspage.moc"
