#include "bench/rhythmanalysis.h"

#include "bench/nominal.h"
#include "bench/scenarioreport.h"
#include "bench/stream.h"
#include "sound/tgerasom.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <map>

namespace {

using stream::FramesPerMs;

// Edges of a tone that may differ from the plain synthesized one.
constexpr int EdgeFrames = 5 * FramesPerMs;
// How far from the estimate given by the sound's extent the tone is looked for.
constexpr int SearchFrames = 10 * FramesPerMs;
// The mixer scales the same floats the same way; a sound server's float path
// may round.
constexpr float Tolerance = 4 * std::numeric_limits<float>::epsilon();

struct Gains
{
    float left;
    float right;
};

Gains gainsOf(std::uint32_t word)
{
    return {float(word & 0xFFFFu) / 65535.0f, float(word >> 16) / 65535.0f};
}

bool matches(const std::vector<float> &s, std::int64_t at, const stream::Tone &t, Gains g,
             std::int64_t from, std::int64_t to)
{
    if (at + from < 0 || std::size_t(2 * (at + to)) > s.size())
        return false;
    for (std::int64_t k = from; k < to; ++k) {
        const float v = t.samples[std::size_t(k)];
        const auto f = std::size_t(at + k);
        if (std::abs(s[2 * f] - v * g.left) > Tolerance ||
            std::abs(s[2 * f + 1] - v * g.right) > Tolerance)
            return false;
    }
    return true;
}

struct Placement
{
    std::int64_t start = 0;
    bool aligned = false;
    bool whole = false;
    int edgeDeviation = 0;
};

// Where tone t lies in region r of stream s.
Placement place(const std::vector<float> &s, const stream::Region &r, const stream::Tone &t,
                Gains g)
{
    const auto length = std::int64_t(t.samples.size());
    const std::int64_t edge = std::min<std::int64_t>(EdgeFrames, length / 4);
    // The middle of the sound is the middle of the tone, whatever its edges.
    const double middle = double(t.leadingZeros + length - t.trailingZeros) / 2;
    const auto estimate = std::llround(double(r.first + r.last + 1) / 2 - middle);
    Placement p{estimate};
    // Nearest first: a periodic tone also matches one period away.
    for (std::int64_t d = 0; d <= SearchFrames && !p.aligned; ++d) {
        for (const std::int64_t at : {estimate + d, estimate - d}) {
            if (matches(s, at, t, g, edge, length - edge)) {
                p = {at, true};
                break;
            }
        }
    }
    if (!p.aligned)
        return p;
    p.whole = r.first >= p.start - edge && r.last < p.start + length + edge;
    p.edgeDeviation = int(std::max(std::abs(r.first - (p.start + t.leadingZeros)),
                                   std::abs(r.last + 1 - (p.start + length - t.trailingZeros))));
    return p;
}

double median(std::vector<double> v)
{
    const auto mid = v.begin() + std::ptrdiff_t(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

} // namespace

RhythmAnalysis analyse(const ScenarioReport &report, const std::vector<float> &samples,
                       bool verbose)
{
    RhythmAnalysis a;
    const std::vector<nominal::Element> rhythm = nominal::rhythm(report.text, report.unit);
    const std::vector<stream::Region> regions = stream::regions(samples);
    a.expected = int(rhythm.size());
    a.plays = int(report.callsMs.size());
    a.found = int(regions.size());
    if (!report.error.isEmpty()) {
        a.error = report.error;
        return a;
    }
    if (report.rate != stream::Rate) {
        a.error = report.rate == 0 ? QStringLiteral("the device never opened")
                                   : QStringLiteral("the device played at %1 Hz").arg(report.rate);
        return a;
    }
    if (report.waveform >= tgNoise) {
        a.error = QStringLiteral("noise cannot be synthesized again sample for sample");
        return a;
    }
    if (a.plays != a.expected || report.volumes.size() != report.callsMs.size()) {
        a.error = QStringLiteral("%1 plays for %2 marks keyed").arg(a.plays).arg(a.expected);
        return a;
    }
    if (!a.paired()) {
        if (verbose) {
            for (const stream::Region &r : regions)
                std::printf("  sound at %lld for %.3f ms\n", static_cast<long long>(r.first),
                            double(r.last + 1 - r.first) / FramesPerMs);
        }
        a.error = QStringLiteral("%1 stretches of sound for %2 marks: holes or extra sound")
                      .arg(a.found)
                      .arg(a.expected);
        return a;
    }

    TGeraSom g;
    g.SetFrequency(static_cast<std::int16_t>(report.frequency));
    g.SetWaveform(static_cast<TTGWave>(report.waveform));
    g.SetResolution(static_cast<TTGResolution>(report.resolution));
    g.SetQuality(static_cast<TTGQuality>(report.quality));
    std::map<int, stream::Tone> tones;
    auto toneOf = [&](int ms) -> const stream::Tone & {
        auto it = tones.find(ms);
        if (it == tones.end())
            it = tones.emplace(ms, stream::tone(g, ms)).first;
        return it->second;
    };

    const std::size_t n = rhythm.size();
    std::vector<Placement> placed(n);
    std::vector<double> offGrid(n);
    std::vector<std::size_t> chain(n); // which chain each mark is in
    std::int64_t nominalStart = 0;
    std::size_t chains = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const stream::Tone &t = toneOf(rhythm[i].markMs);
        if (t.samples.empty()) {
            a.error = QStringLiteral("the generator makes no 16-bit 96 kHz tone to compare with");
            return a;
        }
        placed[i] = place(samples, regions[i], t, gainsOf(report.volumes[i]));
        a.aligned += placed[i].aligned ? 1 : 0;
        a.whole += placed[i].whole ? 1 : 0;
        a.maxEdgeDeviation = std::max(a.maxEdgeDeviation, placed[i].edgeDeviation);
        if (i > 0 &&
            std::find(report.breaks.begin(), report.breaks.end(), int(i)) != report.breaks.end())
            ++chains;
        chain[i] = chains;
        offGrid[i] = double(placed[i].start - nominalStart);
        nominalStart += std::int64_t(rhythm[i].markMs + rhythm[i].spaceMs) * FramesPerMs;
    }
    std::vector<double> anchors(chains + 1);
    for (std::size_t c = 0; c <= chains; ++c) {
        std::vector<double> own;
        for (std::size_t i = 0; i < n; ++i)
            if (chain[i] == c)
                own.push_back(offGrid[i]);
        anchors[c] = own.empty() ? 0 : median(own);
    }
    for (std::size_t i = 0; i < n; ++i) {
        a.markErrors.push_back(offGrid[i] - anchors[chain[i]]);
        a.markStarts.push_back(placed[i].start);
        a.markEnds.push_back(placed[i].start +
                             std::int64_t(toneOf(rhythm[i].markMs).samples.size()));
        if (i + 1 == n)
            break;
        const std::int64_t end =
            placed[i].start + std::int64_t(toneOf(rhythm[i].markMs).samples.size());
        const double space = double(placed[i + 1].start - end - rhythm[i].spaceMs * FramesPerMs);
        if (chain[i + 1] == chain[i])
            a.spaceErrors.push_back(space);
        else if (space < -2)
            ++a.shortPauses;
    }

    if (verbose) {
        // Errors in samples; the chain each mark is in.
        std::printf("  %-4s %-3s %10s %-7s %9s %10s %9s %6s\n", "#", "el", "start", "tone",
                    "mark err", "space nom", "space err", "chain");
        for (std::size_t i = 0; i < n; ++i) {
            const char *state = !placed[i].aligned ? "no" : placed[i].whole ? "whole" : "spills";
            std::printf("  %-4zu %c %c %10lld %-7s %9.0f", i, rhythm[i].character,
                        rhythm[i].dash ? '-' : '.', static_cast<long long>(placed[i].start), state,
                        a.markErrors[i]);
            if (i + 1 < n)
                std::printf(" %10d %9lld %6zu", rhythm[i].spaceMs * FramesPerMs,
                            static_cast<long long>(placed[i + 1].start - a.markEnds[i] -
                                                   rhythm[i].spaceMs * FramesPerMs),
                            chain[i]);
            std::printf("\n");
        }
    }
    return a;
}
