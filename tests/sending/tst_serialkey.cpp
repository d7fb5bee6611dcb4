#include "sending/qtseriallines.h"
#include "sending/serialkey.h"
#include "tests/platform/childprocess.h"

#include <QSignalSpy>
#include <QtTest>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sending;
using namespace std::chrono_literals;
using Fault = SerialLines::Fault;
using Line = SerialLines::Line;

namespace {

const KeyTime T0 = KeyTime{} + 10s;

// Lines the test sets, and faults it injects.
struct FakeLines final : SerialLines
{
    unsigned lines = 0;
    Fault openFault = Fault::None;
    Fault readFault = Fault::None;
    bool isOpen = false;
    QString name;

    bool open(const QString &portName) override
    {
        name = portName;
        isOpen = openFault == Fault::None;
        return isOpen;
    }
    void close() override { isOpen = false; }
    std::optional<unsigned> read() override
    {
        if (!isOpen || readFault != Fault::None)
            return std::nullopt;
        return lines;
    }
    Fault fault() const override { return isOpen ? readFault : openFault; }
    QString faultText() const override { return QStringLiteral("Input/output error"); }
};

struct Rig
{
    FakeLines *lines = new FakeLines;
    SerialKey key{std::unique_ptr<SerialLines>(lines)};
    QSignalSpy pressed{&key, &SerialKey::pressed};
    QSignalSpy released{&key, &SerialKey::released};
    QSignalSpy failed{&key, &SerialKey::failed};
};

QString edge(const QList<QVariant> &signal)
{
    const auto c = signal.at(0).value<Contact>();
    const auto at = signal.at(1).value<KeyTime>();
    const char *name = c == Contact::Straight ? "straight" : c == Contact::Dot ? "dot" : "dash";
    return QStringLiteral("%1@%2").arg(QLatin1String(name)).arg((at - T0) / 1ms);
}

// A pseudo-terminal: a port that opens and closes like a real one, and goes
// away when its other side closes.
struct Pty
{
    int master = -1;
    QString slave;
    Pty()
    {
        int s = -1;
        char name[256] = {};
        if (::openpty(&master, &s, name, nullptr, nullptr) == 0) {
            ::close(s);
            slave = QString::fromLocal8Bit(name);
        }
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
    }
};

constexpr uid_t Nobody = 65534;

} // namespace

class TstSerialKey : public QObject
{
    Q_OBJECT

private slots:
    void contactsOnTheirLines_data();
    void contactsOnTheirLines();
    void bouncesAreIgnored();
    void startFaults_data();
    void startFaults();
    void portGoneMidRun();
    void timerReadsTheLines();
    void ptyOpensButHasNoModemLines();
    void ptyGoneIsReported();
    void missingPort();
    void portNotAllowed();
};

void TstSerialKey::contactsOnTheirLines_data()
{
    QTest::addColumn<bool>("paddles");
    QTest::addColumn<unsigned>("line");  // the straight key's, or the dot paddle's
    QTest::addColumn<unsigned>("other"); // the dash paddle's, or one doing nothing
    QTest::newRow("straight on CTS") << false << unsigned(Line::Cts) << unsigned(Line::Dsr);
    QTest::newRow("straight on DSR") << false << unsigned(Line::Dsr) << unsigned(Line::Dcd);
    QTest::newRow("straight on DCD") << false << unsigned(Line::Dcd) << unsigned(Line::Cts);
    QTest::newRow("paddles on DSR and DCD") << true << unsigned(Line::Dsr) << unsigned(Line::Dcd);
}

