#include "morse/morserenderer.h"
#include "morse/morsetext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

MorseText parsed(const QString &text)
{
    return MorseText::parse(text);
}

std::vector<std::int16_t> samplesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll().mid(44);
    std::vector<std::int16_t> s(std::size_t(bytes.size() / 2));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = qFromLittleEndian<std::int16_t>(bytes.constData() + 2 * i);
    return s;
}

} // namespace

// Text keyed ahead into the very samples a player plays and a WAV file holds.
class TstMorseRenderer : public QObject
{
    Q_OBJECT

private slots:
    void blockLayout_data();
    void blockLayout();
    void goldenSamples();
    void waveFileHoldsTheBlock_data();
    void waveFileHoldsTheBlock();
    void faultyTextRendersNothing();
};

void TstMorseRenderer::blockLayout_data()
{
    QTest::addColumn<bool>("soft");
    QTest::newRow("soft edges") << true;
    QTest::newRow("raw edges") << false;
}

void TstMorseRenderer::blockLayout()
{
    QFETCH(bool, soft);
    MorseRenderer r(MorseTiming(25, 10), 600, tgSine, soft);
    const MorseRenderer::Block b = r.render(parsed(QStringLiteral("CQ <KN>")));
    const std::int64_t lead = soft ? 288 : 0;
    QCOMPARE(b.firstMark, lead);
    QCOMPARE(b.length, r.keying(parsed(QStringLiteral("CQ <KN>"))).length());
    QCOMPARE(std::int64_t(b.samples.size()), b.length + 2 * lead);
    // Frames within the block: the keying moved by the lead.
    QCOMPARE(b.keying.elements().front().start, lead);
    QCOMPARE(b.keying.elements().back().end, lead + b.length);
    QCOMPARE(b.keying.characters().size(), std::size_t(3));
}

// A few samples of an E at 20 WPM, 700 Hz: guards the waveform, the slope
// and the rounding against any change.
void TstMorseRenderer::goldenSamples()
{
    MorseRenderer r(MorseTiming(20), 700, tgSine, true);
    const MorseRenderer::Block b = r.render(parsed(QStringLiteral("e")));
    QCOMPARE(b.samples.size(), std::size_t(5760 + 576));
    const std::size_t at[] = {0, 1, 40, 100, 287, 288, 289, 400, 576, 3000, 6047, 6048, 6200, 6335};
    // On the nominal start and end (288, 6048) half of the sine's 19622.
    const int expected[] = {0,      0,     375,    -2358, 9149, 9811, 10459,
                            -12461, 31430, -23036, 9250,  9811, 4180, 0};
    QList<int> got, want;
    for (std::size_t i = 0; i < std::size(at); ++i) {
        got << b.samples[at[i]];
        want << expected[i];
    }
    QCOMPARE(got, want);
}

void TstMorseRenderer::waveFileHoldsTheBlock_data()
{
    QTest::addColumn<bool>("soft");
    QTest::addColumn<int>("waveform");
    QTest::newRow("soft sine, Farnsworth") << true << int(tgSine);
    QTest::newRow("raw sawtooth, Farnsworth") << false << int(tgSawtooth);
}

void TstMorseRenderer::waveFileHoldsTheBlock()
{
    QFETCH(bool, soft);
    QFETCH(int, waveform);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cq.wav"));
    MorseRenderer r(MorseTiming(20, 8, 0.4), 810, TTGWave(waveform), soft);
    const MorseText text = parsed(QStringLiteral("CQ CQ DE PY2ZV <AR>"));
    QString error;
    QVERIFY2(r.writeWave(text, path, &error), qPrintable(error));
    QVERIFY(samplesOf(path) == r.render(text).samples);
}

void TstMorseRenderer::faultyTextRendersNothing()
{
    MorseRenderer r(MorseTiming(20), 700, tgSine, true);
    const MorseText text = parsed(QStringLiteral("CQ @"));
    const MorseRenderer::Block b = r.render(text);
    QVERIFY(b.samples.empty());
    QCOMPARE(b.length, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.wav"));
    QString error;
    QVERIFY(!r.writeWave(text, path, &error));
    QCOMPARE(error, text.errorMessage());
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TstMorseRenderer)
#include "tst_morserenderer.moc"
