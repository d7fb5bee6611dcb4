#include "platform/continuedtone.h"

#include <SDL.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>

namespace platform {

namespace {

// The longest period searched for when a tone is continued past its edges:
// 20 Hz at 96000 Hz.
constexpr std::int64_t MaxPeriodFrames = 4800;
// A lag repeats the tone when what it brings back differs from the original
// by less than this share of its energy (a sawtooth's jump a fraction of a
// frame off costs a few per cent); anything worse would splice in a step.
constexpr double RepeatTolerance = 0.1;

bool isId(const unsigned char *p, const char *id)
{
    return std::memcmp(p, id, 4) == 0;
}

std::uint32_t le32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

// SDL decodes what it can of a truncated file; a tone cut short must not play
// at all, so the chunks up to and including the samples must all be there.
bool isComplete(const void *image, std::size_t size)
{
    const auto *b = static_cast<const unsigned char *>(image);
    if (size < 12 || !isId(b, "RIFF") || !isId(b + 8, "WAVE"))
        return false;
    std::size_t at = 12;
    while (size - at >= 8) {
        const std::uint64_t length = le32(b + at + 4);
        if (length > size - at - 8)
            return false;
        if (isId(b + at, "data"))
            return length > 0;
        at += 8 + length + (length & 1);
        if (at > size)
            return false;
    }
    return false;
}

// The samples as float at the stream's rate. SDL_AudioCVT converts the whole
// tone at once; an SDL_AudioStream would keep the resampler's tail back.
std::vector<float> toStream(const SDL_AudioSpec &spec, const Uint8 *samples, Uint32 frames)
{
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, 1, spec.freq, AUDIO_F32SYS, 1, ContinuedTone::Rate) <
        0)
        return {};
    const int width = SDL_AUDIO_BITSIZE(spec.format) / 8;
    // SDL converts in place, in a buffer len_mult times the tone whose size
    // it counts in an int: a tone that would not fit plays nothing rather
    // than overrun it (a size_t too has only 32 bits on armhf).
    if (std::int64_t(frames) * width * cvt.len_mult > INT_MAX)
        return {};
    cvt.len = int(frames) * width;
    std::vector<float> out((std::size_t(cvt.len) * std::size_t(cvt.len_mult) + 3) / 4);
    cvt.buf = reinterpret_cast<Uint8 *>(out.data());
    std::memcpy(cvt.buf, samples, std::size_t(cvt.len));
    if (SDL_ConvertAudio(&cvt) < 0)
        return {};
    out.resize(std::size_t(cvt.len_cvt) / sizeof(float));
    return out;
}

struct Lag
{
    std::int64_t lag = 0;
    bool repeats = false;
};

// The lag, from lo to hi, at which the tone best repeats what it holds at from
// over window frames, looking back (direction -1) or ahead (+1): a whole
// number of its periods, or as near to one as its samples come. A tone shorter
// than a period and the window has no such lag.
Lag bestLag(const std::vector<float> &s, std::int64_t from, std::int64_t window, std::int64_t lo,
            std::int64_t hi, int direction)
{
    double energy = 0;
    for (std::int64_t k = 0; k < window; ++k)
        energy +=
            double(s[std::size_t(from + direction * k)]) * s[std::size_t(from + direction * k)];
    // A repeat this close is as good as exact (a tenth of a frame off at a
    // period of a hundred): the search ends there.
    const double goodEnough = 1e-4 * energy;
    std::int64_t best = lo;
    double bestError = std::numeric_limits<double>::max();
    // Only where the tone comes back to its first two samples can it repeat
    // them all: the rest are passed over at the cost of two comparisons.
    float peak = 0;
    for (std::int64_t k = 0; k < window; ++k)
        peak = std::max(peak, std::abs(s[std::size_t(from + direction * k)]));
    const float near = 0.05f * peak + 1e-6f;
    const float first = s[std::size_t(from)];
    const float second = s[std::size_t(from + direction * std::min<std::int64_t>(1, window - 1))];
    for (std::int64_t q = lo; q <= hi && bestError > goodEnough; ++q) {
        if (std::abs(s[std::size_t(from + direction * q)] - first) > near ||
            std::abs(
                s[std::size_t(from + direction * (q + std::min<std::int64_t>(1, window - 1)))] -
                second) > near)
            continue;
        double error = 0;
        for (std::int64_t k = 0; k < window && error < bestError; ++k) {
            const double d = s[std::size_t(from + direction * k)] -
                             s[std::size_t(from + direction * k + direction * q)];
            error += d * d;
        }
        if (error < bestError) {
            bestError = error;
            best = q;
        }
    }
    return {best, bestError <= RepeatTolerance * energy};
}

} // namespace