void TstSerialKey::contactsOnTheirLines()
{
    QFETCH(bool, paddles);
    QFETCH(unsigned, line);
    QFETCH(unsigned, other);
    Rig r;
    QVERIFY(paddles ? r.key.startPaddles(QStringLiteral("ttyACM0"), Line(line), Line(other))
                    : r.key.startStraight(QStringLiteral("ttyACM0"), Line(line)));
    QCOMPARE(r.lines->name, QStringLiteral("ttyACM0"));
    const unsigned states[] = {line, line | other, other, other, 0};
    for (int i = 0; i < 5; ++i) {
        r.lines->lines = states[i];
        r.key.poll(T0 + std::chrono::milliseconds(10 * (i + 1)));
    }
    QStringList seen;
    for (const auto &s : r.pressed)
        seen << u'+' + edge(s);
    for (const auto &s : r.released)
        seen << u'-' + edge(s);
    const QString key = paddles ? QStringLiteral("dot") : QStringLiteral("straight");
    QStringList expected{"+" + key + "@10", "-" + key + "@30"};
    if (paddles)
        expected = QStringList{"+dot@10", "+dash@20", "-dot@30", "-dash@50"};
    QCOMPARE(seen, expected);
}

void TstSerialKey::bouncesAreIgnored()
{
    Rig r;
    QVERIFY(r.key.startStraight(QStringLiteral("ttyS1"), Line::Cts));
    const bool contact[] = {true, false, true, false, true, true, true, false};
    for (int ms = 0; ms < 8; ++ms) {
        r.lines->lines = contact[ms] ? unsigned(Line::Cts) : 0;
        r.key.poll(T0 + 100ms + std::chrono::milliseconds(ms));
    }
    QCOMPARE(r.pressed.count(), 1);
    QCOMPARE(edge(r.pressed.at(0)), QStringLiteral("straight@100"));
    QCOMPARE(r.released.count(), 1); // the last release, 7 ms on, is real
    QCOMPARE(edge(r.released.at(0)), QStringLiteral("straight@107"));
}

void TstSerialKey::startFaults_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("openFault");
    QTest::addColumn<int>("readFault");
    QTest::addColumn<bool>("paddles");
    QTest::addColumn<QString>("words");
    QTest::newRow("no such port") << "ttyUSB7" << int(Fault::NotFound) << 0 << false
                                  << "no serial port ttyUSB7";
    QTest::newRow("not allowed") << "ttyUSB0" << int(Fault::Permission) << 0 << false
                                 << "dialout group";
    QTest::newRow("no modem lines")
        << "pts/3" << 0 << int(Fault::NoModemLines) << false << "does not report its modem lines";
    QTest::newRow("other") << "ttyS0" << int(Fault::Other) << 0 << true
                           << "could not be used: Input/output error";
    QTest::newRow("no port chosen") << " " << 0 << 0 << false << "No serial port is chosen";
    QTest::newRow("one line for two paddles") << "ttyS0" << 0 << 0 << true << "two different lines";
}

void TstSerialKey::startFaults()
{
    QFETCH(QString, port);
    QFETCH(int, openFault);
    QFETCH(int, readFault);
    QFETCH(bool, paddles);
    QFETCH(QString, words);
    Rig r;
    r.lines->openFault = Fault(openFault);
    r.lines->readFault = Fault(readFault);
    const bool sameLine = words.contains(u"two different");
    const bool ok = paddles ? r.key.startPaddles(port, Line::Cts, sameLine ? Line::Cts : Line::Dsr)
                            : r.key.startStraight(port, Line::Cts);
    QVERIFY(!ok);
    QVERIFY(!r.key.isRunning());
    QVERIFY(!r.lines->isOpen);
    QCOMPARE(r.failed.count(), 1);
    const QString message = r.failed.at(0).at(0).toString();
    QVERIFY2(message.contains(words), qPrintable(message));
    QCOMPARE(r.key.errorText(), message);
    r.key.poll(T0);
    QCOMPARE(r.pressed.count() + r.released.count(), 0);
}

