#include "app/commandline.h"
#include "morse/morserenderer.h"
#include "morse/morsetext.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtEndian>
#include <QtTest>

namespace {

using Action = CommandLine::Action;

CommandLine read(const QStringList &arguments)
{
    return CommandLine(QStringList{QStringLiteral("zirvano")} + arguments);
}

// The program as a script runs it: no display of any kind.
struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run zirvano(const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ZIRVANO_PROGRAM), arguments);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

// The command line read into an action, and the program run from scripts.
class TstCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void actions_data();
    void actions();
    void exportRequest_data();
    void exportRequest();
    void errors_data();
    void errors();
    void helpListsEveryOption();
    void exportsWithoutADisplay();
    void badArgumentsExitWithStatusTwo_data();
    void badArgumentsExitWithStatusTwo();
    void unwritableFileNamedWithStatusOne();
};

void TstCommandLine::actions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("recordFile");
    QTest::newRow("none") << QStringList{} << int(Action::Window) << "";
    QTest::newRow("course") << QStringList{"--course"} << int(Action::Course) << "";
    QTest::newRow("send") << QStringList{"--send"} << int(Action::Send) << "";
    QTest::newRow("record") << QStringList{"--export-record", "r.csv"} << int(Action::ExportRecord)
                            << "r.csv";
    QTest::newRow("record, =") << QStringList{"--export-record=my record.csv"}
                               << int(Action::ExportRecord) << "my record.csv";
    QTest::newRow("help") << QStringList{"--help"} << int(Action::Help) << "";
    QTest::newRow("-h") << QStringList{"-h"} << int(Action::Help) << "";
    QTest::newRow("version") << QStringList{"--version"} << int(Action::Version) << "";
    QTest::newRow("Qt's window options pass")
        << QStringList{"-platform", "offscreen", "-reverse"} << int(Action::Window) << "";
    QTest::newRow("course with Qt's options")
        << QStringList{"--style", "Fusion", "--course"} << int(Action::Course) << "";
}

void TstCommandLine::actions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, recordFile);
    const CommandLine c = read(arguments);
    QVERIFY2(c.error().isEmpty(), qPrintable(c.error()));
    QCOMPARE(int(c.action()), action);
    QCOMPARE(c.recordFile(), recordFile);
}

void TstCommandLine::exportRequest_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("wpm");
    QTest::addColumn<int>("effective");
    QTest::addColumn<int>("tone");
    QTest::addColumn<double>("extra");
    QTest::addColumn<int>("waveform");
    QTest::addColumn<bool>("soft");
    QTest::addColumn<QString>("text");
    QTest::newRow("defaults") << QStringList{"--export", "a.wav", "paris"} << 20 << 20 << 700 << 0.0
                              << int(tgSine) << true << "paris";
    QTest::newRow("effective defaults to the character speed")
        << QStringList{"--export", "a.wav", "--wpm", "35", "CQ"} << 35 << 35 << 700 << 0.0
        << int(tgSine) << true << "CQ";
    QTest::newRow("all given, words joined")
        << QStringList{"--export",
                       "a.wav",
                       "--wpm",
                       "25",
                       "--effective-wpm",
                       "4",
                       "--tone",
                       "3000",
                       "--waveform",
                       "Sawtooth",
                       "--raw-edges",
                       "--extra-word-gap",
                       "1.5",
                       "CQ",
                       "DE",
                       "<AR>"}
        << 25 << 4 << 3000 << 1.5 << int(tgSawtooth) << false << "CQ DE <AR>";
    QTest::newRow("lowest") << QStringList{"--export=a.wav",     "--wpm=5",
                                           "--effective-wpm=4",  "--tone=20",
                                           "--extra-word-gap=0", "E"}
                            << 5 << 4 << 20 << 0.0 << int(tgSine) << true << "E";
    QTest::newRow("effective equal to the character speed")
        << QStringList{"--export", "a.wav", "--wpm", "60", "--effective-wpm", "60", "E"} << 60 << 60
        << 700 << 0.0 << int(tgSine) << true << "E";
}

void TstCommandLine::exportRequest()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, wpm);
    QFETCH(int, effective);
    QFETCH(int, tone);
    QFETCH(double, extra);
    QFETCH(int, waveform);
    QFETCH(bool, soft);
    QFETCH(QString, text);
    const CommandLine c = read(arguments);
    QVERIFY2(c.error().isEmpty(), qPrintable(c.error()));
    QCOMPARE(c.action(), Action::Export);
    const CommandLine::ExportRequest &e = c.exportRequest();
    QCOMPARE(e.file, QStringLiteral("a.wav"));
    QCOMPARE(e.wpm, wpm);
    QCOMPARE(e.effectiveWpm, effective);
    QCOMPARE(e.tone, tone);
    QCOMPARE(e.extraWordGap, extra);
    QCOMPARE(int(e.waveform), waveform);
    QCOMPARE(e.softEdges, soft);
    QCOMPARE(e.text, text);
}

