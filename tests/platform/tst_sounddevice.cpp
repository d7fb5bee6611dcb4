#include "platform/keyingscope.h"
#include "platform/playsound.h"
#include "platform/sidetone.h"
#include "platform/sleep.h"
#include "platform/sounddevice.h"
#include "recording.h"
#include "tests/emulation.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <cstring>
#include <thread>

using platform::SoundDevice;

namespace {

// A mono PCM RIFF/WAVE image whose every sample is value: flat tones make the
// recorded stream easy to read back.
QByteArray wave(int rate, int bits, int frames, int value, int channels = 1, int format = 1)
{
    QByteArray data;
    for (int i = 0; i < frames * channels; ++i) {
        if (bits == 8)
            data.append(char(value));
        else
            data.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
    }
    return waveImage(rate, bits, channels, data, {}, format) + QByteArray(4, '\0');
}

bool play(const QByteArray &image, unsigned flags)
{
    return SoundDevice::instance().play(image.constData(), std::size_t(image.size()), flags);
}

// Runs of equal left/right pairs, ignoring the silence around them.
struct Run
{
    qsizetype first;
    qsizetype frames;
    float left;
    float right;
};

QVector<Run> runs(const QVector<float> &s)
{
    QVector<Run> out;
    for (qsizetype f = 0; f + 1 < s.size(); f += 2) {
        const float l = s[f];
        const float r = s[f + 1];
        if (!out.isEmpty() && out.back().left == l && out.back().right == r &&
            out.back().first + out.back().frames == f / 2)
            ++out.back().frames;
        else if (l != 0 || r != 0)
            out.push_back({f / 2, 1, l, r});
    }
    return out;
}

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

class TstSoundDevice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();

    void unplayableImagesPlayNothing_data();
    void unplayableImagesPlayNothing();
    void everyTruncationIsRefused();
    void garbageNeverPlays();
    void mutatedImagesAreSafe();

    void synchronousPlayLastsItsTone_data();
    void synchronousPlayLastsItsTone();
    void asynchronousPlayReturnsAtOnce();
    void failedDeviceIsRetriedLater();

    void toneLandsWhole_data();
    void toneLandsWhole();
    void volumeWordSplitsIntoChannels_data();
    void volumeWordSplitsIntoChannels();
    void newPlayCutsThePrevious();
    void loopRunsUntilStop();
    void streamRepeatsTheRhythmOfTheCalls();
    void keyedTonesChainInFrames_data();
    void keyedTonesChainInFrames();
    void renderedBlocksKeepLongGaps();
    void volumeLandsInStreamOrder();
    void nothingLandsInsideASynchronousPlay();
    void softEdgesKeepTheNominalFrames();
    void sidetoneFollowsTheKey();
    void softEdgesNeverStep_data();
    void softEdgesNeverStep();
    void playSoundForwardsToTheDevice();
};

void TstSoundDevice::init()
{
    // Flat runs make the stream easy to read back; the soft edges have their
    // own tests.
    SoundDevice::instance().setSoftEdges(false);
    useDriver("dummy");
    SoundDevice::instance().setVolume(0xFFFFFFFFu);
}

void TstSoundDevice::cleanupTestCase()
{
    SoundDevice::instance().shutdown();
}

