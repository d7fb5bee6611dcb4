#pragma once

#include "platform/renderedblock.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// A tone converted to the stream's rate (mono float), with its own waveform
// continued for edge frames before its first sample and after its last, so
// that a soft edge can open before the tone's nominal start and close after
// its end.
struct ContinuedTone
{
    // The stream's rate: every tone is converted to it.
    static constexpr int Rate = 96000;
    // A soft edge rises (or falls) along a raised cosine over this long, its
    // half-amplitude point on the tone's nominal start (or end). Measured on
    // "PARIS" keyed at a 25 ms dot, the power farther than 150 Hz from the
    // carrier: raw edges -18 dB, 4 ms -28 dB, 5 ms -31 dB, 6 ms -35 dB.
    static constexpr double SoftEdgeSeconds = 0.006;
    // Half a soft edge in frames: it opens this far before the nominal frame.
    static std::int64_t edgeFrames();
    // A raised cosine from 0 to 1 over 2 * edge + 1 frames; its middle is 0.5.
    static std::vector<float> ramp(std::int64_t edge);

    std::vector<float> samples; // lead frames, the tone, then as many again
    std::int64_t lead = 0;
    std::int64_t length = 0;

    float at(std::int64_t offset, bool loop) const
    {
        if (loop && offset >= 0)
            offset %= length;
        return samples[std::size_t(lead + offset)];
    }

    // The samples of a complete RIFF/WAVE image (mono PCM, 8 or 16 bit, 44100
    // or 96000 Hz), converted and continued by edge frames; nothing for an
    // image that is not whole or not of that kind.
    static std::optional<ContinuedTone> fromImage(const void *image, std::size_t size,
                                                  std::int64_t edge);
    // tone continued by edge frames on either side with its own waveform.
    static ContinuedTone continued(std::vector<float> tone, std::int64_t edge);

    // The tone with its soft edges applied once and for all: a rise whose
    // middle is the nominal start, a fall whose middle is the nominal end.
    RenderedBlock shaped() const;
};

} // namespace platform
