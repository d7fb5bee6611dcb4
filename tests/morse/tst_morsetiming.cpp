#include "morse/morsekeying.h"
#include "morse/morsetext.h"
#include "morse/morsetiming.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

namespace {

constexpr int Rate = 96000;

MorseKeying keyed(const QString &text, const MorseTiming &timing, int rate = Rate)
{
    const MorseText parsed = MorseText::parse(text);
    if (!parsed.ok())
        qFatal("%s", qPrintable(parsed.errorMessage()));
    return MorseKeying(parsed, timing, rate);
}

} // namespace

// PARIS timing, Farnsworth and Wordsworth spacing, and where each element
// lands in frames.
class TstMorseTiming : public QObject
{
    Q_OBJECT

private slots:
    void durations_data();
    void durations();
    void parisIsFiftyDots_data();
    void parisIsFiftyDots();
    void farnsworthWordLastsSixtyOverS_data();
    void farnsworthWordLastsSixtyOverS();
    void extraWordGapOnlyBetweenWords();
    void everyBoundaryWithinHalfAFrame_data();
    void everyBoundaryWithinHalfAFrame();
    void charactersSpanTheirElements();
};

void TstMorseTiming::durations_data()
{
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("extra");
    QTest::addColumn<double>("dotMs");
    QTest::addColumn<double>("characterGapMs");
    QTest::addColumn<double>("wordGapMs");
    // By hand: ta = (60 c - 37.2 s) / (c s); gaps 3 ta / 19 and 7 ta / 19.
    QTest::newRow("20 WPM") << 20.0 << 20.0 << 0.0 << 60.0 << 180.0 << 420.0;
    QTest::newRow("30 WPM") << 30.0 << 30.0 << 0.0 << 40.0 << 120.0 << 280.0;
    QTest::newRow("20/10, ta 4.14 s")
        << 20.0 << 10.0 << 0.0 << 60.0 << 12420.0 / 19 << 28980.0 / 19;
    QTest::newRow("20/5, ta 10.14 s") << 20.0 << 5.0 << 0.0 << 60.0 << 30420.0 / 19 << 70980.0 / 19;
    QTest::newRow("25/4, ta 13.512 s")
        << 25.0 << 4.0 << 0.0 << 48.0 << 40536.0 / 19 << 94584.0 / 19;
    QTest::newRow("40/15, ta 3.07 s") << 40.0 << 15.0 << 0.0 << 30.0 << 9210.0 / 19 << 21490.0 / 19;
    QTest::newRow("18 WPM, 1.5 s more between words")
        << 18.0 << 18.0 << 1.5 << 200.0 / 3 << 200.0 << 1400.0 / 3 + 1500;
    QTest::newRow("20/10, 0.25 s more between words")
        << 20.0 << 10.0 << 0.25 << 60.0 << 12420.0 / 19 << 28980.0 / 19 + 250;
    QTest::newRow("effective above the character speed: standard")
        << 20.0 << 25.0 << 0.0 << 60.0 << 180.0 << 420.0;
    QTest::newRow("effective 0: the character speed")
        << 20.0 << 0.0 << 0.0 << 60.0 << 180.0 << 420.0;
    QTest::newRow("extra gap above 2 s: 2 s") << 20.0 << 20.0 << 5.0 << 60.0 << 180.0 << 2420.0;
    QTest::newRow("negative extra gap: none") << 20.0 << 20.0 << -1.0 << 60.0 << 180.0 << 420.0;
    QTest::newRow("character speed below 1: 1") << 0.5 << 0.0 << 0.0 << 1200.0 << 3600.0 << 8400.0;
    QTest::newRow("not a number: 20 WPM")
        << qQNaN() << qQNaN() << qQNaN() << 60.0 << 180.0 << 420.0;
}

void TstMorseTiming::durations()
{
    QFETCH(double, c);
    QFETCH(double, s);
    QFETCH(double, extra);
    QFETCH(double, dotMs);
    QFETCH(double, characterGapMs);
    QFETCH(double, wordGapMs);
    const MorseTiming t(c, s, extra);
    const auto near = [](double seconds, double ms) {
        return std::abs(seconds * 1000 - ms) < 1e-9;
    };
    QVERIFY2(near(t.dotSeconds(), dotMs), qPrintable(QString::number(t.dotSeconds(), 'g', 17)));
    QVERIFY(near(t.dashSeconds(), 3 * dotMs));
    QVERIFY(near(t.elementGapSeconds(), dotMs));
    QVERIFY2(near(t.characterGapSeconds(), characterGapMs),
             qPrintable(QString::number(t.characterGapSeconds(), 'g', 17)));
    QVERIFY2(near(t.wordGapSeconds(), wordGapMs),
             qPrintable(QString::number(t.wordGapSeconds(), 'g', 17)));
}

void TstMorseTiming::parisIsFiftyDots_data()
{
    QTest::addColumn<int>("c");
    for (int c : {5, 7, 13, 15, 20, 25, 33, 40, 47, 60})
        QTest::addRow("%d WPM", c) << c;
}