void TstSoundDevice::unplayableImagesPlayNothing_data()
{
    QTest::addColumn<QByteArray>("image");
    // A second of tone: a refusal that waited for it would show.
    constexpr int Frames = 96000;
    const QByteArray good = wave(96000, 16, Frames, 1000);
    auto patched = [&](int at, QByteArray bytes) {
        return QByteArray(good).replace(at, bytes.size(), bytes);
    };
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(44);
    QTest::newRow("no samples") << wave(96000, 16, 0, 0);
    QTest::newRow("not RIFF") << patched(0, "RIFX");
    QTest::newRow("not WAVE") << patched(8, "AVI ");
    QTest::newRow("stereo") << wave(96000, 16, Frames, 1000, 2);
    QTest::newRow("24 bit") << wave(96000, 24, Frames, 1000);
    QTest::newRow("22050 Hz") << wave(22050, 16, Frames, 1000);
    QTest::newRow("float format") << wave(96000, 32, Frames, 0, 1, 3);
    QTest::newRow("ADPCM format") << patched(20, QByteArray("\x02\x00", 2));
    QTest::newRow("data longer than image") << patched(40, u32(quint32(good.size())));
    QTest::newRow("data length 4 GiB") << patched(40, u32(0xFFFFFFFFu));
    QTest::newRow("fmt length 4 GiB") << patched(16, u32(0xFFFFFFF0u));
    QTest::newRow("zero block align") << patched(32, QByteArray("\x00\x00", 2));
}

void TstSoundDevice::unplayableImagesPlayNothing()
{
    QFETCH(QByteArray, image);
    QElapsedTimer t;
    t.start();
    QVERIFY(!play(image, platform::SND_SYNC));
    QVERIFY(!SoundDevice::instance().play(nullptr, 10, platform::SND_SYNC));
    QVERIFY2(Emulated() || msSince(t) < 250, qPrintable(QString::number(msSince(t))));
    // Nothing reached the device: it was not even opened.
    QVERIFY(!SoundDevice::instance().stats().open);
}

void TstSoundDevice::everyTruncationIsRefused()
{
    // 8-bit at 44100 Hz: one byte per sample, so every cut lands mid-data.
    const QByteArray image = wave(44100, 8, 441, 200);
    const int whole = int(image.size()) - 4;
    for (int size = 0; size < whole; ++size)
        QVERIFY2(!SoundDevice::instance().play(image.constData(), std::size_t(size),
                                               platform::SND_ASYNC),
                 qPrintable(QString::number(size)));
    QVERIFY(!SoundDevice::instance().stats().open);
    // Without the spare bytes the image is still whole.
    QVERIFY(
        SoundDevice::instance().play(image.constData(), std::size_t(whole), platform::SND_ASYNC));
}

