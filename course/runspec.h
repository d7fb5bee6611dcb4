#pragma once

#include "sound/tgerasom.h"

#include <cstdint>

namespace course {

// How a run sounds: what the main window set for the tone, and the course's
// speeds and length. Filled by the course page at the start of a run.
struct RunSpec
{
    double charWpm = 20;      // PARIS words per minute of the characters
    double effectiveWpm = 10; // PARIS (Farnsworth) speed with the gaps, <= charWpm
    std::int64_t durationMs = 120'000;
    double extraWordGapSeconds = 0; // added to every word space, 0..2

    int hertz = 800;
    TTGWave waveform = tgSine;
    int leftVolume = 50; // 0..100
    int rightVolume = 50;
    bool softEdges = true;
};

} // namespace course
