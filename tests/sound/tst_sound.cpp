#include "platform/playsound.h"
#include "platform/random.h"
#include "platform/sounddevice.h"
#include "sound/tgerasom.h"

#include <QtTest>
#include <random>
#include <vector>

namespace {

std::uint32_t u32(const std::uint8_t *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::int16_t s16(const std::uint8_t *p)
{
    return static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

// Decoded samples of the generator's image: signed 16-bit, or unsigned bytes.
std::vector<int> samples(const TGeraSom &g)
{
    std::vector<int> out;
    const std::uint8_t *d = g.Data() + 44;
    const std::uint32_t len = u32(g.Data() + 40);
    const bool wide = g.Resolution() == tg16Bit;
    for (std::uint32_t i = 0; i < len; i += wide ? 2 : 1)
        out.push_back(wide ? s16(d + i) : d[i]);
    return out;
}

QList<int> ramp(int from, double step, int count)
{
    QList<int> out;
    for (int i = 0; i < count; ++i)
        out << static_cast<int>(from + step * i);
    return out;
}

// Records what the generator asks of the sound device.
struct Recorder
{
    QList<platform::SoundCall> calls;
    Recorder()
    {
        platform::setSoundObserver([this](const platform::SoundCall &c) { calls << c; });
    }
    ~Recorder() { platform::setSoundObserver({}); }
    int count(platform::SoundCall::Kind k) const
    {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(), [k](const auto &c) { return c.kind == k; }));
    }
    QList<std::uint32_t> volumes() const
    {
        QList<std::uint32_t> v;
        for (const auto &c : calls)
            if (c.kind == platform::SoundCall::Kind::Volume)
                v << c.volume;
        return v;
    }
};

} // namespace

class TstSound : public QObject
{
    Q_OBJECT

private slots:
    void header_data();
    void header();
    void firstSamples_data();
    void firstSamples();
    void periodsEndAtTruncatedMultiples();
    void oddImageUsesSpareByte();
    void negativeSampleIsLittleEndian();
    void noiseStaysInRange();
    void clamping_data();
    void clamping();
    void volumeWords_data();
    void volumeWords();
    void firstAndLastInstanceSetDeviceVolume();
    void playSynthesizesOnlyWhenNeeded();
    void playFlags_data();
    void playFlags();
    void asyncPlayDefersVolumeWrites();
    void failedAllocationLeavesNoImage();
    void envelopeShapesTone();
    void everyWrittenValueIsClamped();
    void randomPropertiesPlaySafely();
    void softEdgesLeaveTheImageAlone_data();
    void softEdgesLeaveTheImageAlone();
};

void TstSound::header_data()
{
    QTest::addColumn<int>("duration");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("dataLength");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("byteRate");
    QTest::addColumn<int>("blockAlign");
    QTest::addColumn<int>("bits");

    QTest::newRow("defaults") << 100 << int(tg16Bit) << int(tgHiQ) << 19200 << 96000 << 192000 << 2
                              << 16;
    QTest::newRow("8-bit low rate")
        << 100 << int(tg8Bit) << int(tgLoQ) << 4410 << 44100 << 44100 << 1 << 8;
    QTest::newRow("odd 16-bit") << 25 << int(tg16Bit) << int(tgLoQ) << 2205 << 44100 << 88200 << 2
                                << 16;
    QTest::newRow("longest dash") << 375 << int(tg16Bit) << int(tgHiQ) << 72000 << 96000 << 192000
                                  << 2 << 16;
}

