#include "app/commandline.h"
#include "morse/morserenderer.h"
#include "morse/morsetext.h"
#include "record/record.h"
#include "tests/platform/childprocess.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtEndian>
#include <QtTest>

namespace {

using Action = CommandLine::Action;

// Arguments written as one line, split at blanks; "" stands for an empty one.
CommandLine read(const QString &line)
{
    QStringList arguments{QStringLiteral("zirvano")};
    for (const QString &a : line.split(u' ', Qt::SkipEmptyParts))
        arguments << (a == QLatin1String("\"\"") ? QString() : a);
    return CommandLine(arguments);
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
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit)
        r = {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
             QString::fromUtf8(p.readAllStandardError())};
    return r;
}

} // namespace

// The command line read into an action, and the program run from scripts.
class TstCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void actions_data();
    void actions();
    void errors_data();
    void errors();
    void helpListsEveryOption();
    void exportsWithoutADisplay();
    void failuresExitWithAStatus();
    void recordExportedWithoutADisplay();
};

// The tests that run the program skip where no child process can start
// (under qemu's user-mode emulation).
void TstCommandLine::init()
{
    static const QString porque = WhyNoChildProcess();
    const QByteArray teste = QTest::currentTestFunction();
    if (!porque.isEmpty() && teste != "actions" && teste != "errors")
        QSKIP(qPrintable(porque));
}

void TstCommandLine::actions_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("action");
    // For an export: "C/S HZ +EXTRA WAVEFORM EDGES|TEXT".
    QTest::addColumn<QString>("details");
    QTest::newRow("none") << "" << int(Action::Window) << "";
    QTest::newRow("course") << "--course" << int(Action::Course) << "";
    QTest::newRow("send") << "--send" << int(Action::Send) << "";
    QTest::newRow("record") << "--export-record r.csv" << int(Action::ExportRecord) << "r.csv";
    QTest::newRow("help") << "--help" << int(Action::Help) << "";
    QTest::newRow("version") << "-v" << int(Action::Version) << "";
    QTest::newRow("Qt's window options pass")
        << "-platform offscreen -reverse --style Fusion --course" << int(Action::Course) << "";
    QTest::newRow("export, defaults")
        << "--export a.wav paris" << int(Action::Export) << "20/20 700 +0 0 soft|paris";
    QTest::newRow("export, all given, words joined")
        << "--export a.wav --wpm 25 --effective-wpm 4 --tone 3000 --waveform Sawtooth "
           "--raw-edges --extra-word-gap 1.5 CQ DE <AR>"
        << int(Action::Export) << "25/4 3000 +1.5 3 raw|CQ DE <AR>";
    QTest::newRow("export, lowest")
        << "--export=a.wav --wpm=5 --effective-wpm=4 --tone=20 --extra-word-gap=0 E"
        << int(Action::Export) << "5/4 20 +0 0 soft|E";
    QTest::newRow("export, effective follows wpm")
        << "--export a.wav --wpm 60 E" << int(Action::Export) << "60/60 700 +0 0 soft|E";
}

void TstCommandLine::actions()
{
    QFETCH(QString, arguments);
    QFETCH(int, action);
    QFETCH(QString, details);
    const CommandLine c = read(arguments);
    QVERIFY2(c.error().isEmpty(), qPrintable(c.error()));
    QCOMPARE(int(c.action()), action);
    const CommandLine::ExportRequest &e = c.exportRequest();
    if (c.action() == Action::Export) {
        QCOMPARE(e.file, QStringLiteral("a.wav"));
        QCOMPARE(QStringLiteral("%1/%2 %3 +%4 %5 %6|%7")
                     .arg(e.wpm)
                     .arg(e.effectiveWpm)
                     .arg(e.tone)
                     .arg(e.extraWordGap)
                     .arg(int(e.waveform))
                     .arg(e.softEdges ? "soft" : "raw", e.text),
                 details);
    } else {
        QCOMPARE(c.recordFile(), details);
    }
}