// "PARIS " is 50 dots: the next word starts 50 dots after the first, and
// "PARIS" alone, without its word gap, lasts 43.
void TstMorseTiming::parisIsFiftyDots()
{
    QFETCH(int, c);
    const MorseKeying k = keyed(QStringLiteral("PARIS PARIS"), MorseTiming(c));
    const double dot = 1.2 / c * Rate;
    QCOMPARE(k.characters().size(), std::size_t(10));
    QCOMPARE(k.characters()[5].start, std::llround(50 * dot));
    QCOMPARE(k.characters()[4].end, std::llround(43 * dot));
    QCOMPARE(k.length(), std::llround(93 * dot));
    // 14 marks of 22 dots in "PARIS".
    std::int64_t marks = 0;
    for (std::size_t e = 0; e < 14; ++e)
        marks += k.elements()[e].end - k.elements()[e].start;
    QVERIFY(std::abs(double(marks) - 22 * dot) <= 7);
}

void TstMorseTiming::farnsworthWordLastsSixtyOverS_data()
{
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("s");
    const int pairs[][2] = {{20, 5}, {20, 10}, {25, 4}, {40, 15}, {18, 7}, {15, 14}};
    for (const auto &p : pairs)
        QTest::addRow("%d/%d", p[0], p[1]) << p[0] << p[1];
}

// At s WPM a word of PARIS and its gap take 60 / s seconds.
void TstMorseTiming::farnsworthWordLastsSixtyOverS()
{
    QFETCH(int, c);
    QFETCH(int, s);
    const MorseKeying k = keyed(QStringLiteral("PARIS PARIS PARIS"), MorseTiming(c, s));
    QCOMPARE(k.characters()[5].start, std::llround(60.0 / s * Rate));
    QCOMPARE(k.characters()[10].start, std::llround(120.0 / s * Rate));
    // The characters themselves stay at c: a dot of 1.2 / c s.
    QCOMPARE(k.elements()[0].end - k.elements()[0].start, std::llround(1.2 / c * Rate));
}

void TstMorseTiming::extraWordGapOnlyBetweenWords()
{
    const MorseKeying plain = keyed(QStringLiteral("EE E"), MorseTiming(20, 10));
    const MorseKeying more = keyed(QStringLiteral("EE E"), MorseTiming(20, 10, 0.75));
    QCOMPARE(more.characters()[1].start, plain.characters()[1].start);
    QCOMPARE(more.characters()[2].start - plain.characters()[2].start, 72000);
}

void TstMorseTiming::everyBoundaryWithinHalfAFrame_data()
{
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("extra");
    QTest::addColumn<int>("rate");
    QTest::newRow("7 WPM") << 7.0 << 7.0 << 0.0 << Rate;
    QTest::newRow("23/6, 0.37 s more") << 23.0 << 6.0 << 0.37 << Rate;
    QTest::newRow("13/11 at 44100 Hz") << 13.0 << 11.0 << 0.0 << 44100;
}

// Along two thousand random characters no rounding adds up: each boundary
// is its exact time, rounded once.
void TstMorseTiming::everyBoundaryWithinHalfAFrame()
{
    QFETCH(double, c);
    QFETCH(double, s);
    QFETCH(double, extra);
    QFETCH(int, rate);
    const MorseTiming timing(c, s, extra);
    QRandomGenerator random(7);
    QString text;
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/=+-");
    for (int i = 0; i < 2000; ++i)
        text += random.bounded(5) == 0 ? QChar(u' ') : alphabet[random.bounded(alphabet.size())];
    const MorseText parsed = MorseText::parse(text);
    const MorseKeying k(parsed, timing, rate);

    // The nominal times, walked through in long double.
    long double t = 0;
    const long double dot = 1.2L / c;
    std::size_t e = 0;
    double worst = 0;
    for (qsizetype i = 0; i < parsed.symbols().size(); ++i) {
        const MorseText::Symbol &symbol = parsed.symbols()[i];
        if (i > 0)
            t += symbol.wordStart ? timing.wordGapSeconds() : timing.characterGapSeconds();
        for (qsizetype p = 0; p < symbol.pattern.size(); ++p, ++e) {
            if (p > 0)
                t += dot;
            const double start = double(t * rate);
            t += symbol.pattern[p] == '-' ? 3 * dot : dot;
            const double end = double(t * rate);
            worst = std::max({worst, std::abs(double(k.elements()[e].start) - start),
                              std::abs(double(k.elements()[e].end) - end)});
            QCOMPARE(k.elements()[e].dash, symbol.pattern[p] == '-');
        }
    }
    QCOMPARE(e, k.elements().size());
    QVERIFY2(worst <= 0.5 + 1e-6, qPrintable(QString::number(worst)));
}

void TstMorseTiming::charactersSpanTheirElements()
{
    const MorseKeying k = keyed(QStringLiteral("K <AR>"), MorseTiming(25, 10));
    QCOMPARE(k.characters().size(), std::size_t(2));
    const MorseKeying::Character &prosign = k.characters()[1];
    QCOMPARE(prosign.symbol, 1);
    QCOMPARE(prosign.firstElement, 3);
    QCOMPARE(prosign.elementCount, 5);
    QCOMPARE(prosign.start, k.elements()[3].start);
    QCOMPARE(prosign.end, k.elements()[7].end);
    // A prosign is one character: one dot between its elements, R's first
    // element following A's last as inside any character.
    QCOMPARE(k.elements()[5].start - k.elements()[4].end, std::llround(1.2 / 25 * Rate));
    MorseKeying moved = k;
    moved.shift(288);
    QCOMPARE(moved.elements()[0].start, 288);
    QCOMPARE(moved.characters()[1].end, k.characters()[1].end + 288);
    QCOMPARE(moved.length(), k.length());
}

QTEST_GUILESS_MAIN(TstMorseTiming)
#include "tst_morsetiming.moc"
