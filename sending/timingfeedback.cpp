#include "sending/timingfeedback.h"

#include "sending/sendingalphabet.h"
#include "sending/tokenalignment.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace sending::TimingFeedback {

namespace {

double dots(Duration d, const DecodedCharacter &c)
{
    return double(d.count()) / c.dotNs;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    const auto middle = v.begin() + std::ptrdiff_t(v.size() / 2);
    std::nth_element(v.begin(), middle, v.end());
    if (v.size() % 2)
        return *middle;
    return (*middle + *std::max_element(v.begin(), middle)) / 2;
}

double mean(const std::vector<double> &v)
{
    if (v.empty())
        return -1;
    double sum = 0;
    for (double x : v)
        sum += x;
    return sum / double(v.size());
}

void measure(const DecodedCharacter &c, SendingResult::Character &out)
{
    if (c.marks.empty() || c.dotNs <= 0)
        return;
    std::vector<double> dotMarks, dashMarks, gaps;
    for (size_t i = 0; i < c.marks.size(); ++i)
        (c.pattern.at(qsizetype(i)) == u'-' ? dashMarks : dotMarks).push_back(dots(c.marks[i], c));
    for (const Duration &g : c.gaps)
        gaps.push_back(dots(g, c));
    if (!dotMarks.empty() && !dashMarks.empty())
        out.dashDotRatio = mean(dashMarks) / mean(dotMarks);
    out.elementGap = mean(gaps);
    if (c.gapAfter.count() >= 0)
        out.gapAfter = dots(c.gapAfter, c);
    out.wordAfter = c.wordAfter;
    out.timingError = timingError(c);
    out.wpm = 1.2e9 / c.dotNs;
}

} // namespace

double timingError(const DecodedCharacter &c)
{
    if (c.marks.empty() || c.dotNs <= 0 || c.pattern.size() != qsizetype(c.marks.size()))
        return -1;
    double sum = 0;
    int n = 0;
    const auto add = [&](double actual, double ideal) {
        if (actual > 0) {
            sum += std::abs(std::log(actual / ideal));
            ++n;
        }
    };
    for (size_t i = 0; i < c.marks.size(); ++i)
        add(dots(c.marks[i], c), c.pattern.at(qsizetype(i)) == u'-' ? 3 : 1);
    for (const Duration &g : c.gaps)
        add(dots(g, c), 1);
    if (c.gapAfter.count() >= 0) {
        const double after = dots(c.gapAfter, c);
        if (!c.wordAfter)
            add(after, 3);
        else
            add(std::min(after, 7.0), 7);
    }
    return 100 * (std::exp(sum / n) - 1);
}

SendingResult analyse(const QString &prompt, const std::vector<DecodedCharacter> &keyed, double wpm)
{
    SendingResult r;
    r.prompt = prompt;
    r.wpm = wpm;
    QStringList wanted = SendingAlphabet::tokens(prompt);
    wanted.removeAll(QStringLiteral(" "));
    QStringList got;
    for (const DecodedCharacter &c : keyed) {
        got << c.text;
        if (c.wordAfter)
            r.decoded += c.text + u' ';
        else
            r.decoded += c.text;
    }
    r.decoded = r.decoded.trimmed();
    r.prompted = int(wanted.size());

    for (const TokenAlignment::Pair &p : TokenAlignment::align(wanted, got)) {
        SendingResult::Character c;
        if (p.prompted >= 0)
            c.prompted = wanted.at(p.prompted);
        if (p.decoded >= 0) {
            c.decoded = got.at(p.decoded);
            c.keyed = int(p.decoded);
            measure(keyed[size_t(p.decoded)], c);
        }
        c.right =
            p.prompted >= 0 && p.decoded >= 0 && SendingAlphabet::sameKeying(c.prompted, c.decoded);
        if (c.right)
            ++r.right;
        else if (p.decoded < 0)
            ++r.skipped;
        else if (p.prompted < 0)
            ++r.added;
        else
            ++r.substituted;
        r.characters << c;
    }
    r.accuracy = r.prompted > 0 ? double(r.right) / r.prompted : 0;

    std::vector<double> dotMarks, dashMarks, elementGaps, characterGaps, wordGaps, errors;
    for (const DecodedCharacter &c : keyed) {
        if (c.dotNs <= 0 || c.pattern.size() != qsizetype(c.marks.size()))
            continue;
        for (size_t i = 0; i < c.marks.size(); ++i)
            (c.pattern.at(qsizetype(i)) == u'-' ? dashMarks : dotMarks)
                .push_back(dots(c.marks[i], c));
        for (const Duration &g : c.gaps)
            elementGaps.push_back(dots(g, c));
        if (c.gapAfter.count() >= 0)
            (c.wordAfter ? wordGaps : characterGaps).push_back(dots(c.gapAfter, c));
        errors.push_back(timingError(c));
    }
    if (!dotMarks.empty() && !dashMarks.empty())
        r.dashDotRatio = median(dashMarks) / median(dotMarks);
    r.elementGap = median(elementGaps);
    r.characterGap = median(characterGaps);
    r.wordGap = median(wordGaps);
    r.timingError = mean(errors);

    struct Sum
    {
        double error = 0;
        int count = 0;
        qsizetype first = 0; // keeps ties in the order they were sent
    };
    QHash<QString, Sum> sums;
    for (const SendingResult::Character &c : std::as_const(r.characters)) {
        if (!c.right || c.timingError < 0)
            continue;
        Sum &s = sums[c.prompted];
        if (s.count == 0)
            s.first = sums.size();
        s.error += c.timingError;
        ++s.count;
    }
    for (auto it = sums.cbegin(); it != sums.cend(); ++it)
        r.worst << SendingResult::Worst{it.key(), it->error / it->count, it->count};
    std::stable_sort(r.worst.begin(), r.worst.end(), [&sums](const auto &a, const auto &b) {
        if (a.timingError != b.timingError)
            return a.timingError > b.timingError;
        return sums.value(a.character).first < sums.value(b.character).first;
    });
    return r;
}

} // namespace sending::TimingFeedback
