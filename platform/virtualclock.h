#pragma once

#include "platform/clock.h"

#include <atomic>

namespace platform {

// A clock whose time moves only when someone sleeps on it: a sleep returns at
// once with the clock at its deadline. Window tests install one and key whole
// lessons in no time, then check the order and length of what was played.
// Installs itself while it lives.
class VirtualClock final : public Clock
{
public:
    VirtualClock();
    ~VirtualClock() override;

    SteadyTime now() const override;
    void sleepUntil(SteadyTime deadline) override;

    // Moves the time on by d, as if the program had been busy.
    void advance(std::chrono::nanoseconds d);
    // Time since the clock was made.
    std::chrono::nanoseconds elapsed() const;

private:
    const SteadyTime m_origin;
    std::atomic<SteadyTime::rep> m_ticks{0};
};

} // namespace platform