void TstCommandLine::errors_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown option") << "--wpn 20"
                                    << "Unknown option 'wpn'";
    QTest::newRow("wpm too low") << "--export a.wav --wpm 4 E"
                                 << "--wpm takes a whole number from 5 to 60, not \"4\"";
    QTest::newRow("wpm not a number") << "--export a.wav --wpm 20.5 E"
                                      << "from 5 to 60, not \"20.5\"";
    QTest::newRow("effective above wpm") << "--export a.wav --wpm 20 --effective-wpm 21 E"
                                         << "--effective-wpm takes a whole number from 4 to 20";
    QTest::newRow("tone too low") << "--export a.wav --tone 19 E"
                                  << "from 20 to 3000";
    QTest::newRow("extra gap too long") << "--export a.wav --extra-word-gap 2.5 E"
                                        << "seconds from 0 to 2, not \"2.5\"";
    QTest::newRow("extra gap not a number") << "--export a.wav --extra-word-gap nan E"
                                            << "seconds from 0 to 2";
    QTest::newRow("waveform unknown") << "--export a.wav --waveform noise E"
                                      << "sine, square, triangle or sawtooth, not \"noise\"";
    QTest::newRow("no text") << "--export a.wav"
                             << "--export needs a text to key.";
    QTest::newRow("empty file name") << "--export \"\" E"
                                     << "--export needs a file name.";
    QTest::newRow("text that cannot be keyed") << "--export a.wav CQ DE PY2@"
                                               << "Character 10, \"@\", has no Morse code.";
    QTest::newRow("prosign left open") << "--export a.wav <AR"
                                       << "has no \">\"";
    QTest::newRow("speed without export") << "--wpm 20"
                                          << "--wpm goes with --export";
    QTest::newRow("text without export") << "PARIS"
                                         << "Unexpected argument \"PARIS\"";
    QTest::newRow("two actions") << "--course --send"
                                 << "Choose one of";
    QTest::newRow("record without a name") << "--export-record \"\""
                                           << "--export-record needs a file name.";
}

void TstCommandLine::errors()
{
    QFETCH(QString, arguments);
    QFETCH(QString, message);
    const CommandLine c = read(arguments);
    QCOMPARE(c.action(), Action::Error);
    QVERIFY2(c.error().contains(message), qPrintable(c.error()));
    QString out, err;
    QTextStream o(&out), e(&err);
    QCOMPARE(c.run(o, e), CommandLine::BadUsage);
    e.flush();
    QCOMPARE(err, QStringLiteral("zirvano: %1\nTry \"zirvano --help\".\n").arg(c.error()));
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
    for (std::size_t i = 0; i < b.samples.size(); ++i)
        QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * i), b.samples[i]);
}

// Bad arguments: status 2, a message, nothing written. A file that cannot be
// written: status 1, the file named.
void TstCommandLine::failuresExitWithAStatus()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.wav"));
    Run r = zirvano({"--export", path, "--wpm", "100", "E"});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QLatin1String("from 5 to 60")), qPrintable(r.err));
    r = zirvano({"--export", path, "CQ", "{"});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains(QLatin1String("\"{\"")), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());
    const QString missing = dir.filePath(QStringLiteral("no/such/folder.wav"));
    r = zirvano({"--export", missing, "E"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(missing), qPrintable(r.err));
}

void TstCommandLine::recordExportedWithoutADisplay()
{
    QTemporaryDir pasta;
    qputenv("XDG_DATA_HOME", QFile::encodeName(pasta.path()));
    const QString csv = pasta.filePath(QStringLiteral("out.csv"));
    {
        record::Record r;
        QVERIFY(r.open());
        const QDateTime t(QDate(2026, 12, 9), QTime(15, 30), Qt::UTC);
        QVERIFY(r.store({0,
                         t,
                         record::Kind::Reception,
                         9.6,
                         7.5,
                         -1,
                         QStringLiteral("K"),
                         QStringLiteral("R"),
                         0,
                         {{t, {}, QStringLiteral("K"), QStringLiteral("R"), false, 840}}}));
    }
    Run r = zirvano({QStringLiteral("--export-record"), csv});
    QCOMPARE(r.status, 0);
    QFile f(csv);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(),
             QByteArray("time,kind,sent,answered,right,answer_ms,char_wpm,effective_wpm\r\n"
                        "2026-12-09T15:30:00.000Z,reception,K,R,0,840,9.6,7.5\r\n"));
    // A record of a newer version is left alone, and the export fails saying why.
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(record::Record::defaultPath());
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 999")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    r = zirvano({QStringLiteral("--export-record"), csv});
    QCOMPARE(r.status, CommandLine::Failure);
    QVERIFY2(r.err.contains(QStringLiteral("newer version")), qPrintable(r.err));
    qunsetenv("XDG_DATA_HOME");
}

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"
