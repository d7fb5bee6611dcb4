// The sound path under faults: no device at all, a sound server that dies
// and comes back mid-keying, calls racing the audio thread, and images that
// are not what they claim to be.

#include "app/tfmorse.h"
#include "childprocess.h"
#include "platform/playsound.h"
#include "platform/sleep.h"
#include "platform/sounddevice.h"
#include "recording.h"
#include "tests/ambiente.h"
#include "tests/emulation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <unistd.h>

using platform::SoundDevice;

namespace {

// A mono 16-bit sine of ms milliseconds.
QByteArray tone(int ms, int rate = DeviceRate, double hz = 700, int amplitude = 8000)
{
    QByteArray data;
    for (int i = 0; i < rate * ms / 1000; ++i) {
        const auto v = qint16(std::lround(amplitude * std::sin(2 * M_PI * hz * i / rate)));
        data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    return waveImage(rate, 16, 1, data);
}

// A short playable image of random length, rate, width and content.
QByteArray randomTone(QRandomGenerator &random)
{
    const int bits = random.bounded(2) ? 16 : 8;
    QByteArray data(random.bounded(1, 2000) * bits / 8, Qt::Uninitialized);
    for (char &c : data)
        c = char(random.bounded(1, 256));
    return waveImage(random.bounded(2) ? 44100 : 96000, bits, 1, data);
}

bool play(const QByteArray &bytes, unsigned flags)
{
    return platform::PlaySoundA(bytes.constData(), std::size_t(bytes.size()), flags);
}

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Everything the process writes to stdout and stderr while it lives.
class Output
{
public:
    Output()
    {
        m_file.open();
        std::fflush(stdout);
        std::fflush(stderr);
        m_out = dup(STDOUT_FILENO);
        m_err = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDOUT_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
    }
    ~Output() { take(); }
    Q_DISABLE_COPY_MOVE(Output)

    QByteArray take()
    {
        if (m_out >= 0) {
            std::fflush(stdout);
            std::fflush(stderr);
            dup2(m_out, STDOUT_FILENO);
            dup2(m_err, STDERR_FILENO);
            ::close(m_out);
            ::close(m_err);
            m_out = m_err = -1;
        }
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    QTemporaryFile m_file;
    int m_out = -1;
    int m_err = -1;
};

qsizetype loudFrames(const QVector<float> &s, qsizetype fromFrame, qsizetype toFrame)
{
    qsizetype n = 0;
    for (qsizetype f = fromFrame; f < toFrame && 2 * f + 1 < s.size(); ++f)
        n += (s[2 * f] != 0 || s[2 * f + 1] != 0) ? 1 : 0;
    return n;
}

// A PulseAudio server of the test's own, on a private socket, with one null
// sink whose monitor shows what was played.
class PulseServer
{
public:
    PulseServer()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("home"));
        QDir(m_dir.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                         QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
    }
    ~PulseServer()
    {
        m_parec.close();
        kill();
    }
    Q_DISABLE_COPY_MOVE(PulseServer)

    static QString program()
    {
        return QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    }
    QString server() const
    {
        return QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native"));
    }

    // Starts the server and waits until it takes clients; false if it does not.
    bool start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("home")));
        env.remove(QStringLiteral("PULSE_SERVER"));
        m_process.setProcessEnvironment(env);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(m_dir.filePath(QStringLiteral("server.log")),
                                       QIODevice::Append);
        m_process.start(program(),
                        {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                         QStringLiteral("--disallow-exit"), QStringLiteral("--system=false"),
                         QStringLiteral("--use-pid-file=false"), QStringLiteral("--realtime=no"),
                         QStringLiteral("--high-priority=no"), QStringLiteral("-n"),
                         QStringLiteral("--load=module-null-sink sink_name=zirvano_test"),
                         QStringLiteral("--load=module-native-protocol-unix socket=") +
                             m_dir.filePath(QStringLiteral("native")) +
                             QStringLiteral(" auth-anonymous=1")});
        if (!m_process.waitForStarted(5000))
            return false;
        return QTest::qWaitFor(
            [this] { return m_process.state() == QProcess::Running && answers(); }, 10000);
    }

    void kill()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }

    // Starts recording the sink's monitor as mono 16-bit samples.
    bool listen()
    {
        m_heard.clear();
        m_parec.close();
        m_parec.start(QStringLiteral("parec"),
                      {QStringLiteral("--server=") + server(),
                       QStringLiteral("--device=zirvano_test.monitor"),
                       QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                       QStringLiteral("--rate=44100"), QStringLiteral("--latency-msec=20"),
                       QStringLiteral("--raw")});
        return m_parec.waitForStarted(5000);
    }
    // The loudest sample recorded since listen().
    int peakHeard()
    {
        m_parec.waitForReadyRead(0);
        m_heard += m_parec.readAllStandardOutput();
        int p = 0;
        for (qsizetype i = 0; i + 1 < m_heard.size(); i += 2)
            p = std::max(p, std::abs(int(qFromLittleEndian<qint16>(m_heard.constData() + i))));
        return p;
    }

    QString log() const
    {
        QFile f(m_dir.filePath(QStringLiteral("server.log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(2000))
                                           : QString();
    }

private:
    bool answers() const
    {
        QProcess pactl;
        pactl.start(QStringLiteral("pactl"),
                    {QStringLiteral("--server=") + server(), QStringLiteral("info")});
        if (!pactl.waitForFinished(3000))
            return false;
        return pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    QProcess m_parec;
    QByteArray m_heard;
};

} // namespace

class TstSoundFaults : public QObject
{
    Q_OBJECT

    QTemporaryDir config;

    // That server only: a client that finds none must not start its own.
    void usePulseServer(const QByteArray &server)
    {
        qputenv("PULSE_SERVER", server);
        qputenv("PULSE_CLIENTCONFIG",
                QFile::encodeName(config.filePath(QStringLiteral("client.conf"))));
    }

private slots:
    void initTestCase();
    void cleanup();

    void noDeviceIsSilentAndKeepsTime_data();
    void noDeviceIsSilentAndKeepsTime();
    void lessonKeepsItsPaceWithoutDevice();
    void serverLostAndBackMidKeying();
    void callsRacingTheAudioThread_data();
    void callsRacingTheAudioThread();
    void corruptHeadersPlayNothing_data();
    void corruptHeadersPlayNothing();
    void randomAndCutImagesPlayNothing();
};

void TstSoundFaults::initTestCase()
{
    // A stored language, so that the main window asks for none.
    ambiente::Configura(config, "[General]\nIdioma=0\n");
    QCOMPARE(ambiente::LeArquivo(), QByteArray("[General]\nIdioma=0\n"));
    QFile client(config.filePath(QStringLiteral("client.conf")));
    QVERIFY(client.open(QIODevice::WriteOnly));
    client.write("autospawn = no\n");
}

void TstSoundFaults::cleanup()
{
    platform::setSoundObserver({});
    qunsetenv("PULSE_SERVER");
    qunsetenv("PULSE_CLIENTCONFIG");
    qunsetenv("ALSA_CONFIG_PATH");
    useDriver("dummy");
    SoundDevice::instance().setVolume(0xFFFFFFFFu);
}

void TstSoundFaults::noDeviceIsSilentAndKeepsTime_data()
{
    QTest::addColumn<QByteArray>("driver");
    QTest::addColumn<QByteArray>("server");
    QTest::newRow("no such driver") << QByteArray("zirvano-none") << QByteArray();
    QTest::newRow("pulseaudio, no server")
        << QByteArray("pulseaudio") << QByteArray("unix:/nonexistent/zirvano/native");
    // An empty ALSA configuration knows no card, as on a machine without one;
    // the library would write its complaints to stderr at every retry.
    QTest::newRow("alsa, no card") << QByteArray("alsa") << QByteArray();
}

void TstSoundFaults::noDeviceIsSilentAndKeepsTime()
{
    QFETCH(QByteArray, driver);
    QFETCH(QByteArray, server);
    if (!server.isEmpty())
        usePulseServer(server);
    QFile noCards(config.filePath(QStringLiteral("alsa.conf")));
    if (driver == "alsa") {
        QVERIFY(noCards.open(QIODevice::WriteOnly));
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(noCards.fileName()));
    }
    useDriver(driver.constData());

    QVector<QPair<int, double>> lasted; // tone ms, call ms
    bool allTrue = true;
    double asyncMs = 0;
    double overrun = 0; // the most a synchronous play lasted beyond its tone
    QByteArray printed;
    {
        Output output;
        // Every kind of call, twice over, so that the retry path runs as well.
        for (int round = 0; round < 2; ++round) {
            platform::waveOutSetVolume(0, 0x7FFF7FFFu);
            for (int ms : {10, 45, 120}) {
                QElapsedTimer t;
                t.start();
                allTrue &= play(tone(ms), platform::SND_SYNC);
                lasted.append({ms, msSince(t)});
                // The first play loads the driver; the retries after it must be cheap.
                if (lasted.size() > 1)
                    overrun = std::max(overrun, msSince(t) - ms);
            }
            QElapsedTimer t;
            t.start();
            allTrue &= play(tone(300), platform::SND_ASYNC);
            allTrue &= play(tone(30), platform::SND_ASYNC | platform::SND_LOOP);
            allTrue &= platform::PlaySoundA(nullptr, 0, 0);
            asyncMs = std::max(asyncMs, msSince(t));
        }
        // Keyed past a retry of the device: no retry may hold the caller
        // up (taking the driver down and up again stalled for 100 ms with ALSA).
        QElapsedTimer keying;
        keying.start();
        while (msSince(keying) < 1200) {
            QElapsedTimer t;
            t.start();
            allTrue &= play(tone(20), platform::SND_SYNC);
            overrun = std::max(overrun, msSince(t) - 20);
            platform::sleepMs(20);
        }
        printed = output.take();
    }
    QVERIFY(allTrue);
    QVERIFY(!SoundDevice::instance().stats().open);
    QVERIFY2(printed.isEmpty(), printed.constData());
    for (const auto &[ms, took] : std::as_const(lasted))
        QVERIFY2(took >= ms - 1 && (Emulated() || took < ms + 150),
                 qPrintable(QStringLiteral("%1 ms tone took %2 ms").arg(ms).arg(took)));
    QVERIFY2(Emulated() || asyncMs < 150, qPrintable(QString::number(asyncMs)));
    // Far under the 100 ms that taking the driver down cost, with room for a
    // loaded machine.
    QVERIFY2(Emulated() || overrun < 50, qPrintable(QString::number(overrun)));
}

void TstSoundFaults::lessonKeepsItsPaceWithoutDevice()
{
    useDriver("zirvano-none");
    TfMorse window;
    fMorse = &window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Timer1->stop();
    window.Control_Vel->setValue(5);
    window.ListBox_Licao->setCurrentRow(0);
    window.ListBox_Vezes->setCurrentRow(0);

    // Each rhythm as it reaches the screen, and when.
    struct Shown
    {
        QString ritmo;
        double ms;
    };
    QVector<Shown> shown;
    QElapsedTimer clock;
    struct Watch : QObject
    {
        std::function<void()> painted;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                painted();
            return false;
        }
    } watch;
    watch.painted = [&] {
        const QString r = window.Lb_Info->text().trimmed();
        if (!r.isEmpty() && r.startsWith(u'D') && (shown.isEmpty() || shown.last().ritmo != r))
            shown.append({r, msSince(clock)});
    };
    window.Lb_Info->installEventFilter(&watch);

    QByteArray printed;
    double total = 0;
    {
        Output output;
        clock.start();
        window.Btn_Iniciar->click();
        total = msSince(clock);
        printed = output.take();
    }
    window.Lb_Info->removeEventFilter(&watch);
    fMorse = nullptr;
    QVERIFY2(printed.isEmpty(), printed.constData());

    // A dot is 5 units, a dash 15, the gaps between elements 5 and the
    // closing silence 25.
    auto units = [](const QString &ritmo) {
        const QStringList e = ritmo.split(u' ');
        int u = 5 * int(e.size() - 1) + 25;
        for (const QString &x : e)
            u += x == u"Di" ? 5 : 15;
        return u;
    };
    QCOMPARE(shown.size(), 6);
    // Each character is shown as it begins, one latency after the click for
    // the first, never sooner (the window may be late to show it on a loaded
    // machine, which moves nothing after it).
    double expected = 0;
    const double latency = double(SoundDevice::Latency.count());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QVERIFY2(shown[i].ms >= latency + expected - 2,
                 qPrintable(QStringLiteral("%1 shown at %2 ms, due at %3 ms")
                                .arg(shown[i].ritmo)
                                .arg(shown[i].ms)
                                .arg(latency + expected)));
        expected += 5.0 * units(shown[i].ritmo);
    }
    // No time lost to the missing device: retries are rare and cheap.
    QVERIFY2(Emulated() || total < expected * 1.5 + 300,
             qPrintable(QStringLiteral("%1 ms lesson took %2 ms").arg(expected).arg(total)));
}