void TstSound::header()
{
    QFETCH(int, duration);
    QFETCH(int, resolution);
    QFETCH(int, quality);
    QFETCH(int, dataLength);
    QFETCH(int, rate);
    QFETCH(int, byteRate);
    QFETCH(int, blockAlign);
    QFETCH(int, bits);

    TGeraSom g;
    g.SetDuration(static_cast<std::int16_t>(duration));
    g.SetResolution(TTGResolution(resolution));
    g.SetQuality(TTGQuality(quality));
    QVERIFY(g.Prepare());
    const std::uint8_t *h = g.Data();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(h), 4), QByteArray("RIFF"));
    QCOMPARE(u32(h + 4), std::uint32_t(dataLength + 36));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(h + 8), 8), QByteArray("WAVEfmt "));
    QCOMPARE(u32(h + 16), 16u);
    QCOMPARE(s16(h + 20), 1);
    QCOMPARE(s16(h + 22), 1);
    QCOMPARE(u32(h + 24), std::uint32_t(rate));
    QCOMPARE(u32(h + 28), std::uint32_t(byteRate));
    QCOMPARE(s16(h + 32), blockAlign);
    QCOMPARE(s16(h + 34), bits);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(h + 36), 4), QByteArray("data"));
    QCOMPARE(u32(h + 40), std::uint32_t(dataLength));
    QCOMPARE(g.DataSize(), std::size_t(dataLength + 48));
    // The spare bytes stay zero, but for the high byte of an odd image's last sample.
    for (int i = dataLength % 2; i < 4; ++i)
        QCOMPARE(int(h[44 + dataLength + i]), 0);
}

void TstSound::firstSamples_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("waveform");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("default sine") << 440 << int(tgSine) << int(tg16Bit)
                                  << QList<int>{0, 944, 1887, 2829, 3769};
    QTest::newRow("8-bit sine") << 440 << int(tgSine) << int(tg8Bit)
                                << QList<int>{127, 131, 134, 138, 142};

    // 3000 Hz at 96000 Hz: N = 32, h = 16; the next period starts afresh.
    QList<int> triangle = ramp(-32767, 4095.875, 17);
    for (int j = 17; j < 32; ++j)
        triangle << static_cast<int>(-32767 + 4095.875 * 16 - 4095.875 * (j - 16));
    triangle << -32767 << -28671;
    QTest::newRow("triangle") << 3000 << int(tgTriangle) << int(tg16Bit) << triangle;
    QCOMPARE(triangle.at(8), 0);
    QCOMPARE(triangle.at(16), 32767);
    QCOMPARE(triangle.at(31), -28671);

    QList<int> saw = ramp(-32767, 2047.9375, 32);
    saw << -32767;
    QTest::newRow("sawtooth") << 3000 << int(tgSawtooth) << int(tg16Bit) << saw;
    QCOMPARE(saw.at(31), 30719);

    QList<int> square(16, -32767);
    square << QList<int>(16, 32767) << -32767;
    QTest::newRow("square 16-bit") << 3000 << int(tgSquare) << int(tg16Bit) << square;
    QList<int> square8(16, 0);
    square8 << QList<int>(16, 255) << 0;
    QTest::newRow("square 8-bit") << 3000 << int(tgSquare) << int(tg8Bit) << square8;
}

void TstSound::firstSamples()
{
    QFETCH(int, frequency);
    QFETCH(int, waveform);
    QFETCH(int, resolution);
    QFETCH(QList<int>, expected);

    TGeraSom g;
    g.SetFrequency(static_cast<std::int16_t>(frequency));
    g.SetWaveform(TTGWave(waveform));
    g.SetResolution(TTGResolution(resolution));
    QVERIFY(g.Prepare());
    const std::vector<int> s = samples(g);
    QCOMPARE(QList<int>(s.begin(), s.begin() + expected.size()), expected);
}

void TstSound::periodsEndAtTruncatedMultiples()
{
    // At 440 Hz a period is 218.18 samples: the k-th period ends at trunc(P k),
    // so periods run 218, 218, 218, 218, 218, 219, ... and the sawtooth
    // restarts exactly there.
    TGeraSom g;
    g.SetWaveform(tgSawtooth);
    g.SetDuration(1000);
    QVERIFY(g.Prepare());
    const std::vector<int> s = samples(g);
    QList<int> starts;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == -32767)
            starts << int(i);
    const double P = 96000.0 / 440;
    QCOMPARE(starts.size(), 440);
    for (int k = 0; k < starts.size(); ++k)
        QCOMPARE(starts.at(k), int(P * k));
    QCOMPARE(starts.at(6) - starts.at(5), 219);
}