std::int64_t ContinuedTone::edgeFrames()
{
    return std::llround(SoftEdgeSeconds / 2 * Rate);
}

std::vector<float> ContinuedTone::ramp(std::int64_t edge)
{
    std::vector<float> r(std::size_t(2 * edge + 1), 1.0f);
    if (edge == 0)
        return r;
    for (std::int64_t k = 0; k <= 2 * edge; ++k)
        r[std::size_t(k)] =
            float(0.5 - 0.5 * std::cos(std::numbers::pi * double(k) / double(2 * edge)));
    return r;
}

std::optional<ContinuedTone> ContinuedTone::fromImage(const void *image, std::size_t size,
                                                      std::int64_t edge)
{
    if (image == nullptr || size == 0 || !isComplete(image, size))
        return {};
    SDL_AudioSpec spec{};
    Uint8 *samples = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(image, int(std::min<std::size_t>(size, INT_MAX))), 1,
                       &spec, &samples, &bytes) == nullptr)
        return {};
    std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(samples, &SDL_FreeWAV);
    const int width = SDL_AUDIO_BITSIZE(spec.format) / 8;
    if (spec.channels != 1 || (spec.format != AUDIO_S16LSB && spec.format != AUDIO_U8) ||
        (spec.freq != 44100 && spec.freq != 96000) || bytes < Uint32(width))
        return {};
    std::vector<float> tone = toStream(spec, samples, bytes / Uint32(width));
    if (tone.empty())
        return {};
    return continued(std::move(tone), edge);
}

// The frames before the tone's start are those before a later point where it
// repeats its opening, the frames after its end those after an earlier point
// where it repeats its close. Where it repeats nothing (a tone shorter than
// one of its periods), its first and last samples are held instead: a step
// spliced in would click through the edge.
ContinuedTone ContinuedTone::continued(std::vector<float> tone, std::int64_t edge)
{
    ContinuedTone sound;
    const auto n = std::int64_t(tone.size());
    sound.lead = edge;
    sound.length = n;
    sound.samples.assign(std::size_t(n + 2 * edge), 0.0f);
    std::copy(tone.begin(), tone.end(), sound.samples.begin() + edge);
    if (edge == 0 || n == 0)
        return sound;
    const std::int64_t window = std::min<std::int64_t>(edge, n / 4 + 1);
    const std::int64_t lo = edge;
    const std::int64_t hi = std::min<std::int64_t>(n - window, lo + MaxPeriodFrames);
    const Lag ahead = hi >= lo ? bestLag(tone, 0, window, lo, hi, +1) : Lag{};
    const Lag back = hi >= lo ? bestLag(tone, n - 1, window, lo, hi, -1) : Lag{};
    const auto wrap = [n](std::int64_t i) { return std::size_t((i % n + n) % n); };
    for (std::int64_t k = 1; k <= edge; ++k) {
        sound.samples[std::size_t(edge - k)] =
            ahead.repeats ? tone[wrap(ahead.lag - k)] : tone.front();
        sound.samples[std::size_t(edge + n - 1 + k)] =
            back.repeats ? tone[wrap(n - 1 + k - back.lag)] : tone.back();
    }
    return sound;
}

RenderedBlock ContinuedTone::shaped() const
{
    RenderedBlock block;
    block.start = lead;
    block.length = length;
    block.samples = samples;
    if (lead == 0)
        return block;
    const std::vector<float> r = ramp(lead);
    const auto rise = [&](std::int64_t x) {
        if (x < -lead)
            return 0.0f;
        if (x >= lead)
            return 1.0f;
        return r[std::size_t(x + lead)];
    };
    for (std::int64_t k = 0; k < std::int64_t(block.samples.size()); ++k)
        block.samples[std::size_t(k)] *= rise(k - lead) * (1 - rise(k - lead - length));
    return block;
}

} // namespace platform