void TstSoundFaults::serverLostAndBackMidKeying()
{
    if (PulseServer::program().isEmpty())
        QSKIP("pulseaudio is not installed (packages pulseaudio and pulseaudio-utils)");
    if (const QString why = WhyNoChildProcess(); !why.isEmpty())
        QSKIP(qPrintable(why + QStringLiteral(", so no private PulseAudio server")));
    PulseServer server;
    QVERIFY2(server.start(), qPrintable(server.log()));
    usePulseServer(server.server().toLocal8Bit());
    useDriver("pulseaudio");

    SoundDevice &device = SoundDevice::instance();
    const QByteArray dit = tone(40);
    QVector<double> slow; // keyed elements that did not take their tone's time
    QVector<double> lasted;
    // One element: a 40 ms tone and a 40 ms gap, as the keyers do.
    auto key = [&] {
        QElapsedTimer t;
        t.start();
        play(dit, platform::SND_SYNC);
        const double took = msSince(t);
        lasted << took;
        // A synchronous play lasts its tone from its call; one that did not
        // wait at all would be far shorter.
        if (took < 40 - 1)
            slow << took;
        platform::sleepMs(40);
    };
    auto keyFor = [&](int ms) {
        QElapsedTimer t;
        t.start();
        while (msSince(t) < ms)
            key();
    };
    auto keyUntil = [&](const std::function<bool()> &done, int ms) {
        QElapsedTimer t;
        t.start();
        while (!done() && msSince(t) < ms)
            key();
        return done();
    };
    QVERIFY(server.listen());
    QVERIFY2(keyUntil([&] { return server.peakHeard() > 2000; }, 6000),
             "no sound through the private server at the start");
    keyFor(300);

    server.kill();
    lasted.clear();
    QElapsedTimer outage;
    outage.start();
    keyFor(1500);
    const double outageMs = msSince(outage);
    const qsizetype elements = lasted.size();
    QVERIFY2(slow.isEmpty(), qPrintable(QStringLiteral("%1 short tones").arg(slow.size())));
    // The keying went on at its pace: every element took its 80 ms, and no
    // call hung on the lost server.
    QVERIFY2(*std::max_element(lasted.begin(), lasted.end()) < 40 + 500,
             qPrintable(QString::number(*std::max_element(lasted.begin(), lasted.end()))));
    QVERIFY2(elements >= outageMs / 80 * 0.6,
             qPrintable(QStringLiteral("%1 elements in %2 ms").arg(elements).arg(outageMs)));
    QVERIFY(!device.stats().open);

    QVERIFY2(server.start(), qPrintable(server.log()));
    QElapsedTimer back;
    back.start();
    QVERIFY(server.listen());
    QVERIFY2(keyUntil([&] { return device.stats().open; }, 5000), "the device was not reopened");
    const double openMs = msSince(back);
    // Heard in the server's sink. A fresh null sink runs its first block of
    // two seconds before it takes a new stream, whichever client it is.
    QVERIFY2(keyUntil([&] { return server.peakHeard() > 2000; }, 6000), "sound did not come back");
    const double heardMs = msSince(back);
    qInfo("reopened %.0f ms, heard %.0f ms after the server's return", openMs, heardMs);
    QVERIFY2(openMs < 1500, qPrintable(QStringLiteral("reopened after %1 ms").arg(openMs)));
    QVERIFY2(heardMs < 3500, qPrintable(QStringLiteral("heard after %1 ms").arg(heardMs)));
    QVERIFY(slow.isEmpty());
}

