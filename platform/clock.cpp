#include "platform/clock.h"

#include <atomic>
#include <thread>

namespace platform {

namespace {

// Sleep in the kernel until this close to the deadline, then spin. A wake-up
// on a busy machine comes up to a couple of ms late; once running, a thread
// that spins keeps the processor to its deadline, where one that yields
// hands it to the others and comes back late.
constexpr auto SpinMargin = std::chrono::microseconds(2000);

class SteadyClock final : public Clock
{
public:
    SteadyTime now() const override { return std::chrono::steady_clock::now(); }

    void sleepUntil(SteadyTime deadline) override
    {
        if (deadline - now() > SpinMargin)
            std::this_thread::sleep_until(deadline - SpinMargin);
        while (now() < deadline) {
        }
    }
};

SteadyClock &steadyClock()
{
    static SteadyClock c;
    return c;
}

std::atomic<Clock *> &installed()
{
    static std::atomic<Clock *> c{nullptr};
    return c;
}

std::atomic<int> &installations()
{
    static std::atomic<int> n{0};
    return n;
}

} // namespace

Clock &Clock::current()
{
    Clock *c = installed().load(std::memory_order_acquire);
    return c != nullptr ? *c : steadyClock();
}

void Clock::install(Clock *clock)
{
    installations().fetch_add(1, std::memory_order_acq_rel);
    installed().store(clock, std::memory_order_release);
}

int Clock::generation()
{
    return installations().load(std::memory_order_acquire);
}

bool Clock::steady()
{
    return installed().load(std::memory_order_acquire) == nullptr;
}

void Clock::sleepFor(std::chrono::nanoseconds d)
{
    if (d > std::chrono::nanoseconds::zero())
        sleepUntil(now() + d);
}

} // namespace platform
