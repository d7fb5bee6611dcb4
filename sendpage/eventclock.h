#pragma once

#include "sending/keyedge.h"

#include <functional>
#include <optional>

namespace sending {

// Turns an input event's timestamp (ms on the window system's clock, which
// wraps and may start anywhere) into a moment on the steady clock, so a key's
// time is when it was pressed rather than when the event loop got round to
// it. The offset between the two clocks is taken from the event that came
// with the least delay; an event that would then lie in the future, or more
// than MaxDelay in the past (the window system's clock wrapped or jumped),
// sets the offset afresh. An event without a timestamp takes the time of
// receipt.
class EventClock
{
public:
    using Now = std::function<KeyTime()>;
    static constexpr std::chrono::milliseconds MaxDelay{100};

    explicit EventClock(Now now = {});
    void setNow(Now now);
    KeyTime now() const { return m_now(); }

    KeyTime map(quint64 timestampMs);

private:
    Now m_now;
    std::optional<Duration> m_offset; // steady time minus the timestamp
};

} // namespace sending
