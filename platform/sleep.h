#pragma once

#include "platform/clock.h"

namespace platform {

// Blocks the calling thread until the current clock reaches deadline.
void sleepUntil(SteadyTime deadline);

// Blocks the calling thread for ms milliseconds (nothing for ms <= 0), counted
// from the keyer's cadence while it holds: see Clock.
void sleepMs(int ms);

} // namespace platform
