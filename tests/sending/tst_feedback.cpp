#include "sending/morsedecoder.h"
#include "sending/promptgenerator.h"
#include "sending/sendingalphabet.h"
#include "sending/synthetickeying.h"
#include "sending/timingfeedback.h"
#include "sending/tokenalignment.h"

#include <QtTest>

using namespace sending;
using namespace std::chrono_literals;

namespace {

const KeyTime T0 = KeyTime{} + 10s;

// A character keyed as given, lengths in dots of 100 ms.
DecodedCharacter character(const QString &pattern, std::vector<double> marks,
                           std::vector<double> gaps, double after, bool word = false)
{
    DecodedCharacter c;
    c.pattern = pattern;
    c.text = SendingAlphabet::token(pattern);
    c.dotNs = 100e6;
    for (double m : marks)
        c.marks.push_back(Duration(qint64(m * 100e6)));
    for (double g : gaps)
        c.gaps.push_back(Duration(qint64(g * 100e6)));
    c.gapAfter = after < 0 ? Duration(-1) : Duration(qint64(after * 100e6));
    c.wordAfter = word;
    return c;
}

std::vector<DecodedCharacter> perfect(const QString &text)
{
    SyntheticKeying k(1);
    SyntheticKeying::Options o;
    MorseDecoder d(20);
    for (const KeyEdge &e : k.key(text, o, T0))
        d.feed(e);
    d.idle(T0 + 1h);
    return d.characters();
}

} // namespace

class TstFeedback : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void alignment_data();
    void alignment();
    void hugeTextsAreComparedByPosition();
    void perfectSendingScoresZero();
    void timingError_data();
    void timingError();
    void worstCharactersFirst();
    void answersForTheRecord();
    void prompts();
};

void TstFeedback::tokens_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("prosign and spaces")
        << "<ar> ab \t c" << QStringList{"<AR>", " ", "A", "B", " ", "C"};
    QTest::newRow("not a prosign") << "<XY>" << QStringList{"<", "X", "Y", ">"};
    QTest::newRow("accents") << "çé" << QStringList{"\u00C7", "\u00C9"};
    QTest::newRow("unclosed") << "<AR" << QStringList{"<", "A", "R"};
}

void TstFeedback::tokens()
{
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QCOMPARE(SendingAlphabet::tokens(text), tokens);
}

void TstFeedback::alignment_data()
{
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("substituted");
    QTest::newRow("same") << "PARIS"
                          << "PARIS" << 5 << 0 << 0 << 0;
    QTest::newRow("one skipped") << "PARIS"
                                 << "PRIS" << 4 << 1 << 0 << 0;
    QTest::newRow("one added") << "PARIS"
                               << "PAARIS" << 5 << 0 << 1 << 0;
    QTest::newRow("one wrong") << "PARIS"
                               << "PXRIS" << 4 << 0 << 0 << 1;
    QTest::newRow("skipped first") << "CQ DE"
                                   << "QDE" << 3 << 1 << 0 << 0;
    QTest::newRow("keyed alike") << "<AR> <BT>"
                                 << "+=" << 2 << 0 << 0 << 0;
    QTest::newRow("words run together") << "AB CD"
                                        << "ABCD" << 4 << 0 << 0 << 0;
    QTest::newRow("nothing sent") << "ABC"
                                  << "" << 0 << 3 << 0 << 0;
    QTest::newRow("nothing prompted") << ""
                                      << "E" << 0 << 0 << 1 << 0;
}

void TstFeedback::alignment()
{
    QFETCH(QString, prompt);
    QFETCH(QString, decoded);
    QFETCH(int, right);
    QFETCH(int, skipped);
    QFETCH(int, added);
    QFETCH(int, substituted);
    std::vector<DecodedCharacter> keyed;
    for (const QString &t : SendingAlphabet::tokens(decoded)) {
        if (t != u" ")
            keyed.push_back(character(SendingAlphabet::pattern(t), {1}, {}, 3));
    }
    const SendingResult r = TimingFeedback::analyse(prompt, keyed, 20);
    QCOMPARE(r.right, right);
    QCOMPARE(r.skipped, skipped);
    QCOMPARE(r.added, added);
    QCOMPARE(r.substituted, substituted);
    QCOMPARE(r.characters.size(), qsizetype(right + skipped + added + substituted));
    QCOMPARE(r.prompted, right + skipped + substituted);
    for (const auto &c : r.characters)
        QCOMPARE(c.keyed >= 0, !c.decoded.isEmpty());
}

