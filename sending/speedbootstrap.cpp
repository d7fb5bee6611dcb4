#include "sending/speedbootstrap.h"

#include <algorithm>
#include <cmath>

namespace sending {

namespace {

// Marks this far apart are a dot and a dash: two dots are never so far apart
// even with every element a third off.
constexpr double DotAndDash = 2.4;
constexpr size_t MostMarks = 8;
// How much the expected speed weighs against a misfit of the keying.
constexpr double Prior = 0.5;

double nearest(double x, std::initializer_list<double> ideals)
{
    double best = 1e300;
    for (double i : ideals)
        best = std::min(best, std::abs(std::log(x / i)));
    return best;
}

} // namespace

void SpeedBootstrap::reset(double expectedDotNs)
{
    m_expected = expectedDotNs;
    m_edges.clear();
}

std::vector<double> SpeedBootstrap::lengths(bool marks) const
{
    std::vector<double> out;
    for (size_t i = 1; i < m_edges.size(); ++i) {
        if (m_edges[i - 1].down == marks && m_edges[i].down != marks)
            out.push_back(double((m_edges[i].at - m_edges[i - 1].at).count()));
    }
    return out;
}

bool SpeedBootstrap::enoughMarks() const
{
    const std::vector<double> marks = lengths(true);
    if (marks.size() >= MostMarks)
        return true;
    const auto [shortest, longest] = std::minmax_element(marks.begin(), marks.end());
    return !marks.empty() && *shortest > 0 && *longest >= DotAndDash * *shortest;
}

Duration SpeedBootstrap::enoughSilence() const
{
    // A word gap at the expected speed: a character gap of a sender twice as
    // slow is still shorter, and his next mark is worth waiting for.
    return Duration(std::llround(7 * m_expected));
}

double SpeedBootstrap::misfit(double dot) const
{
    double sum = Prior * std::abs(std::log(dot / m_expected));
    for (double m : lengths(true))
        sum += nearest(m / dot, {1, 3});
    for (double g : lengths(false)) {
        if (g <= 7 * dot)
            sum += nearest(g / dot, {1, 3, 7});
    }
    return sum;
}

double SpeedBootstrap::dotNs() const
{
    // Every mark is a dot or a dash: the sender's dot is one of these.
    double best = m_expected;
    double bestMisfit = misfit(best);
    for (double m : lengths(true)) {
        for (double dot : {m, m / 3}) {
            if (dot <= 0)
                continue;
            if (const double f = misfit(dot); f < bestMisfit) {
                best = dot;
                bestMisfit = f;
            }
        }
    }
    // Refined: the mean, in the logarithm, of what each mark says the dot is.
    double sum = 0;
    int n = 0;
    for (double m : lengths(true)) {
        if (m <= 0)
            continue;
        const double ideal =
            std::abs(std::log(m / best)) <= std::abs(std::log(m / (3 * best))) ? 1 : 3;
        sum += std::log(m / ideal);
        ++n;
    }
    return n > 0 ? std::exp(sum / n) : best;
}

std::vector<KeyEdge> SpeedBootstrap::take()
{
    std::vector<KeyEdge> out;
    std::swap(out, m_edges);
    return out;
}

} // namespace sending
