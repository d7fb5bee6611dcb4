#pragma once

#include <chrono>

namespace platform {

using SteadyTime = std::chrono::steady_clock::time_point;

// Blocks the calling thread until the steady clock reaches deadline. Sleeps
// coarsely, then spins the last stretch: kernel sleeps overshoot by a fraction
// of a millisecond, and every overshoot would lengthen a Morse gap.
void sleepUntil(SteadyTime deadline);

// Blocks the calling thread for ms milliseconds (nothing for ms <= 0).
void sleepMs(int ms);

} // namespace platform