void TstSound::oddImageUsesSpareByte()
{
    TGeraSom g;
    g.SetDuration(25);
    g.SetQuality(tgLoQ);
    g.SetWaveform(tgSquare);
    g.SetFrequency(20000); // N = 2, h = 1: samples alternate -32767, +32767
    QVERIFY(g.Prepare());
    QCOMPARE(u32(g.Data() + 40), 2205u);
    // 1103 samples: the last (index 1102, even, so low) sits at bytes 2204/2205.
    QCOMPARE(s16(g.Data() + 44 + 2204), -32767);
    QCOMPARE(int(g.Data()[44 + 2206]), 0);
}

void TstSound::negativeSampleIsLittleEndian()
{
    TGeraSom g;
    g.SetFrequency(20); // N = 4800: sample 2407 is trunc(32767 sin(2 pi 2407 / 4800)) = -300
    QVERIFY(g.Prepare());
    QCOMPARE(int(g.Data()[44 + 2 * 2407]), 0xD4);
    QCOMPARE(int(g.Data()[44 + 2 * 2407 + 1]), 0xFE);
}

void TstSound::noiseStaysInRange()
{
    platform::RandSeed(1234);
    for (auto wave : {tgNoise, TTGWave(7)}) {
        TGeraSom g;
        g.SetWaveform(wave);
        g.SetDuration(2000);
        QVERIFY(g.Prepare());
        const std::vector<int> s = samples(g);
        // 0 .. 65534 stored in 16 bits: every signed value but -1.
        QVERIFY(std::find(s.begin(), s.end(), -1) == s.end());
        QVERIFY(*std::min_element(s.begin(), s.end()) < -30000);
        QVERIFY(*std::max_element(s.begin(), s.end()) > 30000);
    }
}

void TstSound::clamping_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("stored");

    QTest::newRow("frequency 0") << "Frequency" << 0 << 20;
    QTest::newRow("frequency 25000") << "Frequency" << 25000 << 20000;
    QTest::newRow("frequency -1") << "Frequency" << -1 << 20;
    QTest::newRow("frequency 3000") << "Frequency" << 3000 << 3000;
    QTest::newRow("duration 5") << "Duration" << 5 << 10;
    QTest::newRow("duration -32768") << "Duration" << -32768 << 10;
    QTest::newRow("duration 32767") << "Duration" << 32767 << 32767;
    QTest::newRow("attack 101") << "Attack" << 101 << 100;
    QTest::newRow("decay -1") << "Decay" << -1 << 0;
    QTest::newRow("sustain 200") << "Sustain" << 200 << 100;
    QTest::newRow("release -5") << "Release" << -5 << 0;
    QTest::newRow("left 150") << "LeftVolume" << 150 << 100;
    QTest::newRow("right -3") << "RightVolume" << -3 << 0;
}

void TstSound::clamping()
{
    QFETCH(QString, property);
    QFETCH(int, written);
    QFETCH(int, stored);

    TGeraSom g;
    const auto v = static_cast<std::int16_t>(written);
    int got = 0;
    if (property == "Frequency")
        g.SetFrequency(v), got = g.Frequency();
    else if (property == "Duration")
        g.SetDuration(v), got = g.Duration();
    else if (property == "Attack")
        g.SetAttack(v), got = g.Attack();
    else if (property == "Decay")
        g.SetDecay(v), got = g.Decay();
    else if (property == "Sustain")
        g.SetSustain(v), got = g.Sustain();
    else if (property == "Release")
        g.SetRelease(v), got = g.Release();
    else if (property == "LeftVolume")
        g.SetLeftVolume(v), got = g.LeftVolume();
    else
        g.SetRightVolume(v), got = g.RightVolume();
    QCOMPARE(got, stored);
}

