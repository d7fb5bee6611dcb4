#include "platform/sleep.h"

#include "platform/keyingscope.h"

namespace platform {

void sleepUntil(SteadyTime deadline)
{
    Clock::current().sleepUntil(deadline);
}

void sleepMs(int ms)
{
    if (ms <= 0)
        return;
    if (KeyingScope *scope = KeyingScope::current())
        scope->silence(std::chrono::milliseconds(ms));
    else
        Clock::current().sleepFor(std::chrono::milliseconds(ms));
}

} // namespace platform
