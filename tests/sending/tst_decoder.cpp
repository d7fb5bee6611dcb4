#include "sending/morsedecoder.h"
#include "sending/sendingalphabet.h"
#include "sending/synthetickeying.h"

#include <QtTest>

using namespace sending;
using namespace std::chrono_literals;
using Change = SyntheticKeying::Change;

namespace {

const KeyTime T0 = KeyTime{} + 10s;

// Feeds the edges as the program does: idle() at every deadline the decoder
// names before the next edge, and a long silence at the end.
QString decode(MorseDecoder &d, const std::vector<KeyEdge> &edges)
{
    QString out;
    for (const KeyEdge &e : edges) {
        while (const auto deadline = d.nextDeadline()) {
            if (*deadline > e.at)
                break;
            out += d.idle(*deadline);
        }
        out += d.feed(e);
    }
    if (!edges.empty())
        out += d.idle(edges.back().at + 60s);
    if (out != d.text())
        return QStringLiteral("handed out %1, kept %2").arg(out, d.text());
    return out.trimmed();
}

std::vector<KeyEdge> keyed(const QString &text, double wpm, double error = 0, quint32 seed = 1)
{
    SyntheticKeying k(seed);
    SyntheticKeying::Options o;
    o.startWpm = o.endWpm = wpm;
    o.error = error;
    return k.key(text, o, T0);
}

// Keying given as lengths in dots, mark and silence in turn: "1 1 3" is a
// dot, a gap of one dot, a dash.
std::vector<KeyEdge> inDots(const QString &lengths, double dotMs)
{
    std::vector<KeyEdge> edges;
    KeyTime t = T0;
    bool mark = true;
    for (const QString &f : lengths.split(u' ', Qt::SkipEmptyParts)) {
        const KeyTime next = t + std::chrono::nanoseconds(qint64(f.toDouble() * dotMs * 1e6));
        if (mark) {
            edges.push_back({t, true});
            edges.push_back({next, false});
        }
        t = next;
        mark = !mark;
    }
    return edges;
}

const QString Words = QStringLiteral(
    "CQ CQ DE PY2ABC K THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 .,?/=+- "
    "ÇÉÃ <SK> <KN> TNX FER CALL UR RST 599 5NN QTH SAO PAULO NAME JOSE HW CPY 73");

} // namespace

class TstDecoder : public QObject
{
    Q_OBJECT

private slots:
    void everyCharacter_data();
    void everyCharacter();
    void singleElements_data();
    void singleElements();
    void firstCharacters_data();
    void firstCharacters();
    void wanderingTiming_data();
    void wanderingTiming();
    void speedChange_data();
    void speedChange();
    void strayMarks_data();
    void strayMarks();
    void learnsTheSendersProportions();
    void handKeyed_data();
    void handKeyed();
    void idleCompletesAtTheThresholds();
    void repeatsAndBackwardsTime();
};

void TstDecoder::everyCharacter_data()
{
    QTest::addColumn<QString>("token");
    for (const QString &t : SendingAlphabet::all())
        QTest::newRow(qPrintable(t)) << t;
}

void TstDecoder::everyCharacter()
{
    QFETCH(QString, token);
    MorseDecoder d(20);
    d.setPreferProsigns(token.startsWith(u'<'));
    const QString text = QStringLiteral("%1 %1 %1").arg(token);
    QCOMPARE(decode(d, keyed(text, 20)), text);
}

// One element each: nothing inside a character tells a dot from a dash, so
// the expected speed decides, within half as fast or fast again.
void TstDecoder::singleElements_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("wpm");
    QTest::addColumn<double>("expected");
    for (const QString &text :
         {QStringLiteral("E E E"), QStringLiteral("T T T"), QStringLiteral("EEE"),
          QStringLiteral("TTT"), QStringLiteral("E T E T")}) {
        for (const double wpm : {10.0, 40.0}) {
            for (const double off : {1 / 1.5, 1.5}) {
                const QString name = QStringLiteral("%1 at %2, expected %3")
                                         .arg(text)
                                         .arg(wpm)
                                         .arg(wpm * off, 0, 'f', 1);
                QTest::newRow(qPrintable(name)) << text << wpm << wpm * off;
            }
        }
    }
}

void TstDecoder::singleElements()
{
    QFETCH(QString, text);
    QFETCH(double, wpm);
    QFETCH(double, expected);
    MorseDecoder d(expected);
    QCOMPARE(decode(d, keyed(text, wpm)), text);
}

