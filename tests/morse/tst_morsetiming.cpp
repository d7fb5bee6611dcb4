#include "morse/morsekeying.h"
#include "morse/morsetext.h"
#include "morse/morsetiming.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

namespace {

constexpr int Rate = 96000;

MorseKeying keyed(const QString &text, const MorseTiming &timing)
{
    return MorseKeying(MorseText::parse(text), timing, Rate);
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
    void parisWord_data();
    void parisWord();
    void everyBoundaryWithinHalfAFrame_data();
    void everyBoundaryWithinHalfAFrame();
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
    QTest::newRow("20") << 20.0 << 20.0 << 0.0 << 60.0 << 180.0 << 420.0;
    QTest::newRow("30") << 30.0 << 30.0 << 0.0 << 40.0 << 120.0 << 280.0;
    QTest::newRow("20/10, ta 4.14 s")
        << 20.0 << 10.0 << 0.0 << 60.0 << 12420.0 / 19 << 28980.0 / 19;
    QTest::newRow("20/5, ta 10.14 s") << 20.0 << 5.0 << 0.0 << 60.0 << 30420.0 / 19 << 70980.0 / 19;
    QTest::newRow("25/4, ta 13.512 s")
        << 25.0 << 4.0 << 0.0 << 48.0 << 40536.0 / 19 << 94584.0 / 19;
    QTest::newRow("40/15, ta 3.07 s") << 40.0 << 15.0 << 0.0 << 30.0 << 9210.0 / 19 << 21490.0 / 19;
    QTest::newRow("18, 1.5 s more between words")
        << 18.0 << 18.0 << 1.5 << 200.0 / 3 << 200.0 << 1400.0 / 3 + 1500;
    QTest::newRow("20/10, 0.25 s more")
        << 20.0 << 10.0 << 0.25 << 60.0 << 12420.0 / 19 << 28980.0 / 19 + 250;
    QTest::newRow("effective above c: c") << 20.0 << 25.0 << 0.0 << 60.0 << 180.0 << 420.0;
    QTest::newRow("extra above 2 s: 2 s") << 20.0 << 20.0 << 5.0 << 60.0 << 180.0 << 2420.0;
    QTest::newRow("NaN: 20, no extra") << qQNaN() << qQNaN() << qQNaN() << 60.0 << 180.0 << 420.0;
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
    QCOMPARE(t.dotSeconds() * 1000, dotMs);
    QCOMPARE(t.dashSeconds() * 1000, 3 * dotMs);
    QCOMPARE(t.elementGapSeconds() * 1000, dotMs);
    QCOMPARE(t.characterGapSeconds() * 1000, characterGapMs);
    QCOMPARE(t.wordGapSeconds() * 1000, wordGapMs);
}

void TstMorseTiming::parisWord_data()
{
    QTest::addColumn<int>("c");
    QTest::addColumn<int>("s");
    for (int c : {5, 7, 13, 20, 33, 47, 60})
        QTest::addRow("%d", c) << c << c;
    const int pairs[][2] = {{20, 5}, {20, 10}, {25, 4}, {40, 15}, {18, 7}};
    for (const auto &p : pairs)
        QTest::addRow("%d/%d", p[0], p[1]) << p[0] << p[1];
}

// "PARIS " is 50 dots at c, and lasts 60 / s seconds at an effective s: the
// next word starts there.
void TstMorseTiming::parisWord()
{
    QFETCH(int, c);
    QFETCH(int, s);
    const MorseKeying k = keyed(QStringLiteral("PARIS PARIS PARIS"), MorseTiming(c, s));
    const double dot = 1.2 / c * Rate;
    QCOMPARE(k.characters()[5].start, std::llround(60.0 / s * Rate));
    QCOMPARE(k.characters()[10].start, std::llround(120.0 / s * Rate));
    // Its 31 dots of marks and gaps inside characters, and four gaps
    // between its characters.
    const double ta = (60.0 * c - 37.2 * s) / (c * s);
    QCOMPARE(k.characters()[4].end, std::llround(31 * dot + 4 * 3 * ta / 19 * Rate));
    if (c == s) {
        QCOMPARE(k.characters()[5].start, std::llround(50 * dot));
        QCOMPARE(k.characters()[4].end, std::llround(43 * dot));
    }
    QCOMPARE(k.elements()[0].end - k.elements()[0].start, std::llround(dot));
}

void TstMorseTiming::everyBoundaryWithinHalfAFrame_data()
{
    QTest::addColumn<double>("c");
    QTest::addColumn<double>("s");
    QTest::addColumn<double>("extra");
    QTest::newRow("7") << 7.0 << 7.0 << 0.0;
    QTest::newRow("23/6, 0.37 s more between words") << 23.0 << 6.0 << 0.37;
}

// Along two thousand random characters and prosigns no rounding adds up:
// each boundary is its exact time rounded once, a prosign one character.
void TstMorseTiming::everyBoundaryWithinHalfAFrame()
{
    QFETCH(double, c);
    QFETCH(double, s);
    QFETCH(double, extra);
    const MorseTiming timing(c, s, extra);
    QRandomGenerator random(7);
    const QStringList pieces = QStringLiteral("A B C D E F G H I J K L M N O P Q R S T U V W X Y "
                                              "Z 0 5 9 . , ? / = + - <AR> <SK>")
                                   .split(u' ');
    QString text;
    for (int i = 0; i < 2000; ++i)
        text +=
            random.bounded(5) == 0 ? QStringLiteral(" ") : pieces[random.bounded(pieces.size())];
    const MorseText parsed = MorseText::parse(text);
    const MorseKeying k(parsed, timing, Rate);

    // The nominal times, walked through in long double.
    long double t = 0;
    const long double dot = 1.2L / c;
    std::size_t e = 0;
    double worst = 0;
    for (qsizetype i = 0; i < parsed.symbols().size(); ++i) {
        const MorseText::Symbol &symbol = parsed.symbols()[i];
        if (i > 0)
            t += symbol.wordStart ? timing.wordGapSeconds() : timing.characterGapSeconds();
        QCOMPARE(k.characters()[std::size_t(i)].firstElement, qsizetype(e));
        for (qsizetype p = 0; p < symbol.pattern.size(); ++p, ++e) {
            if (p > 0)
                t += dot;
            const double start = double(t * Rate);
            t += symbol.pattern[p] == '-' ? 3 * dot : dot;
            worst = std::max({worst, std::abs(double(k.elements()[e].start) - start),
                              std::abs(double(k.elements()[e].end) - double(t * Rate))});
            QCOMPARE(k.elements()[e].dash, symbol.pattern[p] == '-');
        }
    }
    QCOMPARE(e, k.elements().size());
    QVERIFY2(worst <= 0.5 + 1e-6, qPrintable(QString::number(worst)));
}

QTEST_GUILESS_MAIN(TstMorseTiming)
#include "tst_morsetiming.moc"
