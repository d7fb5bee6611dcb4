#include "platform/sleep.h"

#include <thread>

namespace platform {

namespace {
// Sleep in the kernel until this close to the deadline, then spin.
constexpr auto SpinMargin = std::chrono::microseconds(1000);
} // namespace

void sleepUntil(SteadyTime deadline)
{
    using Clock = std::chrono::steady_clock;
    auto now = Clock::now();
    if (deadline - now > SpinMargin)
        std::this_thread::sleep_until(deadline - SpinMargin);
    while (Clock::now() < deadline)
        std::this_thread::yield();
}

void sleepMs(int ms)
{
    if (ms <= 0)
        return;
    sleepUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms));
}

} // namespace platform