void TstSoundDevice::garbageNeverPlays()
{
    QRandomGenerator random(20240611);
    for (int i = 0; i < 2000; ++i) {
        QByteArray bytes(random.bounded(1, 300), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(random.bounded(256));
        if (i % 2 == 1)
            bytes.replace(0, 4, "RIFF").replace(8, 8, "WAVEfmt ");
        QVERIFY(!play(bytes, platform::SND_ASYNC));
    }
}

void TstSoundDevice::mutatedImagesAreSafe()
{
    // Flipped bytes anywhere in a good image: playable or not, but always
    // within the image (run under the address sanitizer to see it). Flips
    // among the samples alone change nothing but the sound: such an image
    // plays exactly when it is whole.
    QRandomGenerator random(77);
    const QByteArray good = wave(44100, 16, 100, -300);
    constexpr int cabecalho = 44;
    const int inteira = int(good.size()) - 4; // without the spare bytes
    int tocadas = 0;
    int recusadas = 0;
    for (int i = 0; i < 500; ++i) {
        QByteArray image = good;
        bool soAmostras = true;
        for (int k = 0; k < 3; ++k) {
            const int onde = random.bounded(int(image.size()));
            image[onde] = char(random.bounded(256));
            soAmostras &= onde >= cabecalho;
        }
        const int corte = random.bounded(int(image.size()) + 1);
        const bool tocou = play(image.left(corte), platform::SND_ASYNC);
        if (soAmostras)
            QVERIFY2(tocou == (corte >= inteira), qPrintable(QStringLiteral("image %1").arg(i)));
        ++(tocou ? tocadas : recusadas);
    }
    QVERIFY(tocadas > 0);
    QVERIFY(recusadas > 0);
    // Nothing the mutations did leaves the device unable to play.
    QVERIFY(play(good, platform::SND_ASYNC));
    SoundDevice::instance().stop();
}

void TstSoundDevice::synchronousPlayLastsItsTone_data()
{
    QTest::addColumn<QByteArray>("driver");
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<double>("ms");
    QTest::newRow("dummy, 16-bit 96000 Hz")
        << QByteArray("dummy") << wave(96000, 16, 9600, 500) << 100.0;
    QTest::newRow("dummy, 8-bit 44100 Hz")
        << QByteArray("dummy") << wave(44100, 8, 3528, 200) << 80.0;
    QTest::newRow("no such driver")
        << QByteArray("zirvano-none") << wave(96000, 16, 9600, 500) << 100.0;
}

void TstSoundDevice::synchronousPlayLastsItsTone()
{
    QFETCH(QByteArray, driver);
    QFETCH(QByteArray, image);
    QFETCH(double, ms);
    useDriver(driver.constData());
    play(wave(96000, 16, 96, 0), platform::SND_ASYNC); // opens the device, or fails to

    QElapsedTimer t;
    t.start();
    QVERIFY(play(image, platform::SND_SYNC));
    // The drivers without a sound card pace their buffers with whole-ms sleeps
    // and run a few percent off the clock; the tone lasts as long as they play it.
    QVERIFY2(msSince(t) > ms * 0.9, qPrintable(QString::number(msSince(t))));
    QVERIFY2(Emulated() || msSince(t) < ms * 1.1 + 40, qPrintable(QString::number(msSince(t))));
    QCOMPARE(SoundDevice::instance().stats().open, driver == "dummy");
}

void TstSoundDevice::asynchronousPlayReturnsAtOnce()
{
    if (Emulated())
        QSKIP("a bound on wall-clock time, which an emulator cannot keep");
    play(wave(96000, 16, 96, 0), platform::SND_ASYNC);
    QElapsedTimer t;
    t.start();
    QVERIFY(play(wave(96000, 16, 96000, 500), platform::SND_ASYNC));
    QVERIFY(play(wave(96000, 16, 96000, 500), platform::SND_ASYNC | platform::SND_LOOP));
    QVERIFY2(msSince(t) < 50, qPrintable(QString::number(msSince(t))));
    SoundDevice::instance().stop();
}

void TstSoundDevice::failedDeviceIsRetriedLater()
{
    useDriver("zirvano-none");
    const QByteArray tone = wave(96000, 16, 96, 100);
    play(tone, platform::SND_ASYNC);
    QVERIFY(!SoundDevice::instance().stats().open);
    // A server that comes back is found at a later play, not at every one.
    qputenv("SDL_AUDIODRIVER", "dummy");
    play(tone, platform::SND_ASYNC);
    QVERIFY(!SoundDevice::instance().stats().open);
    QTRY_VERIFY_WITH_TIMEOUT(
        (play(tone, platform::SND_ASYNC), SoundDevice::instance().stats().open), 3000);
}

void TstSoundDevice::toneLandsWhole_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("frames");
    QTest::addColumn<float>("level");
    QTest::newRow("16-bit 96000 Hz") << wave(96000, 16, 2400, 16384) << 2400 << 0.5f;
    QTest::newRow("16-bit negative") << wave(96000, 16, 7200, -300) << 7200 << -300 / 32768.0f;
    QTest::newRow("8-bit 96000 Hz") << wave(96000, 8, 2400, 192) << 2400 << 0.5f;
    // 1102.5 samples: the odd byte is no sample.
    QByteArray odd = wave(44100, 16, 1103, 8192);
    odd[40] = char(0x9D); // data length 2205
    odd.chop(1);
    QTest::newRow("16-bit 44100 Hz, odd length") << odd << 1102 * 96000 / 44100 << 0.25f;
}

