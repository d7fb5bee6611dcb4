#pragma once

#include <cstdint>

namespace platform {

// The program's one pseudo-random generator: the noise waveform and the
// reception test draw from it.

// Seeds the generator from the time of day.
void Randomize();

// Seeds the generator with a fixed value (tests, reproducible runs).
void RandSeed(std::uint32_t seed);

// A uniform integer in 0 .. range - 1; 0 when range <= 0.
int Random(int range);

} // namespace platform
