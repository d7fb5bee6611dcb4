// The course as the learner hears it. Every run starts the program afresh
// (offscreen, English stored in a private settings folder, the real
// windows), opens the practice window at its course page as --course does,
// sets the speeds, presses Alt+S (Start) and records the output stream
// through SDL's disk driver until the run is over; then every mark and space
// of the recording is measured (marktiming) against the PARIS/Farnsworth
// timing of the groups played, worked out here on its own, and, at speeds it
// reads, multimon-ng's MORSE_CW is asked what it hears (through sox).
//
//   bench_course_stream [--pairs 20/5,20/10,25/4,30/30,40/15] [--dir DIR] [--keep]
//                       [--no-decoder] [--verbose]
//   bench_course_stream --measure C S RAW GROUPS...
//
// The second form measures a recording made elsewhere (the program run by
// hand, say, or under Xvfb with xdotool keys) of the groups given, at the
// tone and volume the stored settings give; it prints expected, found and
// aligned marks, 1 when they pair, and the worst mark, space and start
// errors.
//
// A run lasts a minute (the course's shortest), in real time. Errors are in
// samples at 96000 Hz; the target is 2 at most.

#include "app/escolhaidioma.h"
#include "app/janelas.h"
#include "app/tfmorse.h"
#include "bench/marktiming.h"
#include "bench/stream.h"
#include "course/coursepage.h"
#include "course/coursesettings.h"
#include "course/keyedrunplayer.h"
#include "course/runkeyer.h"
#include "morse/morsetext.h"
#include "platform/settingsstore.h"
#include "platform/sounddevice.h"
#include "sound/tonewave.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

// The recording raw of groups played at (c, s) measured: one line of figures,
// the groups last.
int measured(const QString &raw, int c, int s, const QStringList &played,
             const course::RunSpec &spec)
{
    const std::vector<float> samples = stream::read(raw);
    const MorseText text = MorseText::parse(played.join(QLatin1Char(' ')));
    const double gain = double(course::RunKeyer::volumeWord(spec) & 0xFFFFu) / 65535.0;
    const std::vector<std::int16_t> carrier =
        ToneWave::Samples(spec.waveform, std::int16_t(spec.hertz), 4 * stream::Rate);
    const marktiming::Channel left{samples.data(), std::int64_t(samples.size() / 2), 2};
    const marktiming::Comparison r =
        marktiming::compare(marktiming::measure(left, carrier, gain / 32768.0),
                            marktiming::standard(text, c, s, stream::Rate));
    std::printf("%d %d %d %d %.3f %.3f %.3f %d %s\n", r.expected, r.found, r.aligned,
                r.error.isEmpty(), r.maxMarkError, r.maxSpaceError, r.maxStartError, spec.hertz,
                qPrintable(played.join(QLatin1Char(' '))));
    return 0;
}

// One run in this process: the program's windows, a run from the course
// page, the recording measured. Prints one line of figures, the text last.
// With the groups given, only measures a recording of them made elsewhere,
// at the tone the stored settings give.
int child(int &argc, char **argv, int c, int s, const QString &raw, const QStringList &given)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zirvano"));
    course::CourseSettings settings = course::CourseSettings::load();
    settings.charWpm = c;
    settings.effectiveWpm = s;
    settings.minutes = 1;
    try {
        settings.save();
    } catch (const platform::SettingsError &e) {
        std::fprintf(stderr, "bench_course_stream: %s\n", e.what());
        return 1;
    }

    QStringList played;
    course::RunSpec spec;
    const Janelas janelas;
    const auto tone = [&spec] {
        spec.hertz = fMorse->Frequencia();
        spec.leftVolume = fMorse->VolumeEsquerdo();
        if (const TGeraSom *g = fMorse->Gerador())
            spec.waveform = g->Waveform();
    };
    if (!given.isEmpty()) {
        played = given;
        tone();
        return measured(raw, c, s, played, spec);
    }
    janelas.AbrePratica(course::PracticePage::Course);
    QTimer::singleShot(500, fMorse, [&, tone] {
        auto *page = fPratica ? fPratica->findChild<course::CoursePage *>() : nullptr;
        auto *player = fMorse->findChild<course::KeyedRunPlayer *>();
        if (page == nullptr || player == nullptr) {
            std::fprintf(stderr, "bench_course_stream: no course page or player\n");
            QCoreApplication::exit(1);
            return;
        }
        QObject::connect(player, &course::RunPlayer::finished, fMorse,
                         [&, player](const QStringList &groups) {
                             played = groups;
                             player->sequence().waitUntilIdle();
                             // Closing the device writes the disk driver's last buffers.
                             platform::SoundDevice::instance().shutdown();
                             QCoreApplication::exit(0);
                         });
        // The window system of the offscreen platform activates no window.
        QApplication::setActiveWindow(fPratica);
        QTest::keyClick(page, 's', Qt::AltModifier);
        // The button shows itself pressed for a moment, then clicks.
        QTimer::singleShot(2000, page, [page] {
            if (page->state() == course::CoursePage::State::Idle) {
                std::fprintf(stderr, "bench_course_stream: Alt+S started no run\n");
                QCoreApplication::exit(1);
            }
        });
        tone();
    });
    if (QApplication::exec() != 0 || played.isEmpty())
        return 1;

    return measured(raw, c, s, played, spec);
}