void TstSound::volumeWords_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<uint>("word");

    QTest::newRow("100/50") << 100 << 50 << 0x7FFFFFFFu;
    QTest::newRow("50/100") << 50 << 100 << 0xFFFF7FFFu;
    QTest::newRow("1/0") << 1 << 0 << 655u;
    QTest::newRow("0/1") << 0 << 1 << 655u * 65536;
    QTest::newRow("0/0") << 0 << 0 << 0u;
}

void TstSound::volumeWords()
{
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(uint, word);

    TGeraSom g;
    g.SetAsync(false);
    g.SetLeftVolume(static_cast<std::int16_t>(left));
    g.SetRightVolume(static_cast<std::int16_t>(right));
    Recorder r;
    g.PresetVolume();
    QCOMPARE(r.volumes(), QList<std::uint32_t>{word});
}

void TstSound::firstAndLastInstanceSetDeviceVolume()
{
    QCOMPARE(TGeraSom::InstanceCount(), 0);
    Recorder r;
    {
        TGeraSom first;
        first.SetLeftVolume(10); // stopped, so sent at once
        {
            TGeraSom second;
            QCOMPARE(TGeraSom::InstanceCount(), 2);
        }
        QCOMPARE(r.volumes(), (QList<std::uint32_t>{0xFFFFFFFFu, 6553u + 65535u * 65536}));
    }
    QCOMPARE(TGeraSom::InstanceCount(), 0);
    QCOMPARE(r.volumes().last(), 65280u + 65280u * 65536);
}

void TstSound::playSynthesizesOnlyWhenNeeded()
{
    TGeraSom g;
    g.SetAsync(true);
    g.SetDuration(10);
    Recorder r;
    // A synthesis stops the player before releasing the image; a play stops
    // it before starting: two stops mean a fresh image, one a replay.
    const auto stopsOf = [&](auto call) {
        r.calls.clear();
        call();
        return r.count(platform::SoundCall::Kind::Stop);
    };
    QCOMPARE(stopsOf([&] { g.Play(); }), 2);
    QCOMPARE(stopsOf([&] { g.Play(); }), 1);
    QCOMPARE(stopsOf([&] {
                 g.SetAttack(5);
                 g.Play();
             }),
             1); // envelope write: plain image kept
    QCOMPARE(stopsOf([&] { g.PlayADSR(); }), 2);
    QVERIFY(g.Enveloped());
    QCOMPARE(stopsOf([&] { g.PlayADSR(); }), 1);
    QCOMPARE(stopsOf([&] { g.Play(); }), 2); // back to the plain tone
    QVERIFY(!g.Enveloped());
    QVERIFY(g.EnvelopeChanged());
    QCOMPARE(stopsOf([&] {
                 g.SetWaveform(g.Waveform());
                 g.Play();
             }),
             2);                                // same value still marks
    QCOMPARE(stopsOf([&] { g.Prepare(); }), 1); // always synthesizes
    g.Stop();
}

void TstSound::playFlags_data()
{
    QTest::addColumn<bool>("async");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<uint>("flags");
    QTest::addColumn<bool>("stopped");

    QTest::newRow("sync") << false << false << 4u << true;
    QTest::newRow("async") << true << false << 5u << false;
    QTest::newRow("loop") << false << true << 13u << false;
    QTest::newRow("loop async") << true << true << 13u << false;
}

