#pragma once

#include <QString>
#include <cstdint>
#include <vector>

class TGeraSom;

// A recorded output stream (raw float32 stereo, interleaved, at the device's
// 96000 Hz), as the rhythm benchmarks read it.
namespace stream {

constexpr int Rate = 96000;
constexpr int FramesPerMs = Rate / 1000;
// Zero runs shorter than this lie inside a tone: a waveform crosses zero.
constexpr int MergeFrames = 96;

// The samples of a recording; empty when it cannot be read.
std::vector<float> read(const QString &path);

// A stretch of sound: its first and last frames with a non-zero sample.
struct Region
{
    std::int64_t first;
    std::int64_t last;
};
std::vector<Region> regions(const std::vector<float> &samples);

// A tone as the device receives it: float samples, and how many zero samples
// open and close it (a sine starts at zero; no detector can see those).
struct Tone
{
    std::vector<float> samples;
    int leadingZeros = 0;
    int trailingZeros = 0;
};
// The tone g synthesizes for ms milliseconds; empty unless g makes 16-bit
// images at 96000 Hz, the device's own rate, which it plays unconverted.
Tone tone(TGeraSom &g, int ms);

} // namespace stream
