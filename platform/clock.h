#pragma once

#include <QtGlobal>
#include <chrono>

namespace platform {

using SteadyTime = std::chrono::steady_clock::time_point;

// The time every sleep, every synchronous play and every keying sequence goes
// through: a plain source of time, holding nothing of anyone's rhythm (a
// keyer's cadence lives in its KeyingSequence). The program runs on the
// steady clock; tests install a virtual one and run in no time.
class Clock
{
public:
    virtual ~Clock() = default;
    Q_DISABLE_COPY_MOVE(Clock)

    // The clock in use (the steady clock unless a test installed another).
    static Clock &current();
    // Installs clock (nullptr: the steady clock again). The caller keeps it
    // alive while it is installed.
    static void install(Clock *clock);
    // Whether the clock in use is the steady clock, which the sound device's
    // stream follows; on any other the stream is kept on the clock alone.
    static bool steady();
    // Counts the clocks installed: a clock made where another one was is
    // another clock all the same.
    static int generation();

    virtual SteadyTime now() const = 0;
    // Blocks the calling thread until now() reaches deadline.
    virtual void sleepUntil(SteadyTime deadline) = 0;
    // Blocks for d from now.
    void sleepFor(std::chrono::nanoseconds d);

protected:
    Clock() = default;
};

} // namespace platform