void TstSoundDevice::toneLandsWhole()
{
    QFETCH(QByteArray, image);
    QFETCH(int, frames);
    QFETCH(float, level);
    Recording rec;
    QVERIFY(play(image, platform::SND_SYNC));
    const QVector<float> s = rec.take();

    // The flat middle of the tone, and its length; resampled tones ring a
    // little at their edges.
    qsizetype first = -1;
    qsizetype last = -1;
    qsizetype exact = 0;
    for (qsizetype f = 0; f + 1 < s.size(); f += 2) {
        if (std::abs(s[f]) > std::abs(level) / 2) {
            if (first < 0)
                first = f / 2;
            last = f / 2;
        }
        exact += (std::abs(s[f] - level) < 1e-3f && s[f + 1] == s[f]) ? 1 : 0;
    }
    QVERIFY(first >= 0);
    QVERIFY2(std::abs((last - first + 1) - frames) <= 2,
             qPrintable(QStringLiteral("%1 frames").arg(last - first + 1)));
    QVERIFY(exact > frames * 9 / 10);
}

void TstSoundDevice::volumeWordSplitsIntoChannels_data()
{
    QTest::addColumn<quint32>("word");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("right");
    QTest::newRow("both full") << 0xFFFFFFFFu << 1.0f << 1.0f;
    QTest::newRow("left only") << 0x0000FFFFu << 1.0f << 0.0f;
    QTest::newRow("right only") << 0xFFFF0000u << 0.0f << 1.0f;
    QTest::newRow("right at half") << 0x7FFFFFFFu << 1.0f << 0x7FFF / 65535.0f;
    QTest::newRow("left at half") << 0xFFFF7FFFu << 0x7FFF / 65535.0f << 1.0f;
    QTest::newRow("1 %") << ((655u << 16) | 655u) << 655 / 65535.0f << 655 / 65535.0f;
    QTest::newRow("closing word") << 0xFF00FF00u << 0xFF00 / 65535.0f << 0xFF00 / 65535.0f;
}

void TstSoundDevice::volumeWordSplitsIntoChannels()
{
    QFETCH(quint32, word);
    QFETCH(float, left);
    QFETCH(float, right);
    Recording rec;
    SoundDevice::instance().setVolume(0);
    SoundDevice::instance().setVolume(word); // the last word wins
    QCOMPARE(SoundDevice::instance().volume(), word);
    QVERIFY(play(wave(96000, 16, 960, 16384), platform::SND_SYNC));
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0].frames, 960);
    QCOMPARE(r[0].left, 0.5f * left);
    QCOMPARE(r[0].right, 0.5f * right);
}

void TstSoundDevice::newPlayCutsThePrevious()
{
    Recording rec;
    QVERIFY(play(wave(96000, 16, 96000, 8192), platform::SND_ASYNC));
    QTRY_VERIFY(SoundDevice::instance().stats().tones == 1);
    QVERIFY(play(wave(96000, 16, 2400, 16384), platform::SND_SYNC));
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0].left, 0.25f);
    QVERIFY2(r[0].frames < 96000 / 2, qPrintable(QString::number(r[0].frames)));
    // The second follows the first without a gap and plays whole.
    QCOMPARE(r[1].first, r[0].first + r[0].frames);
    QCOMPARE(r[1].frames, 2400);
    QCOMPARE(r[1].left, 0.5f);
}

void TstSoundDevice::loopRunsUntilStop()
{
    Recording rec;
    const QByteArray tone = wave(96000, 16, 480, 4096);
    QVERIFY(play(tone, platform::SND_ASYNC | platform::SND_LOOP));
    const std::int64_t from = SoundDevice::instance().stats().frames;
    QTRY_VERIFY(SoundDevice::instance().stats().frames > from + 10 * 480);
    SoundDevice::instance().stop();
    const std::int64_t stopped = SoundDevice::instance().stats().frames;
    QTRY_VERIFY(SoundDevice::instance().stats().frames > stopped + 3 * DeviceRate / 10);
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 1);
    QVERIFY2(r[0].frames > 10 * 480, qPrintable(QString::number(r[0].frames)));
    // Stopped at once: no later than the device's latency after the call.
    QVERIFY(r[0].first + r[0].frames < stopped + 2 * DeviceRate / 10);
}

