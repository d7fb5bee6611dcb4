#pragma once

#include "platform/clock.h"

namespace platform {

// Blocks the calling thread until the current clock reaches deadline.
void sleepUntil(SteadyTime deadline);

// Blocks the calling thread for ms milliseconds (nothing for ms <= 0). Inside
// a KeyingScope it blocks nothing: the silence goes into the scope's
// sequence, after the last tone.
void sleepMs(int ms);

} // namespace platform