void TstSound::playFlags()
{
    QFETCH(bool, async);
    QFETCH(bool, loop);
    QFETCH(uint, flags);
    QFETCH(bool, stopped);

    TGeraSom g;
    g.SetAsync(async);
    g.SetLoop(loop);
    g.SetDuration(10);
    Recorder r;
    g.Play();
    QCOMPARE(g.Stopped(), stopped);
    // Stop, volume, play: the device gets the volume before every tone.
    QCOMPARE(r.calls.size(), 4);
    QCOMPARE(r.calls.at(0).kind, platform::SoundCall::Kind::Stop); // synthesis
    QCOMPARE(r.calls.at(1).kind, platform::SoundCall::Kind::Stop); // start of the sound
    QCOMPARE(r.calls.at(2).kind, platform::SoundCall::Kind::Volume);
    QCOMPARE(r.calls.at(3).kind, platform::SoundCall::Kind::Play);
    QCOMPARE(r.calls.at(3).flags, flags);
    QCOMPARE(r.calls.at(3).image, static_cast<const void *>(g.Data()));
    QCOMPARE(r.calls.at(3).size, g.DataSize());
    g.Stop();
    QVERIFY(g.Stopped());
}

void TstSound::asyncPlayDefersVolumeWrites()
{
    TGeraSom g;
    g.SetDuration(10);
    g.Play(); // asynchronous by default
    Recorder r;
    g.SetLeftVolume(50);
    QVERIFY(r.volumes().isEmpty());
    g.Stop();
    g.SetRightVolume(50);
    QCOMPARE(r.volumes(), QList<std::uint32_t>{0x7FFF7FFFu});

    TGeraSom sync;
    sync.SetAsync(false);
    sync.SetDuration(10);
    sync.Play();
    r.calls.clear();
    sync.SetLeftVolume(0);
    QCOMPARE(r.volumes(), QList<std::uint32_t>{0xFFFF0000u});
}

void TstSound::failedAllocationLeavesNoImage()
{
    TGeraSom g;
    g.SetAsync(false);
    QVERIFY(g.Prepare());
    g.SetDuration(50);
    TGeraSom::FailAllocationsForTesting(1);
    QVERIFY(!g.Prepare());
    QCOMPARE(g.Data(), nullptr);
    QVERIFY(g.ToneChanged());
    Recorder r;
    g.SetFrequency(500);
    TGeraSom::FailAllocationsForTesting(1);
    g.Play();
    QCOMPARE(r.count(platform::SoundCall::Kind::Play), 0);
    QVERIFY(g.Stopped());
    g.Play(); // memory is back
    QCOMPARE(r.count(platform::SoundCall::Kind::Play), 1);
    QVERIFY(!g.ToneChanged());
}

void TstSound::envelopeShapesTone()
{
    // A square wave makes every sample the full level, so the envelope's
    // gain reads straight off the samples.
    TGeraSom g;
    g.SetWaveform(tgSquare);
    g.SetFrequency(3000);
    g.SetDuration(100); // 9600 samples: attack 960, decay 1920, sustain 1920, release 2880
    QVERIFY(g.PrepareADSR());
    QVERIFY(g.Enveloped());
    const std::vector<int> s = samples(g);
    QCOMPARE(s.at(0), 0);
    QCOMPARE(s.at(480), static_cast<int>(480 * -32767.0 / 960)); // half-way up the attack
    QCOMPARE(s.at(960), -32767);                                 // decay starts at full
    QCOMPARE(std::abs(s.at(960 + 1920 + 100)), 16383);           // sustain at 50 %
    QVERIFY(std::abs(s.back()) <= 6);                            // release ends near silence
    const int peakInRelease = std::abs(s.at(4800 + 16));
    QVERIFY(peakInRelease <= 16383);

    // Shares over 100 % are scaled down; no sustain sample means sustain 0.
    g.SetAttack(100);
    g.SetDecay(100);
    g.SetRelease(100);
    QVERIFY(g.PrepareADSR());
    const std::vector<int> t = samples(g);
    QCOMPARE(t.at(0), 0);
    QVERIFY(std::abs(t.back()) <= 1);
}

