#pragma once

#include "morse/morsetext.h"

#include <QString>
#include <cstdint>
#include <vector>

// Marks measured in a stream of samples, whatever produced it: a WAV export
// or a recording of what the player played.
//
// A stretch of sound is aligned on the tone it carries: the offset at which
// the synthesized waveform, times the stream's scale, equals every sample
// of its middle (away from the edges). Dividing each sample by the
// waveform under it then gives the gain, and a mark starts and ends where
// that gain crosses one half, between the two nearest samples where the
// waveform is strong enough to read it. A raw edge crosses between two
// samples, half a frame before the nominal frame; a soft one on it.
namespace marktiming {

// One channel of interleaved samples.
struct Channel
{
    const float *samples = nullptr;
    std::int64_t frames = 0;
    int stride = 1; // samples from one frame to the next

    float at(std::int64_t frame) const { return samples[std::size_t(frame * stride)]; }
};

struct Mark
{
    double start = 0; // frames, where the gain rises through 1/2
    double end = 0;   // where it falls through 1/2
    bool aligned = false;
};

// carrier: the tone's samples from its first (ToneWave::Samples); scale: a
// carrier value's size in the stream (1 / 32768 for a 16-bit file read as
// floats, times the gain a player applied).
std::vector<Mark> measure(const Channel &channel, const std::vector<std::int16_t> &carrier,
                          double scale);

// Nominal marks, in frames (need not be whole).
struct Nominal
{
    double start = 0;
    double end = 0;
};

// Measured against nominal: every mark's length, every space's, and every
// start against the nominal grid anchored on the first mark; in frames.
struct Comparison
{
    int expected = 0;
    int found = 0;
    int aligned = 0;
    double maxMarkError = 0;
    double maxSpaceError = 0;
    double maxStartError = 0;
    QString error; // why they could not be paired

    bool within(double frames) const
    {
        return error.isEmpty() && aligned == expected &&
               std::max({maxMarkError, maxSpaceError, maxStartError}) <= frames;
    }
};

Comparison compare(const std::vector<Mark> &measured, const std::vector<Nominal> &nominal);

// The marks of text at character speed c and effective speed s, at rate
// frames a second, from the PARIS and Farnsworth arithmetic itself rather
// than the keyer's, so the keyer is measured against something it did not
// compute.
std::vector<Nominal> standard(const MorseText &text, int c, int s, int rate);

} // namespace marktiming