void TstFeedback::hugeTextsAreComparedByPosition()
{
    const QStringList a(5000, QStringLiteral("E"));
    QStringList b = a;
    b[0] = QStringLiteral("T");
    const auto pairs = TokenAlignment::align(a, b);
    QCOMPARE(pairs.size(), size_t(5000));
    QCOMPARE(pairs[4999], (TokenAlignment::Pair{4999, 4999}));
    // One side empty, the other long: every one skipped.
    const auto skipped = TokenAlignment::align(QStringList(100000, QStringLiteral("E")), {});
    QCOMPARE(skipped.size(), size_t(100000));
    QCOMPARE(skipped.back(), (TokenAlignment::Pair{99999, -1}));
}

void TstFeedback::perfectSendingScoresZero()
{
    const QString text = QStringLiteral("PARIS MORSE 73");
    const SendingResult r = TimingFeedback::analyse(text, perfect(text), 20);
    QCOMPARE(r.decoded, text);
    QCOMPARE(r.accuracy, 1.0);
    QVERIFY(std::abs(r.dashDotRatio - 3) < 1e-6);
    QVERIFY(std::abs(r.elementGap - 1) < 1e-6);
    QVERIFY(std::abs(r.characterGap - 3) < 1e-6);
    QVERIFY(std::abs(r.wordGap - 7) < 1e-6);
    QVERIFY(r.timingError < 1e-6 && r.timingError >= 0);
    QCOMPARE(r.characters.last().gapAfter, -1.0);
    QVERIFY(r.characters.at(4).wordAfter);
    QCOMPARE(r.characters.at(0).dashDotRatio, 3.0);
    QCOMPARE(r.characters.at(5).dashDotRatio, -1.0); // M: dashes only
}

void TstFeedback::timingError_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<std::vector<double>>("marks");
    QTest::addColumn<std::vector<double>>("gaps");
    QTest::addColumn<double>("after");
    QTest::addColumn<bool>("word");
    QTest::addColumn<double>("error");
    // One of four lengths off by 1.5: exp(ln 1.5 / 4) - 1.
    QTest::newRow("short dash") << ".-" << std::vector<double>{1, 2} << std::vector<double>{1}
                                << 3.0 << false << 100 * (std::pow(1.5, 0.25) - 1);
    QTest::newRow("long and short alike")
        << "." << std::vector<double>{2} << std::vector<double>{} << 1.5 << false << 100.0;
    QTest::newRow("long pause before a word")
        << "-" << std::vector<double>{3} << std::vector<double>{} << 30.0 << true << 0.0;
    QTest::newRow("short word gap") << "-" << std::vector<double>{3} << std::vector<double>{} << 3.5
                                    << true << 100 * (std::sqrt(2.0) - 1);
    QTest::newRow("last, nothing after")
        << ".." << std::vector<double>{1, 1} << std::vector<double>{4} << -1.0 << false
        << 100 * (std::pow(4.0, 1.0 / 3) - 1);
}

void TstFeedback::timingError()
{
    QFETCH(QString, pattern);
    QFETCH(std::vector<double>, marks);
    QFETCH(std::vector<double>, gaps);
    QFETCH(double, after);
    QFETCH(bool, word);
    QFETCH(double, error);
    const double got = TimingFeedback::timingError(character(pattern, marks, gaps, after, word));
    QVERIFY2(std::abs(got - error) < 1e-6, qPrintable(QString::number(got)));
}

