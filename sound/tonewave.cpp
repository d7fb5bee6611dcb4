#include "sound/tonewave.h"

#include "platform/random.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace ToneWave {

namespace {

// Reals of the synthesis: IEEE doubles, more than the 40 bits of mantissa a
// tone needs, and rounded alike by every CPU, so an image has the same bytes
// on x86 and Arm.
using Real = double;
constexpr Real Pi = std::numbers::pi;

void putU16(std::uint8_t *p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// Sample format of a resolution: bytes per sample b, low level L, span H, offset o.
struct Format
{
    int b;
    Real L;
    Real H;
    Real o;
};

Format formatOf(TTGResolution r)
{
    if (r == tg16Bit)
        return {2, -32767, 65534, 0};
    return {1, 0, 255, 1};
}

} // namespace

int BytesPerSample(TTGResolution resolution)
{
    return formatOf(resolution).b;
}

int Rate(TTGQuality quality)
{
    return quality == tgHiQ ? 96000 : 44100;
}

void Fill(TTGWave waveform, std::int16_t frequencyHz, TTGResolution resolution, TTGQuality quality,
          std::uint8_t *data, std::uint32_t dataLength)
{
    const Format f = formatOf(resolution);
    const std::uint32_t rate = static_cast<std::uint32_t>(Rate(quality));

    // The k-th period ends at sample trunc(P k), P = rate / frequency. In whole
    // numbers, rate k / frequency truncated is exactly that, so no rounding of
    // P can move a boundary by a sample.
    const std::uint64_t frequency =
        static_cast<std::uint64_t>(std::clamp<std::int16_t>(frequencyHz, 20, 20000));
    std::uint64_t k = 1;
    std::uint64_t periodEnd = rate / frequency;
    std::int64_t N = static_cast<std::int64_t>(periodEnd);
    std::int64_t h = N / 2;
    const TTGWave wave = waveform >= tgNoise ? tgNoise : waveform;
    const Real high = (wave == tgSquare && f.b == 2) ? 32767 : f.H;

    // The sine's phase restarts every period and its step comes from the first
    // period, so its values depend on j alone: compute one period (plus the
    // one sample a longer period may add) once.
    std::vector<std::int32_t> sine;
    if (wave == tgSine) {
        const Real w = 2 * Pi / Real(N);
        sine.resize(static_cast<std::size_t>(N) + 2);
        for (std::size_t j = 0; j < sine.size(); ++j)
            sine[j] =
                static_cast<std::int32_t>(std::trunc(f.H * ((std::sin(w * Real(j)) + f.o) * 0.5)));
    }
    const Real d = wave == tgTriangle ? f.H / Real(h) : f.H / Real(N);
    const int noiseRange = static_cast<int>(std::trunc(f.H + 1));

    Real v = f.L;
    std::int64_t j = 0;
    // A 16-bit length may be odd (44100 Hz): the last sample then takes a byte
    // past it, which the image holds spare.
    for (std::uint32_t pos = 0; pos < dataLength; pos += f.b) {
        std::int32_t S = 0;
        switch (wave) {
        case tgSine:
            S = sine[static_cast<std::size_t>(j)];
            break;
        case tgSquare:
            S = static_cast<std::int32_t>(j < h ? f.L : high);
            break;
        case tgTriangle:
            S = static_cast<std::int32_t>(std::trunc(v));
            v = j < h ? v + d : v - d;
            break;
        case tgSawtooth:
            S = static_cast<std::int32_t>(std::trunc(v));
            v += d;
            break;
        default:
            S = platform::Random(noiseRange);
            break;
        }
        if (f.b == 2)
            putU16(data + pos, static_cast<std::uint16_t>(S));
        else
            data[pos] = static_cast<std::uint8_t>(S);

        if (++j == N) {
            j = 0;
            v = f.L;
            ++k;
            const std::uint64_t next = rate * k / frequency;
            N = static_cast<std::int64_t>(next - periodEnd);
            periodEnd = next;
            h = N / 2;
        }
    }
}

std::vector<std::int16_t> Samples(TTGWave wave, std::int16_t frequency, std::size_t count)
{
    count = std::min<std::size_t>(count, std::numeric_limits<std::uint32_t>::max() / 2);
    std::vector<std::uint8_t> bytes(2 * count);
    Fill(wave, frequency, tg16Bit, tgHiQ, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

} // namespace ToneWave