void TstSoundDevice::streamRepeatsTheRhythmOfTheCalls()
{
    if (Emulated())
        QSKIP("the rhythm of the stream against the wall clock, which an emulator cannot keep");
    // Tones as far apart in the stream as their calls were on the clock, not
    // moved to the device's buffer boundaries (up to 20 ms off). The disk
    // driver runs a few percent off the wall clock, so the measure is the
    // device's own rate.
    Recording rec;
    const QByteArray tone = wave(96000, 16, 960, 8192);
    play(wave(96000, 16, 96, 0), platform::SND_ASYNC);
    // Past the first second, in which the clock settles on the rate.
    QTRY_VERIFY_WITH_TIMEOUT(SoundDevice::instance().stats().callbacks > 60, 3000);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    QVector<double> calls;
    for (int ms : {0, 37, 81, 130, 164}) {
        platform::sleepUntil(start + std::chrono::milliseconds(ms));
        calls << std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        QVERIFY(play(tone, platform::SND_ASYNC));
    }
    const double rate = SoundDevice::instance().stats().lockedRate;
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), calls.size());
    QVector<double> errors;
    for (int i = 1; i < r.size(); ++i)
        errors << std::abs((r[i].first - r[0].first) * 1000.0 / rate - (calls[i] - calls[0]));
    std::sort(errors.begin(), errors.end());
    // The median, so that one callback that the scheduler held up on a busy
    // machine does not decide.
    QVERIFY2(errors[errors.size() / 2] < 2, qPrintable(QString::number(errors[errors.size() / 2])));
}

void TstSoundDevice::keyedTonesChainInFrames_data()
{
    QTest::addColumn<bool>("fresh"); // the first tone opens the device
    QTest::addColumn<int>("busyMs"); // the caller held up before the next character
    QTest::addColumn<bool>("chained");
    QTest::newRow("first tones after opening") << true << 0 << true;
    QTest::newRow("next character keyed at once") << false << 0 << true;
    // Far longer than any slack a keyer had: the next character was keyed
    // while the first still sounded, so nothing moved.
    QTest::newRow("caller held up 150 ms") << false << 150 << true;
    QTest::newRow("a pause") << false << 700 << false;
}

void TstSoundDevice::keyedTonesChainInFrames()
{
    // A keyer in a keying sequence: a dot, a 25 ms gap, a dash, its 125 ms
    // closing silence, then the next character's dot. The stream holds
    // exactly those silences, counted in frames, however long the caller was
    // held up, as long as the next character came before the first had sounded
    // out; a later one starts a chain of its own, exact again.
    if (Emulated())
        QSKIP("a caller held up for a set time, which an emulator cannot keep");
    QFETCH(bool, fresh);
    QFETCH(int, busyMs);
    QFETCH(bool, chained);
    const QByteArray dot = wave(96000, 16, 2400, 8192);
    const QByteArray dash = wave(96000, 16, 7200, 8192);
    Recording rec;
    if (!fresh) {
        play(wave(96000, 16, 96, 0), platform::SND_ASYNC);
        QTRY_VERIFY(SoundDevice::instance().stats().callbacks > 5);
    }
    platform::KeyingSequence sequence;
    platform::KeyingSequence::Span first;
    {
        platform::KeyingScope scope(sequence);
        QVERIFY(play(dot, platform::SND_SYNC));
        platform::sleepMs(25);
        QVERIFY(play(dash, platform::SND_SYNC));
        platform::sleepMs(125);
        first = scope.span();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(busyMs));
    platform::KeyingSequence::Span next;
    {
        platform::KeyingScope scope(sequence);
        QVERIFY(play(dot, platform::SND_SYNC));
        next = scope.span();
    }
    QCOMPARE(next.start == first.end, chained);
    QVERIFY(sequence.waitUntilIdle());
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 3);
    QCOMPARE(r[0].frames, 2400);
    QCOMPARE(r[1].frames, 7200);
    QCOMPARE(r[2].frames, 2400);
    QCOMPARE(r[1].first - (r[0].first + r[0].frames), 25 * 96);
    const qsizetype closing = r[2].first - (r[1].first + r[1].frames);
    if (chained)
        QCOMPARE(closing, 125 * 96);
    else
        QVERIFY2(closing > (125 + 200) * 96, qPrintable(QString::number(closing)));
}