void TstSoundFaults::callsRacingTheAudioThread_data()
{
    QTest::addColumn<bool>("disk");
    QTest::newRow("dummy driver") << false;
    QTest::newRow("disk driver") << true;
}

void TstSoundFaults::callsRacingTheAudioThread()
{
    QFETCH(bool, disk);
    std::unique_ptr<Recording> recording;
    if (disk)
        recording = std::make_unique<Recording>();
    else
        useDriver("dummy");

    QRandomGenerator random(8111);
    QVector<QByteArray> images;
    for (int i = 0; i < 40; ++i)
        images << randomTone(random);
    SoundDevice &device = SoundDevice::instance();
    QVERIFY(play(images[0], platform::SND_ASYNC));
    QVERIFY(device.stats().open);

    const int calls = ambiente::Sanitizado() ? 3000 : 8000;
    for (int i = 0; i < calls; ++i) {
        const QByteArray &img = images[random.bounded(int(images.size()))];
        switch (random.bounded(4)) {
        case 0:
            platform::PlaySoundA(nullptr, 0, 0);
            break;
        case 1:
            play(img, platform::SND_ASYNC);
            break;
        case 2:
            play(img, platform::SND_ASYNC | platform::SND_LOOP);
            break;
        default:
            platform::waveOutSetVolume(0, random.generate());
        }
        // Now and then let the audio thread render between the calls.
        if (random.bounded(25) == 0)
            platform::sleepMs(random.bounded(3));
    }
    QVERIFY(device.stats().tones > 0);

    // A loop that surely sounds, then the final stop.
    platform::waveOutSetVolume(0, 0xFFFFFFFFu);
    const int before = device.stats().tones;
    QVERIFY(play(images[1], platform::SND_ASYNC | platform::SND_LOOP));
    QTRY_VERIFY(device.stats().tones > before);
    QTRY_VERIFY(device.stats().frames > 0);
    platform::PlaySoundA(nullptr, 0, 0);
    const SoundDevice::Stats atStop = device.stats();
    // The stop lands one latency after its call, at most a buffer or two
    // after the last callback the figures saw.
    const std::int64_t silentFrom =
        atStop.frames + 3 * atStop.bufferFrames +
        2 * std::int64_t(atStop.rate) * SoundDevice::Latency.count() / 1000;
    const std::int64_t end = silentFrom + atStop.rate * 3 / 10;

    if (!disk) {
        QTRY_VERIFY(device.stats().frames > end);
        // The device still keys in time after all that.
        QElapsedTimer t;
        t.start();
        QVERIFY(play(tone(50), platform::SND_SYNC));
        QVERIFY(msSince(t) >= 47);
        return;
    }
    const QVector<float> stream = recording->takeAfter(end);
    QVERIFY(stream.size() / 2 > end);
    QVERIFY2(loudFrames(stream, atStop.frames - atStop.rate / 10, atStop.frames) > 0,
             "the loop before the stop was not recorded");
    QCOMPARE(loudFrames(stream, silentFrom, stream.size() / 2), 0);
}