// Before the estimate settles: the expected speed off by half or double.
void TstDecoder::firstCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("wpm");
    QTest::addColumn<double>("expected");
    QTest::newRow("PARIS, twice as fast") << "PARIS PARIS" << 30.0 << 15.0;
    QTest::newRow("PARIS, half as fast") << "PARIS PARIS" << 10.0 << 20.0;
    QTest::newRow("numbers, twice as fast") << "5 1 0 9" << 40.0 << 20.0;
    QTest::newRow("SOS, half as fast") << "SOS" << 12.0 << 24.0;
    QTest::newRow("<AR> first, twice as fast") << "+ AR" << 20.0 << 10.0;
}

void TstDecoder::firstCharacters()
{
    QFETCH(QString, text);
    QFETCH(double, wpm);
    QFETCH(double, expected);
    MorseDecoder d(expected);
    QCOMPARE(decode(d, keyed(text, wpm)), text);
}

void TstDecoder::wanderingTiming_data()
{
    QTest::addColumn<double>("wpm");
    QTest::addColumn<quint32>("seed");
    for (const double wpm : {10.0, 18.0, 25.0, 40.0}) {
        for (const quint32 seed : {1u, 2u, 3u})
            QTest::addRow("%g WPM, seed %u", wpm, seed) << wpm << seed;
    }
}

// Every element and gap off by up to a fifth, the expected speed off too.
void TstDecoder::wanderingTiming()
{
    QFETCH(double, wpm);
    QFETCH(quint32, seed);
    MorseDecoder d(wpm * 1.3);
    QCOMPARE(decode(d, keyed(Words, wpm, 0.2, seed)), Words);
    QVERIFY2(std::abs(d.wpm() / wpm - 1) < 0.05, qPrintable(QString::number(d.wpm())));
}

void TstDecoder::speedChange_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("change");
    QTest::newRow("halves at once") << 24.0 << 12.0 << int(Change::Step);
    QTest::newRow("doubles at once") << 12.0 << 24.0 << int(Change::Step);
    QTest::newRow("halves gradually") << 30.0 << 15.0 << int(Change::Ramp);
    QTest::newRow("doubles gradually") << 15.0 << 30.0 << int(Change::Ramp);
}

// A gradual change costs nothing; a sudden one at most the word where it
// happens, and the speed shown follows.
void TstDecoder::speedChange()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, change);
    const QString half = QStringLiteral("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 73");
    const QString text = half + u' ' + half;
    SyntheticKeying k(7);
    SyntheticKeying::Options o;
    o.startWpm = from;
    o.endWpm = to;
    o.change = Change(change);
    o.error = 0.1;
    MorseDecoder d(from);
    const QString got = decode(d, k.key(text, o, T0));
    if (Change(change) == Change::Ramp) {
        QCOMPARE(got, text);
    } else {
        // The step comes at the word after the second THE.
        QVERIFY2(got.startsWith(half + QStringLiteral(" THE")), qPrintable(got));
        QVERIFY2(got.endsWith(QStringLiteral(" BROWN FOX JUMPS OVER THE LAZY DOG 73")),
                 qPrintable(got));
    }
    QVERIFY2(std::abs(d.wpm() / to - 1) < 0.1, qPrintable(QString::number(d.wpm())));
}

void TstDecoder::strayMarks_data()
{
    QTest::addColumn<double>("dots");
    QTest::addColumn<QString>("stray");
    QTest::newRow("a tap of the key") << 0.15 << "E";
    QTest::newRow("a short tap") << 0.4 << "E";
    QTest::newRow("the key held a second") << 1000 / 60.0 << "T";
}

// One mark on its own between two words, far too short or too long for the
// sender's speed: it is decoded as what it is nearest, and the speed and the
// words after it stay as they were.
void TstDecoder::strayMarks()
{
    QFETCH(double, dots);
    QFETCH(QString, stray);
    const QString before = QStringLiteral("CQ DE PY2ABC");
    const QString after = QStringLiteral("PSE K");
    std::vector<KeyEdge> edges = keyed(before, 20);
    const KeyTime down = edges.back().at + 420ms;
    const KeyTime up = down + std::chrono::nanoseconds(qint64(dots * 60e6));
    edges.push_back({down, true});
    edges.push_back({up, false});
    for (KeyEdge e : keyed(after, 20)) {
        e.at += up + 420ms - T0;
        edges.push_back(e);
    }
    MorseDecoder d(20);
    QCOMPARE(decode(d, edges), before + u' ' + stray + u' ' + after);
    QVERIFY2(std::abs(d.wpm() - 20) < 1, qPrintable(QString::number(d.wpm())));
}