void TstSoundDevice::renderedBlocksKeepLongGaps()
{
    // Blocks rendered ahead, with a gap of seconds between them: the second
    // lands that many frames after the first's nominal end, to the frame.
    Recording rec;
    platform::KeyingSequence sequence;
    platform::RenderedBlock b;
    b.samples.assign(4800, 0.25f);
    b.start = 0;
    b.length = 2400; // half of it a closing silence, as a group might have
    std::fill(b.samples.begin() + 2400, b.samples.end(), 0.0f);
    const platform::KeyingSequence::Span one = sequence.append(b, 0, 0xFFFF7FFFu);
    const platform::KeyingSequence::Span two = sequence.append(b, 96000 + 123);
    QCOMPARE(two.start, one.end + 96000 + 123);
    QVERIFY(sequence.waitUntilIdle());
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[1].first - r[0].first, qsizetype(2400 + 96000 + 123));
    QCOMPARE(r[0].left, 0.25f * 0x7FFF / 65535.0f);
    QCOMPARE(r[0].right, 0.25f);
    QCOMPARE(r[1].left, 0.25f);
}

void TstSoundDevice::volumeLandsInStreamOrder()
{
    // A volume change after a play, a stop or a tone's end is heard after
    // them, though the tone is still on its way to the device when it comes.
    Recording rec;
    play(wave(96000, 16, 96, 0), platform::SND_ASYNC);
    QTRY_VERIFY(SoundDevice::instance().stats().callbacks > 5);
    QVERIFY(play(wave(96000, 16, 4800, 16384), platform::SND_SYNC));
    SoundDevice::instance().setVolume(0x7FFF7FFFu);
    platform::sleepMs(20);
    QVERIFY(play(wave(96000, 16, 4800, 16384), platform::SND_SYNC));
    platform::sleepMs(20);
    QVERIFY(play(wave(96000, 16, 96000, 16384), platform::SND_ASYNC));
    platform::sleepMs(30);
    SoundDevice::instance().stop();
    SoundDevice::instance().setVolume(0);
    SoundDevice::instance().setVolume(0xFFFFFFFFu);
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 3);
    QCOMPARE(r[0].frames, 4800);
    QCOMPARE(r[0].left, 0.5f);
    QCOMPARE(r[1].frames, 4800);
    QCOMPARE(r[1].left, 0.5f * 0x7FFF / 65535.0f);
    // Cut by the stop, at the level it began with to its last frame.
    QCOMPARE(r[2].left, 0.5f * 0x7FFF / 65535.0f);
    QVERIFY2(r[2].frames < 96000 / 2, qPrintable(QString::number(r[2].frames)));
    QCOMPARE(SoundDevice::instance().volume(), 0xFFFFFFFFu);
}

void TstSoundDevice::nothingLandsInsideASynchronousPlay()
{
    // A synchronous play returns when its tone's time has passed since the
    // call, but the stream placed it later than the call and may run a shade
    // slower than the clock (the disk driver does): a stop that follows must
    // still land after its last frame, never cut it.
    Recording rec;
    const QByteArray tone = wave(96000, 16, 9600, 8192);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(play(tone, platform::SND_SYNC));
        SoundDevice::instance().stop();
        SoundDevice::instance().setVolume(0xFFFFFFFFu - std::uint32_t(i));
        platform::sleepMs(20);
    }
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 10);
    for (const Run &run : r)
        QCOMPARE(run.frames, 9600);
}