void TstFeedback::worstCharactersFirst()
{
    // E and T well timed; A twice with a short dash (2 dots), once worse (1.5).
    const std::vector<DecodedCharacter> keyed = {
        character(".", {1}, {}, 3),       character(".-", {1, 2}, {1}, 3),
        character("-", {3}, {}, 7, true), character(".-", {1, 1.5}, {1}, 3),
        character(".", {1.2}, {}, -1),
    };
    const SendingResult r = TimingFeedback::analyse(QStringLiteral("EA TAE"), keyed, 20);
    QCOMPARE(r.accuracy, 1.0);
    QCOMPARE(r.worst.size(), 3);
    QCOMPARE(r.worst.at(0).character, QStringLiteral("A"));
    QCOMPARE(r.worst.at(0).count, 2);
    const double a = (100 * (std::pow(1.5, 0.25) - 1) + 100 * (std::pow(2.0, 0.25) - 1)) / 2;
    QVERIFY(std::abs(r.worst.at(0).timingError - a) < 1e-6);
    QCOMPARE(r.worst.at(1).character, QStringLiteral("E"));
    QCOMPARE(r.worst.at(2).character, QStringLiteral("T"));
    QCOMPARE(r.worst.at(2).timingError, 0.0);
    QVERIFY(std::abs(r.dashDotRatio - 2.0 / 1.0) < 1e-6); // medians: dash 2, dot 1
}

void TstFeedback::answersForTheRecord()
{
    const std::vector<DecodedCharacter> keyed = {character(".-", {1, 3}, {1}, 3),
                                                 character("-", {3}, {}, 3),
                                                 character("-.", {3, 1}, {1}, -1)};
    // Prompted C A N: C skipped, T added, N right... A right.
    const SendingResult r = TimingFeedback::analyse(QStringLiteral("CAN"), keyed, 12);
    const QDateTime when = QDateTime(QDate(2026, 3, 1), QTime(12, 0), QTimeZone(3600));
    const QList<record::Answer> answers = r.answers(when);
    QCOMPARE(answers.size(), 3);
    QStringList sent, answered;
    for (const auto &a : answers) {
        QCOMPARE(a.kind, record::Kind::Sending);
        QCOMPARE(a.when, when);
        QCOMPARE(a.when.timeSpec(), Qt::UTC);
        QCOMPARE(a.effectiveWpm, 12.0);
        QCOMPARE(a.answerMs, -1);
        sent << a.sent;
        answered << a.answered + (a.right ? u'+' : u'-');
    }
    QCOMPARE(sent, (QStringList{"C", "A", "N"}));
    QCOMPARE(answered, (QStringList{"-", "A+", "N+"}));
    QCOMPARE(answers.at(1).charWpm, 12.0); // a dot of 100 ms
    QCOMPARE(r.added, 1);
}

void TstFeedback::prompts()
{
    // Groups of the course's characters, the same for the same seed; what
    // cannot be sent is left out.
    const QStringList set{"K", "M", "<AR>", "k", "#"};
    const QString prompt = PromptGenerator(42).characters(set, 4, 5);
    QCOMPARE(PromptGenerator(42).characters(set, 4, 5), prompt);
    QStringList tokens = SendingAlphabet::tokens(prompt);
    QCOMPARE(tokens.size(), 4 * 5 + 3);
    tokens.removeAll(QStringLiteral(" "));
    QCOMPARE(QSet<QString>(tokens.cbegin(), tokens.cend()), (QSet<QString>{"K", "M", "<AR>"}));
    QCOMPARE(PromptGenerator(1).characters({"#"}, 3), QString());

    // Words made of them alone; groups when none is.
    PromptGenerator g(7);
    for (const QString &w : g.words({"E", "T", "A", "N"}, 30).split(u' '))
        QVERIFY2(PromptGenerator::builtInWords().contains(w) &&
                     QRegularExpression(QStringLiteral("^[ETAN]+$")).match(w).hasMatch(),
                 qPrintable(w));
    for (const QString &w : g.words({"E", "T"}, 10, {"tee", "eat", "te"}).split(u' '))
        QVERIFY2(w == u"TEE" || w == u"TE", qPrintable(w));
    QVERIFY(
        QRegularExpression(QStringLiteral("^Q{2,5} Q{2,5}$")).match(g.words({"Q"}, 2)).hasMatch());

    QCOMPARE(g.callsign(QStringLiteral(" py2abc/p "), 2), QStringLiteral("PY2ABC/P PY2ABC/P"));
    QCOMPARE(g.callsign(QStringLiteral("PY#1")), QString());
}

QTEST_GUILESS_MAIN(TstFeedback)
#include "tst_feedback.moc"