void TstSerialKey::portGoneMidRun()
{
    Rig r;
    QVERIFY(r.key.startPaddles(QStringLiteral("ttyUSB0"), Line::Cts, Line::Dsr));
    r.lines->lines = Line::Cts;
    r.key.poll(T0 + 10ms);
    r.lines->readFault = Fault::Gone;
    r.key.poll(T0 + 50ms);
    // The paddle held is let go at once, so no tone is left sounding.
    QCOMPARE(r.released.count(), 1);
    QCOMPARE(edge(r.released.at(0)), QStringLiteral("dot@50"));
    QCOMPARE(r.failed.count(), 1);
    QVERIFY(r.failed.at(0).at(0).toString().contains(u"has gone away"));
    QVERIFY(r.failed.at(0).at(0).toString().contains(u"keyboard keys still work"));
    QVERIFY(!r.key.isRunning());
    QVERIFY(!r.lines->isOpen);
    r.key.poll(T0 + 60ms);
    QCOMPARE(r.failed.count(), 1);
    // Started again once the port is back: a contact held already is no
    // press, and stopping lets it go.
    r.lines->readFault = Fault::None;
    QVERIFY(r.key.startStraight(QStringLiteral("ttyUSB0"), Line::Cts));
    r.key.poll(T0 + 70ms);
    QCOMPARE(r.pressed.count(), 1);
    r.key.stop();
    QCOMPARE(r.released.count(), 2);
    QVERIFY(!r.lines->isOpen);
    QCOMPARE(r.failed.count(), 1);
}

void TstSerialKey::timerReadsTheLines()
{
    Rig r;
    QVERIFY(r.key.startStraight(QStringLiteral("ttyUSB0"), Line::Cts));
    r.lines->lines = Line::Cts;
    QTRY_COMPARE(r.pressed.count(), 1);
    r.lines->readFault = Fault::Gone;
    QTRY_COMPARE(r.failed.count(), 1);
    QCOMPARE(r.released.count(), 1);
}

void TstSerialKey::ptyOpensButHasNoModemLines()
{
    Pty pty;
    if (pty.slave.isEmpty())
        QSKIP("no pseudo-terminal could be made here");
    QtSerialLines lines;
    QVERIFY2(lines.open(pty.slave), qPrintable(lines.faultText()));
    QVERIFY(!lines.read());
    QCOMPARE(lines.fault(), Fault::NoModemLines);
    lines.close();

    SerialKey key;
    QSignalSpy failed(&key, &SerialKey::failed);
    QVERIFY(!key.startStraight(pty.slave, Line::Cts));
    QVERIFY(failed.at(0).at(0).toString().contains(u"does not report its modem lines"));
    // What a pseudo-terminal cannot show, the fake lines above stand in for:
    // a line changing, and a port that goes away while being read.
}

void TstSerialKey::ptyGoneIsReported()
{
    Pty pty;
    if (pty.slave.isEmpty())
        QSKIP("no pseudo-terminal could be made here");
    QtSerialLines lines;
    QVERIFY(lines.open(pty.slave));
    ::close(pty.master);
    pty.master = -1;
    QTRY_VERIFY(!lines.read() && lines.fault() == Fault::Gone);
    lines.close();
}

void TstSerialKey::missingPort()
{
    SerialKey key;
    QVERIFY(!key.startStraight(QStringLiteral("/dev/zirvano-no-such-port"), Line::Cts));
    QVERIFY2(key.errorText().contains(u"There is no serial port"), qPrintable(key.errorText()));
    QVERIFY(!SerialKey::portNames().contains(QStringLiteral("zirvano-no-such-port")));
}

// Root may open anything: it tries as nobody, in a child.
void TstSerialKey::portNotAllowed()
{
    Pty pty;
    if (pty.slave.isEmpty())
        QSKIP("no pseudo-terminal could be made here");
    QString message;
    if (::geteuid() == 0) {
        if (const QString why = WhyNoChildProcess(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(::chmod(QFile::encodeName(pty.slave).constData(), 0600) == 0);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--open-as-nobody"), pty.slave});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitCode(), 0);
        message = QString::fromUtf8(child.readAllStandardOutput());
    } else {
        QVERIFY(::chmod(QFile::encodeName(pty.slave).constData(), 0) == 0);
        SerialKey key;
        key.startStraight(pty.slave, Line::Cts);
        message = key.errorText();
    }
    QVERIFY2(message.contains(u"You may not open the serial port"), qPrintable(message));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && QByteArray(argv[1]) == "--open-as-nobody") {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            return 2;
        SerialKey key;
        key.startStraight(QString::fromLocal8Bit(argv[2]), Line::Cts);
        std::fputs(key.errorText().toUtf8().constData(), stdout);
        return 0;
    }
    TstSerialKey t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_serialkey.moc"
