#include "platform/sleep.h"

#include <thread>

namespace platform {

namespace {
// Sleep in the kernel until this close to the deadline, then spin. A wake-up
// on a busy machine comes up to a couple of ms late; once running, a thread
// that spins keeps the processor to its deadline, where one that yields
// hands it to the others and comes back late.
constexpr auto SpinMargin = std::chrono::microseconds(2000);
} // namespace

void sleepUntil(SteadyTime deadline)
{
    using Clock = std::chrono::steady_clock;
    auto now = Clock::now();
    if (deadline - now > SpinMargin)
        std::this_thread::sleep_until(deadline - SpinMargin);
    while (Clock::now() < deadline) {
    }
}

void sleepMs(int ms)
{
    if (ms <= 0)
        return;
    sleepUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

} // namespace platform