void TstDecoder::learnsTheSendersProportions()
{
    SyntheticKeying k(3);
    SyntheticKeying::Options o;
    o.startWpm = o.endWpm = 18;
    o.dash = 2.5;
    o.characterGap = 4.5;
    o.wordGap = 10;
    o.error = 0.1;
    MorseDecoder d(18);
    // His character gaps are first taken for word gaps, until there are a few
    // of each to compare.
    const QString got = decode(d, k.key(Words, o, T0));
    QCOMPARE(QString(got).remove(u' '), QString(Words).remove(u' '));
    const QString tail = Words.mid(Words.indexOf(QStringLiteral("PY2ABC")));
    QVERIFY2(got.endsWith(tail), qPrintable(got));
    QVERIFY2(std::abs(d.dashRatio() - 2.5) < 0.2, qPrintable(QString::number(d.dashRatio())));
    QVERIFY2(std::abs(d.characterGapRatio() - 4.5) < 0.4,
             qPrintable(QString::number(d.characterGapRatio())));
    QVERIFY(std::abs(d.elementGapRatio() - 1) < 0.1);
    QVERIFY2(std::abs(d.wordGapRatio() - 10) < 1.5, qPrintable(QString::number(d.wordGapRatio())));
}

void TstDecoder::handKeyed_data()
{
    QTest::addColumn<QString>("dots");
    QTest::addColumn<QString>("text");
    QTest::newRow("seven even dots are nothing") << "1 1 1 1 1 1 1 1 1 1 1 1 1 3 1 1 3"
                                                 << "*A";
    // .---.- is nothing, and its one long gap is where it splits into A and Q.
    QTest::newRow("run together") << "1 1 3 1.6 3 1 3 1 1 1 3"
                                  << "AQ";
    QTest::newRow("no gap stands out") << "1 1 3 1.2 3 1 3 1.3 1 1 3"
                                       << "*";
}

void TstDecoder::handKeyed()
{
    QFETCH(QString, dots);
    QFETCH(QString, text);
    MorseDecoder d(20);
    QCOMPARE(decode(d, inDots(dots, 60)), text);
    if (text == u"AQ") {
        QCOMPARE(d.characters()[0].gapAfter, 96ms);
        QCOMPARE(d.characters()[0].end, T0 + 300ms);
        QCOMPARE(d.characters()[1].start, T0 + 396ms);
    }
}

void TstDecoder::idleCompletesAtTheThresholds()
{
    MorseDecoder d(20);
    const auto edges = inDots(QStringLiteral("1 1 3"), 60); // A, up at 240 ms
    for (const KeyEdge &e : edges)
        QCOMPARE(d.feed(e), QString());
    const KeyTime up = edges.back().at;
    // Halfway between 1 and 3 dots, in the logarithm: 60 * sqrt(3) ms.
    const auto characterAt = d.nextDeadline();
    QVERIFY(characterAt);
    QVERIFY(std::abs((*characterAt - up - 103923us).count()) < 1000);
    QCOMPARE(d.idle(*characterAt - 1ms), QString());
    QCOMPARE(d.idle(*characterAt), QStringLiteral("A"));
    const auto wordAt = d.nextDeadline();
    QVERIFY(wordAt && *wordAt > *characterAt);
    QCOMPARE(d.idle(*wordAt - 1ms), QString());
    QCOMPARE(d.idle(*wordAt), QStringLiteral(" "));
    QVERIFY(!d.nextDeadline());
    QCOMPARE(d.idle(*wordAt + 10s), QString());
    // The next key-down after it all adds nothing more.
    QCOMPARE(d.keyDown(*wordAt + 11s), QString());
    QCOMPARE(d.text(), QStringLiteral("A "));
}

void TstDecoder::repeatsAndBackwardsTime()
{
    MorseDecoder d(20);
    d.keyDown(T0);
    d.keyDown(T0 + 30ms); // auto-repeat: the dot is still 60 ms
    d.keyUp(T0 + 60ms);
    d.keyUp(T0 + 70ms);
    d.keyDown(T0 + 120ms);
    d.keyUp(T0 + 100ms); // earlier than the down: a mark of nothing
    d.idle(T0 + 2s);
    QCOMPARE(d.characters().size(), size_t(1));
    QCOMPARE(d.characters()[0].marks, (std::vector<Duration>{60ms, 0ms}));
    QCOMPARE(d.text(), QStringLiteral("I "));
    QVERIFY(std::isfinite(d.wpm()) && d.wpm() > 0);
}

QTEST_GUILESS_MAIN(TstDecoder)
#include "tst_decoder.moc"
