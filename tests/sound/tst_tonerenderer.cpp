#include "sound/tgerasom.h"
#include "sound/tonerenderer.h"
#include "sound/tonewave.h"

#include <QtTest>
#include <cstring>

namespace {

constexpr std::int64_t Edge = 288; // 3 ms at 96000 Hz

std::vector<std::int16_t> rendered(ToneRenderer &r, const std::vector<ToneRenderer::Mark> &marks,
                                   std::int64_t from, std::int64_t count)
{
    std::vector<std::int16_t> out(std::size_t(count), 1234);
    r.render(marks, from, out);
    return out;
}

} // namespace

// Marks cut from the synthesizer's own waveform at their nominal frames, with
// raw edges or the player's soft ones.
class TstToneRenderer : public QObject
{
    Q_OBJECT

private slots:
    void samplesAreTheGeneratorsImage_data();
    void samplesAreTheGeneratorsImage();
    void rawMarksCutAtTheirFrames();
    void softEdgesHalfAmplitudeOnTheNominalFrames_data();
    void softEdgesHalfAmplitudeOnTheNominalFrames();
};

void TstToneRenderer::samplesAreTheGeneratorsImage_data()
{
    QTest::addColumn<int>("waveform");
    QTest::addColumn<int>("frequency");
    const char *names[] = {"sine", "square", "triangle", "sawtooth"};
    for (int w = tgSine; w <= tgSawtooth; ++w)
        for (int f : {20, 700, 1234, 3000})
            QTest::addRow("%s %d Hz", names[w], f) << w << f;
}

// The samples the keyer cuts its marks from are those of the trainer's
// generator at the same tone, 16-bit at 96000 Hz.
void TstToneRenderer::samplesAreTheGeneratorsImage()
{
    QFETCH(int, waveform);
    QFETCH(int, frequency);
    TGeraSom g;
    g.SetWaveform(TTGWave(waveform));
    g.SetFrequency(std::int16_t(frequency));
    g.SetDuration(137);
    QVERIFY(g.Prepare());
    const std::size_t n = (g.DataSize() - 48) / 2;
    const std::vector<std::int16_t> s =
        ToneWave::Samples(TTGWave(waveform), std::int16_t(frequency), n);
    QCOMPARE(s.size(), n);
    QVERIFY(std::memcmp(s.data(), g.Data() + 44, 2 * n) == 0);
}

void TstToneRenderer::rawMarksCutAtTheirFrames()
{
    ToneRenderer r(700, tgSawtooth, false);
    QCOMPARE(r.edgeFrames(), 0);
    const std::vector<ToneRenderer::Mark> marks{{1000, 6760}, {12520, 29800}};
    const auto out = rendered(r, marks, 0, 32000);
    const auto wave = ToneWave::Samples(tgSawtooth, 700, 17280);
    for (std::int64_t n = 0; n < 32000; ++n) {
        std::int16_t expected = 0;
        for (const auto &m : marks)
            if (n >= m.start && n < m.end)
                expected = wave[std::size_t(n - m.start)];
        QCOMPARE(out[std::size_t(n)], expected);
    }
}

void TstToneRenderer::softEdgesHalfAmplitudeOnTheNominalFrames_data()
{
    QTest::addColumn<int>("waveform");
    QTest::newRow("sine") << int(tgSine);
    QTest::newRow("sawtooth") << int(tgSawtooth);
    QTest::newRow("triangle") << int(tgTriangle);
}

// The gain of each frame, read back as the rendered sample over the waveform
// under it: 0 until 3 ms before the nominal start, 1/2 on it, 1 from 3 ms
// after it, point-symmetric about it (so the mark measures its nominal length
// at half amplitude), and the mirror image at the end.
void TstToneRenderer::softEdgesHalfAmplitudeOnTheNominalFrames()
{
    QFETCH(int, waveform);
    ToneRenderer r(700, TTGWave(waveform), true);
    QCOMPARE(r.edgeFrames(), Edge);
    const ToneRenderer::Mark mark{2000, 2000 + 5760};
    const auto out = rendered(r, {mark}, 0, 10000);
    // The waveform runs from the first frame of the rise.
    const auto wave = ToneWave::Samples(TTGWave(waveform), 700, 5760 + 2 * Edge);
    const auto gain = [&](std::int64_t n) -> double {
        const double under = wave[std::size_t(n - (mark.start - Edge))];
        return std::abs(under) < 4000 ? qQNaN() : out[std::size_t(n)] / under;
    };
    for (std::int64_t n = 0; n < 10000; ++n) {
        const bool sounding = n > mark.start - Edge && n < mark.end + Edge;
        if (!sounding)
            QCOMPARE(out[std::size_t(n)], 0);
        else if (n >= mark.start + Edge && n < mark.end - Edge)
            QCOMPARE(out[std::size_t(n)], wave[std::size_t(n - (mark.start - Edge))]);
    }
    const double quantum = 0.5 / 4000;
    int checked = 0;
    for (std::int64_t x = -Edge; x <= Edge; ++x) {
        const double rise = gain(mark.start + x);
        const double mirror = gain(mark.start - x);
        const double fall = gain(mark.end + x);
        if (std::isnan(rise) || std::isnan(mirror) || std::isnan(fall))
            continue;
        ++checked;
        QVERIFY2(std::abs(rise + mirror - 1) <= 2 * quantum + 1e-9, qPrintable(QString::number(x)));
        // The fall is the rise turned upside down.
        QVERIFY2(std::abs(rise + fall - 1) <= 2 * quantum + 1e-9, qPrintable(QString::number(x)));
        if (x == 0)
            QVERIFY(std::abs(rise - 0.5) <= quantum);
        if (x > 0)
            QVERIFY(rise > 0.5);
    }
    QVERIFY(checked > 100);
}

QTEST_GUILESS_MAIN(TstToneRenderer)
#include "tst_tonerenderer.moc"