void TstSoundDevice::softEdgesKeepTheNominalFrames()
{
    // Flat tones make the envelope plain: half amplitude falls exactly on
    // the nominal first frame of each tone and on the frame after its last,
    // so marks and spaces measured there keep their length to the frame.
    SoundDevice::instance().setSoftEdges(true);
    const QByteArray dot = wave(96000, 16, 2400, 16384);
    const QByteArray dash = wave(96000, 16, 7200, 16384);
    Recording rec;
    platform::KeyingSequence sequence;
    {
        platform::KeyingScope scope(sequence);
        QVERIFY(play(dot, platform::SND_SYNC));
        platform::sleepMs(25);
        QVERIFY(play(dash, platform::SND_SYNC));
        platform::sleepMs(25);
        QVERIFY(play(dot, platform::SND_SYNC));
    }
    QVERIFY(sequence.waitUntilIdle());
    const QVector<float> s = rec.take();
    QVector<qsizetype> rises;
    QVector<qsizetype> falls;
    for (qsizetype f = 1; 2 * f < s.size(); ++f) {
        const float was = s[2 * (f - 1)];
        const float now = s[2 * f];
        if (was < 0.25f && now >= 0.25f)
            rises << f;
        if (was > 0.25f && now <= 0.25f)
            falls << f;
        // Only ramps and the flat top: nothing overshoots.
        QVERIFY(now >= 0 && now <= 0.5f);
    }
    QCOMPARE(rises.size(), 3);
    QCOMPARE(falls.size(), 3);
    QCOMPARE(s[2 * rises[0]], 0.25f);
    QCOMPARE(falls[0] - rises[0], 2400);
    QCOMPARE(rises[1] - falls[0], 2400);
    QCOMPARE(falls[1] - rises[1], 7200);
    QCOMPARE(rises[2] - falls[1], 2400);
    QCOMPARE(falls[2] - rises[2], 2400);
    // The ramp opens before the nominal start and closes after the end.
    QVERIFY(s[2 * (rises[0] - 1)] > 0);
    QVERIFY(s[2 * (falls[2] + 1)] > 0);
    QCOMPARE(s[2 * (falls[2] + 10 * 96)], 0.0f); // and is over within a few ms
}