// What multimon-ng reads in the recording's left channel.
QString decode(const QString &raw, int c)
{
    QProcess sox, multimon;
    sox.setStandardOutputProcess(&multimon);
    sox.start(QStringLiteral("sox"),
              {"-t",    "raw", "-r",  "96000", "-e", "floating-point", "-b", "32", "-c", "2", raw,
               "-t",    "raw", "-r",  "22050", "-e", "signed",         "-b", "16", "-c", "1", "-",
               "remix", "1",   "pad", "0",     "1"});
    multimon.start(QStringLiteral("multimon-ng"),
                   {"-t", "raw", "-a", "MORSE_CW", "-d", QString::number(1200 / c), "-"});
    sox.waitForFinished(120000);
    multimon.waitForFinished(120000);
    QString text;
    for (const QString &line : QString::fromUtf8(multimon.readAllStandardOutput()).split(u'\n'))
        if (!line.startsWith(QLatin1String("Enabled demodulators")))
            text += line;
    return text.simplified();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 5 && (QByteArray(argv[1]) == "--child" || QByteArray(argv[1]) == "--measure")) {
        QStringList given;
        for (int i = 5; i < argc; ++i)
            given << QString::fromLocal8Bit(argv[i]).split(u' ', Qt::SkipEmptyParts);
        if (QByteArray(argv[1]) == "--measure" && given.isEmpty()) {
            std::fprintf(stderr, "bench_course_stream: --measure needs the groups played\n");
            return 2;
        }
        return child(argc, argv, QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt(),
                     QString::fromLocal8Bit(argv[4]), given);
    }
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const auto option = [&](const char *name, const QString &fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const QStringList pairs =
        option("--pairs", QStringLiteral("20/5,20/10,25/4,30/30,40/15")).split(QLatin1Char(','));
    const bool keep = args.contains(QLatin1String("--keep"));
    const bool verbose = args.contains(QLatin1String("--verbose"));
    const bool decoder = !args.contains(QLatin1String("--no-decoder")) &&
                         !QStandardPaths::findExecutable(QStringLiteral("sox")).isEmpty() &&
                         !QStandardPaths::findExecutable(QStringLiteral("multimon-ng")).isEmpty();
    QTemporaryDir temporary;
    const QString dir = option("--dir", temporary.path());
    temporary.setAutoRemove(!keep);

    // Every run starts as a learner's trainer that has English stored.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    try {
        platform::SettingsStore key;
        key.OpenKey(EscolhaIdioma::ChaveRegistro, true);
        key.WriteInteger(EscolhaIdioma::ValorIdioma, 2);
    } catch (const platform::SettingsError &e) {
        std::fprintf(stderr, "bench_course_stream: %s\n", e.what());
        return 1;
    }

    std::printf("A one-minute course run per pair of speeds, recorded from SDL's disk driver;\n"
                "errors in samples at 96000 Hz (max)\n\n");
    std::printf("%-7s %6s %9s %10s %10s %8s %s\n", "c/s", "marks", "mark err", "space err",
                "start err", "within 2", decoder ? "multimon-ng (up to 25 WPM)" : "");
    bool all = true;
    for (const QString &pair : pairs) {
        const int c = pair.section(QLatin1Char('/'), 0, 0).toInt();
        const int s = pair.section(QLatin1Char('/'), 1, 1).toInt();
        const QString raw = QDir(dir).filePath(QStringLiteral("course-%1-%2.raw").arg(c).arg(s));
        QFile::remove(raw);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("disk"));
        env.insert(QStringLiteral("SDL_DISKAUDIOFILE"), raw);
        env.insert(QStringLiteral("ZIRVANO_NO_MESSAGEBOX"), QStringLiteral("1"));
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--child"), QString::number(c), QString::number(s), raw});
        const bool ended = run.waitForFinished(5 * 60'000);
        const QStringList f =
            QString::fromUtf8(run.readAllStandardOutput()).simplified().split(u' ');
        if (!ended || run.exitCode() != 0 || f.size() < 9) {
            run.kill();
            run.waitForFinished();
            std::printf("%-7s the run failed: %s\n", qPrintable(pair),
                        run.readAllStandardError().constData());
            all = false;
            continue;
        }
        const int expected = f[0].toInt(), found = f[1].toInt(), aligned = f[2].toInt();
        const double mark = f[4].toDouble(), space = f[5].toDouble(), start = f[6].toDouble();
        const bool within = f[3] == QLatin1String("1") && aligned == expected && mark <= 2 &&
                            space <= 2 && start <= 2;
        all = all && within;
        const QString text = f.mid(8).join(QLatin1Char(' '));
        QString heard;
        if (decoder && c <= 25) {
            // It writes a space after every character.
            const QString read = decode(raw, c);
            heard = QString(read).remove(u' ') == QString(text).remove(u' ')
                        ? QStringLiteral("reads every character")
                        : QStringLiteral("reads \"%1\"").arg(read);
        }
        std::printf("%-7s %6s %9.3f %10.3f %10.3f %8s %s\n", qPrintable(pair),
                    qPrintable(QStringLiteral("%1/%2").arg(found).arg(expected)), mark, space,
                    start, within ? "yes" : "NO", qPrintable(heard));
        if (verbose)
            std::printf("        played: %s\n", qPrintable(text));
    }
    return all ? 0 : 1;
}