void TstSoundFaults::corruptHeadersPlayNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray samples;
    for (int i = 0; i < 960; ++i)
        samples.append(char(0x00)).append(char(0x20));
    const QByteArray good = waveImage(96000, 16, 1, samples);
    auto set16 = [&](int at, quint16 v) {
        QByteArray b = good;
        qToLittleEndian(v, b.data() + at);
        return b;
    };
    auto set32 = [&](int at, quint32 v) {
        QByteArray b = good;
        qToLittleEndian(v, b.data() + at);
        return b;
    };

    QTest::newRow("RIFF id lower case") << QByteArray(good).replace(0, 4, "riff");
    QTest::newRow("WAVE id missing") << QByteArray(good).replace(8, 4, "    ");
    QTest::newRow("fmt id missing") << QByteArray(good).replace(12, 4, "junk");
    QTest::newRow("fmt length 0") << set32(16, 0);
    QTest::newRow("fmt length 2") << set32(16, 2);
    QTest::newRow("fmt length past the image") << set32(16, quint32(good.size()));
    QTest::newRow("format 0") << set16(20, 0);
    QTest::newRow("format 0xFFFF") << set16(20, 0xFFFF);
    QTest::newRow("format extensible, no extension") << set16(20, 0xFFFE);
    QTest::newRow("0 channels") << set16(22, 0);
    QTest::newRow("3 channels") << waveImage(96000, 16, 3, samples);
    QTest::newRow("3 channels, mono block") << set16(22, 3);
    QTest::newRow("65535 channels") << set16(22, 0xFFFF);
    QTest::newRow("sample rate 0") << set32(24, 0);
    QTest::newRow("sample rate 1") << set32(24, 1);
    QTest::newRow("sample rate 4 GHz") << set32(24, 0xFFFFFFFFu);
    QTest::newRow("sample rate 96001") << set32(24, 96001);
    QTest::newRow("block align 0") << set16(32, 0);
    QTest::newRow("block align 3") << set16(32, 3);
    QTest::newRow("block align 0xFFFF") << set16(32, 0xFFFF);
    QTest::newRow("0 bits") << set16(34, 0);
    QTest::newRow("1 bit") << set16(34, 1);
    QTest::newRow("24 bits, block 3") << set16(32, 3).replace(34, 2, QByteArray("\x18\x00", 2));
    QTest::newRow("24-bit samples") << waveImage(96000, 24, 1, samples);
    QTest::newRow("32-bit integer samples") << waveImage(96000, 32, 1, samples);
    QTest::newRow("0xFFFF bits") << set16(34, 0xFFFF);
    QTest::newRow("data id missing") << QByteArray(good).replace(36, 4, "atad");
    QTest::newRow("data length 0") << set32(40, 0);
    QTest::newRow("data length one past") << set32(40, quint32(samples.size() + 1));
    QTest::newRow("data length 2 GiB - 1") << set32(40, 0x7FFFFFFFu);
    QTest::newRow("data length 2 GiB") << set32(40, 0x80000000u);
    QTest::newRow("data length 4 GiB - 2") << set32(40, 0xFFFFFFFEu);
    QTest::newRow("data before fmt") << QByteArray(good.left(12)) + good.mid(36) + good.mid(12, 24);
}