void TstSound::everyWrittenValueIsClamped()
{
    TGeraSom g;
    g.SetAsync(true);
    Recorder r;
    for (int i = -32768; i <= 32767; ++i) {
        const auto v = static_cast<std::int16_t>(i);
        g.SetFrequency(v);
        g.SetDuration(v);
        g.SetAttack(v);
        g.SetDecay(v);
        g.SetSustain(v);
        g.SetRelease(v);
        g.SetLeftVolume(v);
        g.SetRightVolume(v);
        QVERIFY(g.Frequency() >= 20 && g.Frequency() <= 20000);
        QVERIFY(g.Duration() >= 10);
        for (int p : {int(g.Attack()), int(g.Decay()), int(g.Sustain()), int(g.Release()),
                      int(g.LeftVolume()), int(g.RightVolume())})
            QVERIFY(p >= 0 && p <= 100);
    }
    // Every volume word sent stays within 0..0xFFFF per channel by construction
    // of the clamp; the last one is for 100/100.
    QCOMPARE(r.volumes().last(), 0xFFFFFFFFu);
}

void TstSound::randomPropertiesPlaySafely()
{
    // Random tones, envelopes and enumeration values (including ones outside
    // the named values) are built and handed to the real player, under a time
    // budget: every image must be self-consistent.
    std::mt19937 rng(20261208);
    const auto any16 = [&] { return static_cast<std::int16_t>(rng()); };
    TGeraSom g;
    g.SetAsync(true);
    QElapsedTimer budget;
    budget.start();
    int played = 0;
    while (budget.elapsed() < 3000 && played < 400) {
        g.SetFrequency(any16());
        g.SetDuration(static_cast<std::int16_t>(10 + rng() % 400));
        g.SetWaveform(TTGWave(rng() % 256));
        g.SetResolution(TTGResolution(rng() % 3));
        g.SetQuality(TTGQuality(rng() % 3));
        g.SetAttack(any16());
        g.SetDecay(any16());
        g.SetSustain(any16());
        g.SetRelease(any16());
        g.SetLoop(rng() % 8 == 0);
        if (rng() % 2)
            g.Play();
        else
            g.PlayADSR();
        const std::uint8_t *h = g.Data();
        QVERIFY(h != nullptr);
        const std::uint32_t len = u32(h + 40);
        QCOMPARE(g.DataSize(), std::size_t(len) + 48);
        QCOMPARE(u32(h + 4), len + 36);
        ++played;
    }
    g.Stop();
    QVERIFY(played > 10);
}

void TstSound::softEdgesLeaveTheImageAlone_data()
{
    QTest::addColumn<int>("waveform");
    QTest::newRow("sine") << int(tgSine);
    QTest::newRow("square") << int(tgSquare);
    QTest::newRow("triangle") << int(tgTriangle);
    QTest::newRow("sawtooth") << int(tgSawtooth);
}

void TstSound::softEdgesLeaveTheImageAlone()
{
    // The player shapes what reaches the device; the image it is handed, and
    // the one the generator keeps, are the synthesizer's to the byte.
    QFETCH(int, waveform);
    platform::SoundDevice::instance().setSoftEdges(true);
    TGeraSom g;
    g.SetAsync(false);
    g.SetWaveform(TTGWave(waveform));
    g.SetFrequency(733);
    g.SetDuration(25);
    QByteArray handed;
    platform::setSoundObserver([&handed](const platform::SoundCall &c) {
        if (c.kind == platform::SoundCall::Kind::Play)
            handed = QByteArray(static_cast<const char *>(c.image), qsizetype(c.size));
    });
    g.Play();
    platform::setSoundObserver({});
    const QByteArray kept(reinterpret_cast<const char *>(g.Data()), qsizetype(g.DataSize()));
    TGeraSom fresh;
    fresh.SetWaveform(TTGWave(waveform));
    fresh.SetFrequency(733);
    fresh.SetDuration(25);
    QVERIFY(fresh.Prepare());
    const QByteArray made(reinterpret_cast<const char *>(fresh.Data()),
                          qsizetype(fresh.DataSize()));
    QCOMPARE(handed, made);
    QCOMPARE(kept, made);
}

QTEST_GUILESS_MAIN(TstSound)
#include "tst_sound.moc"
