#include "sendpage/eventclock.h"

namespace sending {

EventClock::EventClock(Now now)
{
    setNow(std::move(now));
}

void EventClock::setNow(Now now)
{
    m_now = now ? std::move(now) : Now([] { return std::chrono::steady_clock::now(); });
    m_offset.reset();
}

KeyTime EventClock::map(quint64 timestampMs)
{
    const KeyTime received = m_now();
    if (timestampMs == 0)
        return received;
    const Duration stamp = std::chrono::milliseconds(qint64(timestampMs));
    const Duration offset = received.time_since_epoch() - stamp;
    if (!m_offset || offset < *m_offset || offset - *m_offset > MaxDelay)
        m_offset = offset;
    return KeyTime(stamp + *m_offset);
}

} // namespace sending
