#pragma once

#include <QtGlobal>
#include <chrono>
#include <mutex>

namespace platform {

using SteadyTime = std::chrono::steady_clock::time_point;

// The time every sleep and every synchronous play goes through. The program
// runs on the steady clock; tests install a virtual one and run in no time.
//
// It also keeps the cadence of a keyer: where its rhythm stands if every tone
// and every sleep had lasted exactly what was asked. A sleep that follows a
// chained tone counts from there, not from when the caller came round to it,
// so time spent repainting between elements is not added to the silence, and
// the player can place the next tone by the silence asked for, not by the
// moment its call arrived.
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

    virtual SteadyTime now() const = 0;
    // Blocks the calling thread until now() reaches deadline.
    virtual void sleepUntil(SteadyTime deadline) = 0;

    // Blocks for d, counted from the cadence while it holds.
    void sleepFor(std::chrono::nanoseconds d);

    // How long a call may come after the moment its cadence gave it and still
    // continue the chain: a learner who paused, or a modal window, breaks it.
    static constexpr std::chrono::milliseconds Slack{15};

    // What a call at the moment call continues.
    struct Cadence
    {
        bool chained = false;
        SteadyTime due{};                   // where the rhythm stands
        std::chrono::nanoseconds silence{}; // asked for since the chain's last tone ended
    };
    Cadence cadence(SteadyTime call) const;
    // A chained tone ends at due: the silences asked for from now on count
    // from there.
    void chain(SteadyTime due);
    // Nothing to continue: the next sleep counts from when it is called.
    void unchain();

protected:
    Clock() = default;

private:
    mutable std::mutex m_mutex;
    bool m_chained = false;
    SteadyTime m_due{};
    std::chrono::nanoseconds m_silence{};
};

} // namespace platform
