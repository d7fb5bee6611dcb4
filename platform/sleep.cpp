#include "platform/sleep.h"

namespace platform {

void sleepUntil(SteadyTime deadline)
{
    Clock::current().sleepUntil(deadline);
}

void sleepMs(int ms)
{
    Clock::current().sleepFor(std::chrono::milliseconds(ms));
}

} // namespace platform
