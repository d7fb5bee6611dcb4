#pragma once

#include "sound/tgerasom.h"

#include <cstdint>
#include <span>
#include <vector>

// Renders keyed marks as the samples a player plays: 16-bit mono at 96000 Hz,
// the synthesizer's own waveform (see ToneWave), cut at the marks' nominal
// frames. With soft edges each mark rises and falls along the player's raised
// cosine (SoundDevice::SoftEdgeSeconds), its half-amplitude points on the
// mark's nominal start and end, the waveform running on under the slopes; so
// a mark sounds from edgeFrames() before its start to edgeFrames() after its
// end. Raw edges cut the waveform at the nominal frames. Volume is left to
// the player.
class ToneRenderer
{
public:
    static constexpr int Rate = 96000;

    struct Mark
    {
        std::int64_t start = 0; // nominal, in frames
        std::int64_t end = 0;   // the frame after the mark's last
    };

    // frequency in Hz, clamped to the synthesizer's 20..20000.
    ToneRenderer(int frequency, TTGWave waveform, bool softEdges);

    int frequency() const { return mFrequency; }
    TTGWave waveform() const { return mWaveform; }
    bool softEdges() const { return mEdge > 0; }
    // Frames from a soft edge's first sounding frame to its middle; 0 raw.
    std::int64_t edgeFrames() const { return mEdge; }

    // Writes frames [from, from + out.size()) of marks (in order, not
    // overlapping) into out, quantised once to 16 bits; silence elsewhere.
    void render(const std::vector<Mark> &marks, std::int64_t from, std::span<std::int16_t> out);

private:
    // The gain of a rise at x frames from its middle: 0 before, 1 after.
    double rise(std::int64_t x) const;
    const std::vector<std::int16_t> &carrier(std::int64_t length);

    int mFrequency;
    TTGWave mWaveform;
    std::int64_t mEdge;
    std::vector<double> mRamp;
    std::vector<std::int16_t> mCarrier;
};
