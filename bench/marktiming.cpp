#include "bench/marktiming.h"

#include "bench/stream.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace marktiming {

namespace {

// How far before a stretch of sound its tone may begin: a soft rise is
// quiet for its first frames, and quantised to nothing at the very start.
constexpr std::int64_t SearchFrames = 2000;
// The middle, matched sample for sample, stays this far from the sound's
// first and last frames (the soft edges are 576 frames long).
constexpr std::int64_t EdgeFrames = 700;
// Gains are read where the waveform is at least this strong: a sample's
// rounding then moves the gain by 1/4000 at most.
constexpr double StrongCarrier = 2000;
// Silence read from this far outside a stretch of sound: its first and last
// frames may be where the waveform itself is 0.
constexpr std::int64_t OutsideFrames = 64;

struct Region
{
    std::int64_t first;
    std::int64_t last;
};

std::vector<Region> regions(const Channel &c)
{
    std::vector<Region> found;
    for (std::int64_t f = 0; f < c.frames; ++f) {
        if (c.at(f) == 0)
            continue;
        if (!found.empty() && f - found.back().last <= stream::MergeFrames)
            found.back().last = f;
        else
            found.push_back({f, f});
    }
    return found;
}

class Gain
{
public:
    Gain(const Channel &c, const std::vector<std::int16_t> &carrier, double scale, Region r)
        : mC(c), mCarrier(carrier), mScale(scale), mRegion(r)
    {
    }

    // The earliest offset at which the carrier matches the middle of the
    // region; false when none does. The earliest: a carrier that repeats
    // itself matches a whole repeat earlier too, and that offset reads the
    // rise as well as the true one.
    bool align()
    {
        const std::int64_t length = mRegion.last + 1 - mRegion.first;
        const std::int64_t edge = std::min(EdgeFrames, length / 3);
        const std::int64_t from = mRegion.first + edge;
        const std::int64_t to = mRegion.last + 1 - edge;
        const double tolerance = 0.4 * mScale; // under half a step of the carrier
        for (mA = std::max<std::int64_t>(0, mRegion.first - SearchFrames); mA <= mRegion.first;
             ++mA) {
            if (to - mA > std::int64_t(mCarrier.size()))
                return false;
            bool same = true;
            for (std::int64_t n = from; n < to && same; ++n)
                same = std::abs(mC.at(n) - mScale * mCarrier[std::size_t(n - mA)]) <= tolerance;
            if (same)
                return true;
        }
        return false;
    }

    // The gain at frame n, or NaN where the carrier is weaker than strength:
    // where the waveform is 0 no sample tells whether the mark sounds. Before
    // the tone begins and after the stream ends: gain 0.
    double at(std::int64_t n, double strength) const
    {
        const std::int64_t k = n - mA;
        if (k < 0 || n >= mC.frames)
            return 0;
        if (k >= std::int64_t(mCarrier.size()))
            return std::numeric_limits<double>::quiet_NaN();
        const double carrier = mCarrier[std::size_t(k)];
        if (carrier == 0 || std::abs(carrier) < strength)
            return std::numeric_limits<double>::quiet_NaN();
        return mC.at(n) / (mScale * carrier);
    }

    // Where the gain crosses 1/2, walking from the silence outside the region
    // inwards (step +1 from before its first frame, -1 from after its last).
    double crossing(int step) const
    {
        std::int64_t outside = step > 0 ? mRegion.first - OutsideFrames
                                        : std::min(mRegion.last + OutsideFrames, mC.frames);
        double low = 0;
        std::int64_t inside = outside;
        double high = 0;
        const auto walk = [&](std::int64_t from, std::int64_t to, double strength) {
            for (std::int64_t n = from + step; n != to; n += step) {
                const double g = at(n, strength);
                if (std::isnan(g))
                    continue;
                if (g >= 0.5) {
                    inside = n;
                    high = g;
                    return;
                }
                outside = n;
                low = g;
            }
        };
        walk(outside, step > 0 ? mRegion.last + 1 : mRegion.first - 1, StrongCarrier);
        // A raw edge jumps from nothing to all between two strong samples:
        // every weak sample between them tells on which side it lies.
        if (high - low > 0.98)
            walk(outside, inside, 1);
        return double(outside) + (0.5 - low) / (high - low) * double(inside - outside);
    }

private:
    const Channel &mC;
    const std::vector<std::int16_t> &mCarrier;
    double mScale;
    Region mRegion;
    std::int64_t mA = 0;
};

} // namespace

std::vector<Mark> measure(const Channel &channel, const std::vector<std::int16_t> &carrier,
                          double scale)
{
    std::vector<Mark> marks;
    for (const Region &r : regions(channel)) {
        Gain gain(channel, carrier, scale, r);
        Mark m;
        m.aligned = gain.align();
        if (m.aligned) {
            m.start = gain.crossing(+1);
            m.end = gain.crossing(-1);
        } else {
            m.start = double(r.first);
            m.end = double(r.last + 1);
        }
        marks.push_back(m);
    }
    return marks;
}

Comparison compare(const std::vector<Mark> &measured, const std::vector<Nominal> &nominal)
{
    Comparison c;
    c.expected = int(nominal.size());
    c.found = int(measured.size());
    if (c.found != c.expected || c.expected == 0) {
        c.error = QStringLiteral("%1 marks found for %2 keyed").arg(c.found).arg(c.expected);
        return c;
    }
    const double anchor = measured[0].start - nominal[0].start;
    for (std::size_t i = 0; i < nominal.size(); ++i) {
        const Mark &m = measured[i];
        const Nominal &n = nominal[i];
        c.aligned += m.aligned ? 1 : 0;
        c.maxMarkError = std::max(c.maxMarkError, std::abs((m.end - m.start) - (n.end - n.start)));
        c.maxStartError = std::max(c.maxStartError, std::abs(m.start - n.start - anchor));
        if (i + 1 < nominal.size())
            c.maxSpaceError = std::max(c.maxSpaceError, std::abs((measured[i + 1].start - m.end) -
                                                                 (nominal[i + 1].start - n.end)));
    }
    return c;
}

std::vector<Nominal> standard(const MorseText &text, int c, int s, int rate)
{
    const long double dot = 1.2L / c;
    const long double ta = (60.0L * c - 37.2L * s) / (static_cast<long double>(c) * s);
    const long double characterGap = s < c ? 3 * ta / 19 : 3 * dot;
    const long double wordGap = s < c ? 7 * ta / 19 : 7 * dot;
    std::vector<Nominal> marks;
    long double t = 0;
    for (qsizetype i = 0; i < text.symbols().size(); ++i) {
        const MorseText::Symbol &symbol = text.symbols()[i];
        if (i > 0)
            t += symbol.wordStart ? wordGap : characterGap;
        for (qsizetype e = 0; e < symbol.pattern.size(); ++e) {
            if (e > 0)
                t += dot;
            const long double length = symbol.pattern[e] == '-' ? 3 * dot : dot;
            marks.push_back({double(t * rate), double((t + length) * rate)});
            t += length;
        }
    }
    return marks;
}

} // namespace marktiming