void TstCommandLine::errors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString x = QStringLiteral("--export");
    const QString f = QStringLiteral("a.wav");
    QTest::newRow("unknown option") << QStringList{"--wpn", "20"} << "Unknown option 'wpn'";
    QTest::newRow("missing value") << QStringList{x} << "Missing value after '--export'";
    QTest::newRow("wpm too low") << QStringList{x, f, "--wpm", "4", "E"}
                                 << "--wpm takes a whole number from 5 to 60, not \"4\"";
    QTest::newRow("wpm too high") << QStringList{x, f, "--wpm", "61", "E"} << "from 5 to 60";
    QTest::newRow("wpm not a number") << QStringList{x, f, "--wpm", "fast", "E"} << "\"fast\"";
    QTest::newRow("wpm not whole") << QStringList{x, f, "--wpm", "20.5", "E"} << "\"20.5\"";
    QTest::newRow("effective above wpm")
        << QStringList{x, f, "--wpm", "20", "--effective-wpm", "21", "E"} << "from 4 to 20";
    QTest::newRow("effective too low") << QStringList{x, f, "--effective-wpm", "3", "E"}
                                       << "--effective-wpm takes a whole number from 4 to 20";
    QTest::newRow("tone too low") << QStringList{x, f, "--tone", "19", "E"} << "from 20 to 3000";
    QTest::newRow("tone too high") << QStringList{x, f, "--tone", "3001", "E"} << "from 20 to 3000";
    QTest::newRow("extra gap too long")
        << QStringList{x, f, "--extra-word-gap", "2.5", "E"} << "seconds from 0 to 2, not \"2.5\"";
    QTest::newRow("extra gap negative")
        << QStringList{x, f, "--extra-word-gap", "-1", "E"} << "seconds from 0 to 2";
    QTest::newRow("extra gap not a number")
        << QStringList{x, f, "--extra-word-gap", "nan", "E"} << "seconds from 0 to 2";
    QTest::newRow("waveform unknown") << QStringList{x, f, "--waveform", "noise", "E"}
                                      << "sine, square, triangle or sawtooth, not \"noise\"";
    QTest::newRow("no text") << QStringList{x, f} << "--export needs a text to key.";
    QTest::newRow("blank text") << QStringList{x, f, " "} << "--export needs a text to key.";
    QTest::newRow("empty file name") << QStringList{x, "", "E"} << "--export needs a file name.";
    QTest::newRow("text that cannot be keyed")
        << QStringList{x, f, "CQ", "DE", "PY2@"} << "Character 10, \"@\", has no Morse code.";
    QTest::newRow("prosign left open") << QStringList{x, f, "<AR"} << "has no \">\"";
    QTest::newRow("speed without export")
        << QStringList{"--wpm", "20"} << "--wpm goes with --export";
    QTest::newRow("raw edges without export")
        << QStringList{"--raw-edges"} << "--raw-edges goes with --export";
    QTest::newRow("text without export") << QStringList{"PARIS"} << "Unexpected argument \"PARIS\"";
    QTest::newRow("two actions") << QStringList{"--course", "--send"} << "Choose one of";
    QTest::newRow("export and record")
        << QStringList{x, f, "--export-record", "r.csv", "E"} << "Choose one of";
    QTest::newRow("record without a name")
        << QStringList{"--export-record", ""} << "--export-record needs a file name.";
}

void TstCommandLine::errors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const CommandLine c = read(arguments);
    QCOMPARE(c.action(), Action::Error);
    QVERIFY2(c.error().contains(message), qPrintable(c.error()));
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(c.run(o, e), CommandLine::BadUsage);
    e.flush();
    QVERIFY(err.startsWith(QStringLiteral("zirvano: ") + c.error()));
    QVERIFY(err.contains(QStringLiteral("zirvano --help")));
    QVERIFY(out.isEmpty());
}

void TstCommandLine::helpListsEveryOption()
{
    const Run r = zirvano({QStringLiteral("--help")});
    QCOMPARE(r.status, 0);
    for (const char *option :
         {"--help", "--version", "--course", "--send", "--export <FILE.wav>", "--wpm <C>",
          "--effective-wpm <S>", "--tone <HZ>", "--extra-word-gap <SECONDS>", "--waveform <NAME>",
          "--raw-edges", "--export-record <FILE.csv>", "TEXT", "PARIS", "5 to 60", "20 to 3000",
          "<AR>"})
        QVERIFY2(r.out.contains(QLatin1String(option)), option);
    // Qt's own options for windows are accepted, not advertised.
    QVERIFY(!r.out.contains(QLatin1String("-platform")));
    QVERIFY(r.err.isEmpty());
    const Run v = zirvano({QStringLiteral("--version")});
    QCOMPARE(v.status, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^Zirvano \\d+\\.\\d+\\.\\d+\\n$"))
                 .match(v.out)
                 .hasMatch(),
             qPrintable(v.out));
}

// The file holds the samples the keyer renders for the same request.
void TstCommandLine::exportsWithoutADisplay()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cq.wav"));
    const Run r = zirvano({"--export", path, "--wpm", "22", "--effective-wpm", "9", "--tone", "650",
                           "cq", "de", "<BT>"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    QVERIFY(r.out.isEmpty() && r.err.isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    MorseRenderer renderer(MorseTiming(22, 9), 650, tgSine, true);
    const MorseRenderer::Block b = renderer.render(MorseText::parse(QStringLiteral("CQ DE <BT>")));
    QCOMPARE(bytes.size(), 44 + 2 * qsizetype(b.samples.size()));
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 24), 96000u);
    QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 22), quint16(1));
    for (std::size_t i = 0; i < b.samples.size(); ++i)
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * i), b.samples[i]);
}

void TstCommandLine::badArgumentsExitWithStatusTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << QStringList{"--speed", "20"} << "Unknown option 'speed'";
    QTest::newRow("speed out of range")
        << QStringList{"--export", "x.wav", "--wpm", "100", "E"} << "from 5 to 60";
    QTest::newRow("bad text") << QStringList{"--export", "x.wav", "CQ", "{"} << "\"{\"";
}

// Nothing is written, whatever the arguments ask for.
void TstCommandLine::badArgumentsExitWithStatusTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    for (QString &a : arguments)
        if (a == QLatin1String("x.wav"))
            a = dir.filePath(a);
    const Run r = zirvano(arguments);
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TstCommandLine::unwritableFileNamedWithStatusOne()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder.wav"));
    const Run r = zirvano({"--export", path, "E"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(path), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"