void TstSoundFaults::corruptHeadersPlayNothing()
{
    QFETCH(QByteArray, bytes);
    // The device open and running: a bad image must not reach it.
    Recording recording;
    const QByteArray quiet = waveImage(96000, 16, 1, QByteArray(192, '\0'));
    QVERIFY(play(quiet, platform::SND_ASYNC));
    SoundDevice &device = SoundDevice::instance();
    QVERIFY(device.stats().open);
    const int tones = device.stats().tones;

    for (unsigned flags : {platform::SND_SYNC, platform::SND_ASYNC | platform::SND_MEMORY,
                           platform::SND_ASYNC | platform::SND_LOOP}) {
        QElapsedTimer t;
        t.start();
        QVERIFY(!play(bytes, flags));
        QVERIFY2(msSince(t) < 50, qPrintable(QString::number(msSince(t))));
    }
    const std::int64_t end = device.stats().frames + DeviceRate / 10;
    QVERIFY(device.stats().tones <= tones + 1); // the quiet opener only
    const QVector<float> stream = recording.takeAfter(end);
    QVERIFY(!stream.isEmpty());
    QCOMPARE(loudFrames(stream, 0, stream.size() / 2), 0);
}

void TstSoundFaults::randomAndCutImagesPlayNothing()
{
    Recording recording;
    const QByteArray quiet = waveImage(96000, 16, 1, QByteArray(192, '\0'));
    QVERIFY(play(quiet, platform::SND_ASYNC));
    SoundDevice &device = SoundDevice::instance();

    // Random bytes of every length up to 4 KiB, some behind a plausible
    // header that claims more than follows.
    QRandomGenerator random(4096);
    const int rounds = ambiente::Sanitizado() ? 1000 : 3000;
    for (int i = 0; i < rounds; ++i) {
        QByteArray bytes(random.bounded(0, 4097), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(random.bounded(256));
        if (i % 3 == 1 && bytes.size() >= 44) {
            const QByteArray header = waveImage(random.bounded(2) ? 44100 : 96000, 16, 1,
                                                QByteArray(int(bytes.size()) * 2, '\x7F'));
            bytes.replace(0, 44, header.left(44));
        }
        QVERIFY2(!play(bytes, random.bounded(2) ? platform::SND_ASYNC
                                                : platform::SND_ASYNC | platform::SND_LOOP),
                 qPrintable(QStringLiteral("round %1, %2 bytes").arg(i).arg(bytes.size())));
    }

    // A loud image with a chunk before its samples and an odd data length,
    // cut short at every length.
    QByteArray samples(2 * 480 + 1, '\x40');
    const QByteArray list("LIST\x06\x00\x00\x00INFOab", 14);
    const QByteArray whole = waveImage(96000, 16, 1, samples, list);
    for (qsizetype cut = 0; cut < whole.size(); ++cut)
        QVERIFY2(!platform::PlaySoundA(whole.constData(), std::size_t(cut),
                                       platform::SND_ASYNC | platform::SND_LOOP),
                 qPrintable(QString::number(cut)));

    const std::int64_t end = device.stats().frames + DeviceRate / 10;
    const QVector<float> stream = recording.takeAfter(end);
    QVERIFY(!stream.isEmpty());
    QCOMPARE(loudFrames(stream, 0, stream.size() / 2), 0);
}

QTEST_MAIN(TstSoundFaults)
#include "tst_soundfaults.moc"
