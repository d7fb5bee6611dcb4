#include "sound/tgerasom.h"

#include <QCryptographicHash>
#include <QtTest>
#include <limits>

namespace {

constexpr int LowestFrequency = 20;
constexpr int HighestFrequency = 20000;

// Two whole periods of the lowest tones, and never below the shortest tone.
std::int16_t TwoPeriods(int frequency)
{
    return static_cast<std::int16_t>(std::max(10, 2000 / frequency + 1));
}

// The x87 unit's extended format, in which the synthesizer once computed.
constexpr bool X87 = std::numeric_limits<long double>::digits == 64;

} // namespace

// The images of the tone synthesizer do not depend on the CPU: digests of
// the images at every frequency, recorded from the portable computation,
// and on an x87 unit the period ends against the extended-precision ones.
class TstSoundBytes : public QObject
{
    Q_OBJECT

private slots:
    void imagesAsRecorded_data();
    void imagesAsRecorded();
    void periodEndsAgreeWithX87_data();
    void periodEndsAgreeWithX87();
};

void TstSoundBytes::imagesAsRecorded_data()
{
    QTest::addColumn<int>("waveform");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("quality");
    QTest::addColumn<bool>("envelope");
    QTest::addColumn<QByteArray>("digest");

    const char *waves[] = {"sine", "square", "triangle", "sawtooth"};
    const char *resolutions[] = {"16-bit", "8-bit"};
    const char *qualities[] = {"96000 Hz", "44100 Hz"};
    const QByteArray digests[4][2][2] = {
        {{"44dfa0931d8d96b05d4d7029958ad6a350611f40", "a8ba38e1a65bd199d6309c98e0af7dc9394726ef"},
         {"0b6b3e02e220bd6c6100c3f86a4b25f3574c01f1", "7f66cc2e2498a436e8ea294758c431826e748829"}},
        {{"10d1399cc2769bf16ceb23be5c38b03dbf388d27", "1be1572ab93732005674f295685e2adadd930f24"},
         {"682119492eccca5d76b032f944192188ec1a0c98", "450faa136597dbc6fc12e21ae6b72f7223887e1f"}},
        {{"2dfa151aebca76d5cd26dd9f20d342f2a4b54427", "3fa8c26803a11d9480fd428643b2f342739c0a4c"},
         {"62c2022a0aef6fe03024bbe4407cb0b6077e0291", "df5a0ec16ab40810613fb890900d53c63b9c649f"}},
        {{"46defdabd2e44cba4480d0de3d15d8aa9c71ff9a", "cba217c4ad43dbded7490f68ef53cff5ebbf5d61"},
         {"d942330e6424ea94c5a77b8e3b070eba0ca01c3a", "aba22a099ed2ec566a9f83124a8d3c5cd9f07e0b"}},
    };
    for (int w = tgSine; w <= tgSawtooth; ++w)
        for (int r = tg16Bit; r <= tg8Bit; ++r)
            for (int q = tgHiQ; q <= tgLoQ; ++q)
                QTest::addRow("%s %s %s", waves[w], resolutions[r], qualities[q])
                    << w << r << q << false << digests[w][r][q];
    QTest::newRow("sine 16-bit 96000 Hz, envelope")
        << int(tgSine) << int(tg16Bit) << int(tgHiQ) << true
        << QByteArray("04a4d9af9f5809d47450ed49737c0be3a825f502");
    QTest::newRow("triangle 8-bit 44100 Hz, envelope")
        << int(tgTriangle) << int(tg8Bit) << int(tgLoQ) << true
        << QByteArray("9a244f86a13fd70eed7a01d90c3c7d70af4dce48");
}

void TstSoundBytes::imagesAsRecorded()
{
    QFETCH(int, waveform);
    QFETCH(int, resolution);
    QFETCH(int, quality);
    QFETCH(bool, envelope);
    QFETCH(QByteArray, digest);

    TGeraSom g;
    g.SetWaveform(TTGWave(waveform));
    g.SetResolution(TTGResolution(resolution));
    g.SetQuality(TTGQuality(quality));
    // Uneven shares, so every segment of the envelope takes part.
    g.SetAttack(7);
    g.SetDecay(23);
    g.SetSustain(61);
    g.SetRelease(41);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int f = LowestFrequency; f <= HighestFrequency; ++f) {
        g.SetFrequency(static_cast<std::int16_t>(f));
        g.SetDuration(TwoPeriods(f));
        QVERIFY(envelope ? g.PrepareADSR() : g.Prepare());
        hash.addData(QByteArrayView(g.Data(), qsizetype(g.DataSize())));
    }
    QCOMPARE(hash.result().toHex(), digest);
}

void TstSoundBytes::periodEndsAgreeWithX87_data()
{
    if constexpr (!X87)
        QSKIP("long double is not the x87 format here; the recorded digests stand in for it");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("moved");
    QTest::addColumn<int>("frequenciesMoved");
    QTest::newRow("96000 Hz") << int(tgHiQ) << 1437 << 369;
    QTest::newRow("44100 Hz") << int(tgLoQ) << 2025 << 380;
}

// The k-th period ends at trunc(P k). Where P k is not a whole number any
// real of 40 bits or more truncates it alike, so there the ends must match
// the extended-precision ones exactly; where it is whole, the x87 product may
// fall a shade short and end the period one sample early. Those ends, in a
// 100 ms tone (the generator's default) at every frequency, are counted and
// recorded.
void TstSoundBytes::periodEndsAgreeWithX87()
{
    QFETCH(int, quality);
    QFETCH(int, moved);
    QFETCH(int, frequenciesMoved);
    const std::int64_t rate = quality == tgHiQ ? 96000 : 44100;

    TGeraSom g;
    g.SetWaveform(tgSquare);
    g.SetResolution(tg8Bit);
    g.SetQuality(TTGQuality(quality));
    g.SetDuration(100);
    int movedEnds = 0;
    int movedFrequencies = 0;
    for (int f = LowestFrequency; f <= HighestFrequency; ++f) {
        g.SetFrequency(static_cast<std::int16_t>(f));
        QVERIFY(g.Prepare());
        const std::uint8_t *s = g.Data() + 44;
        const qsizetype count = qsizetype(g.DataSize()) - 48;
        const long double P = static_cast<long double>(rate) / static_cast<long double>(f);
        bool movedHere = false;
        std::int64_t k = 0;
        // A square period starts low and ends high: each rise from high to
        // low is a period's end.
        for (qsizetype i = 1; i < count; ++i) {
            if (!(s[i] == 0 && s[i - 1] == 255))
                continue;
            ++k;
            const auto x87 = static_cast<qsizetype>(P * static_cast<long double>(k));
            if (i == x87)
                continue;
            if ((rate * k) % f != 0 || i != rate * k / f || x87 != i - 1)
                QFAIL(qPrintable(QStringLiteral("%1 Hz: period %2 ends at %3, the x87 at %4")
                                     .arg(f)
                                     .arg(k)
                                     .arg(i)
                                     .arg(x87)));
            ++movedEnds;
            movedHere = true;
        }
        QVERIFY(k > 0);
        movedFrequencies += movedHere;
    }
    qInfo("%d period ends at %d of %d frequencies where the x87 fell one sample short", movedEnds,
          movedFrequencies, HighestFrequency - LowestFrequency + 1);
    QCOMPARE(movedEnds, moved);
    QCOMPARE(movedFrequencies, frequenciesMoved);
}

QTEST_GUILESS_MAIN(TstSoundBytes)
#include "tst_soundbytes.moc"
