#include "sending/morsedecoder.h"

#include "sending/sendingalphabet.h"

#include <algorithm>
#include <cmath>

namespace sending {

namespace {

// How far each mark or silence pulls the dot estimate, in the logarithm: a
// sixth of the way, enough to follow a speed that drifts, and smooth enough
// that one badly timed element moves no threshold much.
constexpr double Pull = 0.15;
// How fast the sender's proportions follow him.
constexpr double Learn = 0.05;
// Where a threshold sits between two neighbouring durations a and b, as
// a^(1-w) b^w: halfway in the logarithm for dots and dashes and for element
// and character gaps; nearer the character gap between it and a word gap,
// since a word gap cut short still reads as one, and a character gap drawn out
// is the learner's common fault.
constexpr double MarkSplit = 0.5;
constexpr double CharacterSplit = 0.5;
constexpr double WordSplit = 0.42;
// A mark this many dashes long is no dash of the current speed: he slowed down.
constexpr double SlowerMark = 1.6;
// A mark this many times shorter than a dot: he sped up.
constexpr double FasterMark = 2.0;
// Beyond this many times the speed, a mark is a held key or a bounce, not a
// change of speed: it teaches the estimate nothing.
constexpr double Implausible = 2.5;

// Long gaps kept to tell his character gaps from his word gaps (from six on);
// the factor between the two groups that shows there are two; how fast the
// gaps move to the groups.
constexpr size_t LongGaps = 16;
constexpr double WordToCharacter = 1.8;
constexpr double Settle = 0.3;

constexpr double Standard[] = {3, 1, 3, 7};
constexpr double Lowest[] = {2, 0.5, 2, 4.5};
constexpr double Highest[] = {5, 1.8, 6, 14};

double between(double a, double b, double w)
{
    return std::pow(a, 1 - w) * std::pow(b, w);
}

double ns(Duration d)
{
    return double(d.count());
}

} // namespace

MorseDecoder::MorseDecoder(double expectedWpm)
{
    reset(expectedWpm);
}

void MorseDecoder::reset(double expectedWpm)
{
    const double wpm = std::isfinite(expectedWpm) ? std::clamp(expectedWpm, 3.0, 80.0) : 15.0;
    m_expectedDot = m_dot = 1.2e9 / wpm;
    std::copy(std::begin(Standard), std::end(Standard), m_ratio);
    m_updates = 0;
    m_settled = false;
    m_candidate = 0;
    m_start.reset(m_expectedDot);
    m_longGaps.clear();
    m_down = m_anyMark = m_characterOpen = m_wordOpen = false;
    m_ended = Gap::Element;
    m_latest = m_lastDown = m_lastUp = KeyTime{};
    m_current = {};
    m_characters.clear();
    m_text.clear();
}

double MorseDecoder::markThreshold() const
{
    return between(1, m_ratio[Dash], MarkSplit) * m_dot;
}

double MorseDecoder::characterThreshold() const
{
    return between(m_ratio[ElementGap], m_ratio[CharacterGap], CharacterSplit) * m_dot;
}

double MorseDecoder::wordThreshold() const
{
    return between(m_ratio[CharacterGap], m_ratio[WordGap], WordSplit) * m_dot;
}

MorseDecoder::Gap MorseDecoder::classify(Duration silence) const
{
    const double s = ns(silence);
    if (s >= wordThreshold())
        return Gap::Word;
    return s >= characterThreshold() ? Gap::Character : Gap::Element;
}

double MorseDecoder::weight() const
{
    // The expected speed counts as one observation: the first mark moves the
    // estimate half way, later ones less, down to Pull.
    return std::max(Pull, 1.0 / (m_updates + 2));
}

void MorseDecoder::pull(double impliedDot, double w)
{
    if (impliedDot > 0)
        m_dot *= std::pow(impliedDot / m_dot, w);
    ++m_updates;
}

void MorseDecoder::learn(Kind kind, double dots)
{
    double &r = m_ratio[kind];
    r = std::clamp(r * std::pow(dots / r, Learn), Lowest[kind], Highest[kind]);
    // Neighbours stay apart, or a threshold between them would mean nothing.
    m_ratio[CharacterGap] = std::max(m_ratio[CharacterGap], 2 * m_ratio[ElementGap]);
    m_ratio[WordGap] = std::max(m_ratio[WordGap], 1.5 * m_ratio[CharacterGap]);
}

double MorseDecoder::misfit(double dots) const
{
    return std::min(std::abs(std::log(dots)), std::abs(std::log(dots / m_ratio[Dash])));
}

void MorseDecoder::markEstimate(double d)
{
    // A faster speed is taken once the next mark agrees with it: a stray tap
    // of the key alone moves nothing. A mark far too long for a dash is
    // rarely anything but a slower sender, and taken at once.
    if (m_candidate > 0 && misfit(d / m_candidate) < misfit(d / m_dot))
        m_dot = m_candidate;
    m_candidate = 0;

    const double dash = m_ratio[Dash] * m_dot;
    if (d >= markThreshold()) {
        if (d > dash * SlowerMark) {
            if (d <= dash * SlowerMark * Implausible)
                m_dot = d / m_ratio[Dash];
            return;
        }
        const double w = weight();
        learn(Dash, d / m_dot);
        pull(d / m_ratio[Dash], w);
        return;
    }
    if (d * FasterMark < m_dot) {
        if (d * FasterMark * Implausible >= m_dot)
            m_candidate = d;
        return;
    }
    pull(d, weight());
}

void MorseDecoder::gapEstimate(Gap gap, double s)
{
    switch (gap) {
    case Gap::Element:
        learn(ElementGap, s / m_dot);
        pull(s / m_ratio[ElementGap], weight());
        break;
    case Gap::Character:
        learnLongGap(s / m_dot);
        learn(CharacterGap, s / m_dot);
        pull(s / m_ratio[CharacterGap], weight());
        break;
    case Gap::Word:
        // A pause to think is no word gap to learn from.
        if (s < 2 * m_ratio[WordGap] * m_dot) {
            learnLongGap(s / m_dot);
            learn(WordGap, s / m_dot);
        }
        break;
    }
}

void MorseDecoder::learnLongGap(double dots)
{
    m_longGaps.push_back(std::log(dots));
    if (m_longGaps.size() > LongGaps)
        m_longGaps.pop_front();
    if (m_longGaps.size() < 6)
        return;
    // The split of the sorted gaps, in the logarithm, that leaves the two
    // groups farthest apart for their sizes (Otsu's criterion).
    std::vector<double> v(m_longGaps.begin(), m_longGaps.end());
    std::sort(v.begin(), v.end());
    double total = 0;
    for (double x : v)
        total += x;
    double below = 0, best = 0, shorter = 0, longer = 0;
    const double n = double(v.size());
    for (size_t k = 1; k < v.size(); ++k) {
        below += v[k - 1];
        const double a = below / double(k), b = (total - below) / (n - double(k));
        const double score = double(k) * (n - double(k)) * (b - a) * (b - a);
        if (score > best) {
            best = score;
            shorter = a;
            longer = b;
        }
    }
    if (longer - shorter < std::log(WordToCharacter))
        return;
    double &c = m_ratio[CharacterGap];
    double &w = m_ratio[WordGap];
    c = std::clamp(c * std::pow(std::exp(shorter) / c, Settle), Lowest[CharacterGap],
                   Highest[CharacterGap]);
    w = std::clamp(w * std::pow(std::exp(longer) / w, Settle), Lowest[WordGap], Highest[WordGap]);
    w = std::max(w, 1.5 * c);
}

QString MorseDecoder::keyDown(KeyTime t)
{
    if (m_down)
        return {};
    m_latest = t = std::max(t, m_latest);
    if (!m_settled) {
        m_start.add({t, true});
        m_down = true;
        return {};
    }
    QString out;
    if (m_anyMark) {
        const Duration silence = t - m_lastUp;
        // idle() may have ended the character or the word already.
        const Gap gap = std::max(classify(silence), m_ended);
        if (gap == Gap::Element) {
            m_current.gaps.push_back(silence);
        } else {
            out += complete();
            if (gap == Gap::Word)
                out += endWord();
            if (!m_characters.empty()) {
                m_characters.back().gapAfter = silence;
                m_characters.back().wordAfter = gap == Gap::Word;
            }
        }
        gapEstimate(gap, ns(silence));
    }
    if (!m_characterOpen) {
        m_current = {};
        m_current.start = t;
        m_current.dotNs = m_dot;
    }
    m_down = true;
    m_lastDown = t;
    return out;
}

QString MorseDecoder::keyUp(KeyTime t)
{
    if (!m_down)
        return {};
    m_latest = t = std::max(t, m_latest);
    if (!m_settled) {
        m_start.add({t, false});
        m_down = false;
        m_anyMark = true;
        m_lastUp = t;
        return m_start.enoughMarks() ? settle(t) : QString();
    }
    const Duration mark = t - m_lastDown;
    m_current.marks.push_back(mark);
    m_current.end = t;
    markEstimate(ns(mark));
    m_down = false;
    m_anyMark = true;
    m_characterOpen = true;
    m_ended = Gap::Element;
    m_lastUp = t;
    return {};
}

QString MorseDecoder::idle(KeyTime now)
{
    if (m_down || !m_anyMark)
        return {};
    m_latest = now = std::max(now, m_latest);
    const Duration silence = now - m_lastUp;
    if (!m_settled)
        return silence >= m_start.enoughSilence() ? settle(now) : QString();
    const Gap gap = classify(silence);
    QString out;
    if (gap > m_ended) {
        m_ended = gap;
        out += complete();
        if (gap == Gap::Word && !m_characters.empty()) {
            out += endWord();
            m_characters.back().wordAfter = true;
        }
    }
    return out;
}

std::optional<KeyTime> MorseDecoder::nextDeadline() const
{
    if (m_down || !m_anyMark)
        return std::nullopt;
    if (!m_settled)
        return m_lastUp + m_start.enoughSilence();
    if (m_ended == Gap::Word)
        return std::nullopt;
    const double after = m_ended == Gap::Element ? characterThreshold() : wordThreshold();
    return m_lastUp + Duration(std::llround(std::ceil(after)));
}

double MorseDecoder::wpm() const
{
    const double units = 10 + 4 * m_ratio[Dash] + 9 * m_ratio[ElementGap] +
                         4 * m_ratio[CharacterGap] + m_ratio[WordGap];
    return 1.2e9 * 50 / (units * m_dot);
}

QString MorseDecoder::settle(KeyTime now)
{
    const double dot = m_start.dotNs();
    const std::vector<KeyEdge> held = m_start.take();
    m_settled = true;
    m_dot = dot;
    m_down = m_anyMark = false;
    m_latest = KeyTime{};
    // Decoded as if the estimate had been there from the start, each mark
    // and gap having taught it as much as it would have.
    m_updates = int(held.size());
    QString out;
    for (const KeyEdge &e : held) {
        while (const auto deadline = nextDeadline()) {
            if (*deadline > e.at)
                break;
            out += idle(*deadline);
        }
        out += feed(e);
    }
    return out + idle(now);
}

QString MorseDecoder::complete()
{
    if (!m_characterOpen)
        return {};
    m_characterOpen = false;
    DecodedCharacter c = std::move(m_current);
    m_current = {};
    // Read the marks again with what they taught the estimate.
    const double threshold = markThreshold();
    c.pattern.clear();
    for (const Duration &mark : c.marks)
        c.pattern += ns(mark) >= threshold ? u'-' : u'.';
    QString out;
    std::vector<DecodedCharacter> parts = pieces(c, 0);
    if (parts.empty())
        parts = {std::move(c)};
    for (DecodedCharacter &part : parts)
        append(std::move(part), out);
    return out;
}

std::vector<DecodedCharacter> MorseDecoder::pieces(const DecodedCharacter &c, int depth)
{
    if (SendingAlphabet::token(c.pattern) != SendingAlphabet::Unknown)
        return {c};
    if (c.gaps.empty() || depth > 3)
        return {};
    std::vector<Duration> sorted = c.gaps;
    std::sort(sorted.begin(), sorted.end());
    const Duration longest = sorted.back();
    if (sorted.size() > 1 && ns(longest) < 1.5 * ns(sorted[(sorted.size() - 1) / 2]))
        return {};
    const auto at = std::find(c.gaps.begin(), c.gaps.end(), longest) - c.gaps.begin();
    DecodedCharacter left = c, right = c;
    left.pattern = c.pattern.left(at + 1);
    left.marks.assign(c.marks.begin(), c.marks.begin() + at + 1);
    left.gaps.assign(c.gaps.begin(), c.gaps.begin() + at);
    left.gapAfter = longest;
    left.wordAfter = false;
    right.pattern = c.pattern.mid(at + 1);
    right.marks.assign(c.marks.begin() + at + 1, c.marks.end());
    right.gaps.assign(c.gaps.begin() + at + 1, c.gaps.end());
    // Where each part begins and ends, from the durations.
    Duration leftLength{};
    for (size_t i = 0; i < left.marks.size(); ++i)
        leftLength += left.marks[i] + (i < left.gaps.size() ? left.gaps[i] : Duration{});
    left.end = left.start + leftLength;
    right.start = left.end + longest;
    std::vector<DecodedCharacter> l = pieces(left, depth + 1);
    std::vector<DecodedCharacter> r = pieces(right, depth + 1);
    if (l.empty() || r.empty())
        return {};
    l.insert(l.end(), r.begin(), r.end());
    return l;
}

void MorseDecoder::append(DecodedCharacter c, QString &out)
{
    c.text = SendingAlphabet::token(c.pattern, m_preferProsigns);
    out += c.text;
    m_text += c.text;
    m_wordOpen = true;
    m_characters.push_back(std::move(c));
}

QString MorseDecoder::endWord()
{
    if (!m_wordOpen)
        return {};
    m_wordOpen = false;
    m_text += u' ';
    return QStringLiteral(" ");
}

} // namespace sending
