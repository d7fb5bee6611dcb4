// The sending decoder on keying generated from random texts with random
// timing errors: every element and gap stretched by up to +-20 % or +-35 %,
// at 10 to 40 WPM, and with the speed halving or doubling within a text, at
// once or gradually. Prints the character accuracy per condition.
//
//   bench_decoder [--texts N] [--words N] [--seed S] [--show N]
//
// Each text is --words random words of 1 to 6 characters drawn from the
// whole alphabet (letters, digits, signs, Ç É Ã, prosigns). The decoder
// starts from an expected speed that is off by up to a factor of 1.5 either
// way (the learner's speed last time); three rows start it at 15 WPM
// whatever the speed. The last row keys a learner's own proportions: dashes
// of 2.5 dots, gaps of 1.2, 4 and 9. Character accuracy: prompted characters decoded right,
// after lining up the texts by edit distance (a skipped or extra character
// costs one); word spaces are counted apart. --show prints the first N
// texts of each condition that were not decoded right, with what came out.

#include "sending/morsedecoder.h"
#include "sending/sendingalphabet.h"
#include "sending/synthetickeying.h"
#include "sending/tokenalignment.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

namespace {

using namespace sending;
using Change = SyntheticKeying::Change;

struct Condition
{
    const char *name;
    double startWpm;
    double endWpm;
    Change change;
    bool fixedPrior = false;
    bool ownProportions = false;
};

struct Tally
{
    qint64 characters = 0;
    qint64 right = 0;
    qint64 spaces = 0;
    qint64 spacesRight = 0;
    int textsWrong = 0;
};

QString randomText(QRandomGenerator &random, int words)
{
    const QStringList alphabet = SendingAlphabet::all();
    QString text;
    for (int w = 0; w < words; ++w) {
        if (w > 0)
            text += u' ';
        const int length = 1 + int(random.bounded(6));
        for (int i = 0; i < length; ++i)
            text += alphabet.at(random.bounded(int(alphabet.size())));
    }
    return text;
}

QString decode(const std::vector<KeyEdge> &edges, double expectedWpm)
{
    MorseDecoder decoder(expectedWpm);
    for (const KeyEdge &edge : edges) {
        // What a timer at each deadline would have seen.
        while (const auto deadline = decoder.nextDeadline()) {
            if (*deadline > edge.at)
                break;
            decoder.idle(*deadline);
        }
        decoder.feed(edge);
    }
    if (!edges.empty())
        decoder.idle(edges.back().at + std::chrono::seconds(30));
    return decoder.text();
}

void count(const QString &prompt, const QString &decoded, Tally &tally)
{
    QStringList a = SendingAlphabet::tokens(prompt);
    QStringList b = SendingAlphabet::tokens(decoded.trimmed());
    qint64 right = 0, spacesRight = 0, characters = 0, spaces = 0;
    for (const auto &pair : TokenAlignment::align(a, b)) {
        if (pair.prompted < 0)
            continue;
        const bool space = a.at(pair.prompted) == u" ";
        const bool same = pair.decoded >= 0 &&
                          SendingAlphabet::sameKeying(a.at(pair.prompted), b.at(pair.decoded));
        (space ? spaces : characters) += 1;
        if (same)
            (space ? spacesRight : right) += 1;
    }
    // Characters alone, spaces left out, so a missed word space costs no
    // character.
    a.removeAll(QStringLiteral(" "));
    b.removeAll(QStringLiteral(" "));
    right = 0;
    for (const auto &pair : TokenAlignment::align(a, b))
        if (pair.prompted >= 0 && pair.decoded >= 0 &&
            SendingAlphabet::sameKeying(a.at(pair.prompted), b.at(pair.decoded)))
            ++right;
    tally.characters += characters;
    tally.right += right;
    tally.spaces += spaces;
    tally.spacesRight += spacesRight;
    if (right != characters)
        ++tally.textsWrong;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Accuracy of the sending decoder"));
    parser.addHelpOption();
    const QCommandLineOption textsOption(QStringLiteral("texts"),
                                         QStringLiteral("Texts per condition (default 40)."),
                                         QStringLiteral("N"), QStringLiteral("40"));
    const QCommandLineOption wordsOption(QStringLiteral("words"),
                                         QStringLiteral("Words per text (default 30)."),
                                         QStringLiteral("N"), QStringLiteral("30"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Random seed (default 1)."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption showOption(QStringLiteral("show"),
                                        QStringLiteral("Print N texts decoded wrong."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    parser.addOptions({textsOption, wordsOption, seedOption, showOption});
    parser.process(app);
    const int texts = std::max(1, parser.value(textsOption).toInt());
    const int words = std::max(1, parser.value(wordsOption).toInt());
    const quint32 seed = parser.value(seedOption).toUInt();
    const int show = parser.value(showOption).toInt();

    const Condition conditions[] = {
        {"10 WPM", 10, 10, Change::None},
        {"15 WPM", 15, 15, Change::None},
        {"20 WPM", 20, 20, Change::None},
        {"25 WPM", 25, 25, Change::None},
        {"30 WPM", 30, 30, Change::None},
        {"35 WPM", 35, 35, Change::None},
        {"40 WPM", 40, 40, Change::None},
        {"20 -> 10 at once", 20, 10, Change::Step},
        {"40 -> 20 at once", 40, 20, Change::Step},
        {"10 -> 20 at once", 10, 20, Change::Step},
        {"20 -> 40 at once", 20, 40, Change::Step},
        {"20 -> 10 gradually", 20, 10, Change::Ramp},
        {"40 -> 20 gradually", 40, 20, Change::Ramp},
        {"10 -> 20 gradually", 10, 20, Change::Ramp},
        {"20 -> 40 gradually", 20, 40, Change::Ramp},
        {"10 WPM, expected 15", 10, 10, Change::None, true},
        {"25 WPM, expected 15", 25, 25, Change::None, true},
        {"40 WPM, expected 15", 40, 40, Change::None, true},
        {"20 WPM, own proportions", 20, 20, Change::None, false, true},
    };
    const double errors[] = {0.20, 0.35};

    std::printf("%d texts of %d random words per condition, seed %u\n\n", texts, words, seed);
    std::printf(
        "| condition | error | characters | accuracy | word spaces | texts not all right |\n");
    std::printf("|---|---|---|---|---|---|\n");
    Tally totals[2];
    quint32 conditionSeed = seed;
    for (const Condition &c : conditions) {
        for (int e = 0; e < 2; ++e) {
            // Texts and timing of their own for every condition.
            conditionSeed += 2;
            QRandomGenerator random(conditionSeed);
            SyntheticKeying keying(conditionSeed + 1);
            Tally tally;
            int shown = 0;
            for (int t = 0; t < texts; ++t) {
                const QString prompt = randomText(random, words);
                SyntheticKeying::Options options;
                options.startWpm = c.startWpm;
                options.endWpm = c.endWpm;
                options.change = c.change;
                options.error = errors[e];
                if (c.ownProportions) {
                    options.dash = 2.5;
                    options.elementGap = 1.2;
                    options.characterGap = 4;
                    options.wordGap = 9;
                }
                const double off = std::pow(1.5, 2 * random.generateDouble() - 1);
                const double expected = c.fixedPrior ? 15 : c.startWpm * off;
                const QString decoded = decode(
                    keying.key(prompt, options, KeyTime{} + std::chrono::seconds(1)), expected);
                const int before = tally.textsWrong;
                count(prompt, decoded, tally);
                if (tally.textsWrong > before && shown < show) {
                    ++shown;
                    std::printf("  %s +-%.0f%% expected %.1f\n  sent    %s\n  decoded %s\n", c.name,
                                errors[e] * 100, expected, qPrintable(prompt), qPrintable(decoded));
                }
            }
            totals[e].characters += tally.characters;
            totals[e].right += tally.right;
            std::printf("| %s | +-%.0f %% | %lld | %.2f %% | %.2f %% | %d of %d |\n", c.name,
                        errors[e] * 100, static_cast<long long>(tally.characters),
                        100.0 * double(tally.right) / double(tally.characters),
                        100.0 * double(tally.spacesRight) /
                            double(std::max<qint64>(1, tally.spaces)),
                        tally.textsWrong, texts);
        }
    }
    for (int e = 0; e < 2; ++e)
        std::printf("\nall conditions, +-%.0f %%: %.2f %% of %lld characters", errors[e] * 100,
                    100.0 * double(totals[e].right) / double(totals[e].characters),
                    static_cast<long long>(totals[e].characters));
    std::printf("\n");
    return 0;
}