void TstSoundDevice::sidetoneFollowsTheKey()
{
    // A key held 100 ms: the sidetone's stream holds a mark that long between
    // its half-amplitude points, on the frames the key's events were given.
    SoundDevice::instance().setSoftEdges(true);
    Recording rec;
    platform::Sidetone sidetone;
    QVERIFY(sidetone.setTone(wave(96000, 16, 96000, 16384).constData(),
                             std::size_t(wave(96000, 16, 96000, 16384).size()), 0xFFFFFFFFu));
    QVERIFY(!sidetone.setTone("RIFF", 4, 0xFFFFFFFFu));
    QTRY_VERIFY(SoundDevice::instance().sidetoneStats().callbacks > 5);
    const auto down = std::chrono::steady_clock::now();
    const std::int64_t d = sidetone.keyDown(down);
    QCOMPARE(sidetone.keyDown(down + std::chrono::milliseconds(10)), d); // held: no new edge
    const std::int64_t u = sidetone.keyUp(down + std::chrono::milliseconds(100));
    // 100 ms on the stream's own clock (the disk driver runs a few per cent
    // slow, the more so with short buffers).
    const double rate = SoundDevice::instance().sidetoneStats().lockedRate;
    QVERIFY2(qAbs(double(u - d) - rate / 10) < 100,
             qPrintable(QStringLiteral("%1 frames at %2 a second").arg(u - d).arg(rate)));
    QTRY_VERIFY(SoundDevice::instance().sidetoneStats().frames >
                u - SoundDevice::instance().sidetoneStats().firstFrame + 4800);
    const SoundDevice::Stats st = SoundDevice::instance().sidetoneStats();
    QCOMPARE(st.keyDowns, 1);
    SoundDevice::instance().shutdown();
    QFile f(qEnvironmentVariable("SDL_DISKAUDIOFILE"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVector<float> s(bytes.size() / qsizetype(sizeof(float)));
    std::memcpy(s.data(), bytes.constData(), std::size_t(s.size()) * sizeof(float));
    QVector<qsizetype> edges; // where it crosses half amplitude, up then down
    for (qsizetype k = 1; 2 * k < s.size(); ++k)
        if ((s[2 * (k - 1)] < 0.25f && s[2 * k] >= 0.25f) ||
            (s[2 * (k - 1)] > 0.25f && s[2 * k] <= 0.25f))
            edges << k;
    QCOMPARE(edges.size(), 2);
    QCOMPARE(edges[1] - edges[0], qsizetype(u - d));
}

void TstSoundDevice::softEdgesNeverStep_data()
{
    QTest::addColumn<bool>("soft");
    QTest::newRow("soft edges") << true;
    // The same calls with raw edges step, so the measure can see a click.
    QTest::newRow("raw edges") << false;
}

void TstSoundDevice::softEdgesNeverStep()
{
    // A full-scale 700 Hz sine (a period of 137.14 frames, so no tone ends
    // on a whole one) started, ended, cut by a new play, looped and stopped:
    // with soft edges no step between two frames is larger than the sine's
    // own steepest one and what the ramp adds to it.
    QFETCH(bool, soft);
    SoundDevice::instance().setSoftEdges(soft);
    auto sine = [](int frames) {
        QByteArray data;
        for (int i = 0; i < frames; ++i) {
            const auto v = qint16(std::lround(32767 * std::sin(2 * M_PI * 700 * i / 96000.0)));
            data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
        }
        return waveImage(96000, 16, 1, data);
    };
    Recording rec;
    QVERIFY(play(sine(4321), platform::SND_SYNC)); // ends mid-period
    platform::sleepMs(25);
    QVERIFY(play(sine(96000), platform::SND_ASYNC));
    platform::sleepMs(47);
    QVERIFY(play(sine(3000), platform::SND_SYNC)); // cuts the long one
    platform::sleepMs(25);
    QVERIFY(play(sine(960), platform::SND_ASYNC | platform::SND_LOOP)); // seven whole periods
    platform::sleepMs(61);
    SoundDevice::instance().stop(); // mid-period of the loop
    const QVector<float> s = rec.take();
    const double sineStep = 2 * M_PI * 700 / 96000.0;
    const double allowed = sineStep * 1.05 + M_PI / (2 * 384.0);
    double largest = 0;
    for (qsizetype f = 2; f < s.size(); f += 2)
        largest = std::max(largest, double(std::abs(s[f] - s[f - 2])));
    if (soft)
        QVERIFY2(largest <= allowed,
                 qPrintable(QStringLiteral("%1 > %2").arg(largest).arg(allowed)));
    else
        QVERIFY2(largest > 3 * allowed, qPrintable(QString::number(largest)));
}

void TstSoundDevice::playSoundForwardsToTheDevice()
{
    Recording rec;
    QVector<platform::SoundCall::Kind> seen;
    platform::setSoundObserver([&](const platform::SoundCall &c) { seen << c.kind; });
    platform::waveOutSetVolume(0, 0x0000FFFFu);
    platform::waveOutSetVolume(1, 0); // no such device: ignored
    const QByteArray tone = wave(96000, 16, 960, 16384);
    QVERIFY(platform::PlaySoundA(tone.constData(), std::size_t(tone.size()), platform::SND_MEMORY));
    QVERIFY(platform::PlaySoundA(nullptr, 0, 0));
    platform::setSoundObserver({});
    QCOMPARE(seen.size(), 4);
    const QVector<Run> r = runs(rec.take());
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0].frames, 960);
    QCOMPARE(r[0].left, 0.5f);
    QCOMPARE(r[0].right, 0.0f);
}

QTEST_GUILESS_MAIN(TstSoundDevice)
#include "tst_sounddevice.moc"
