#include "platform/virtualclock.h"

namespace platform {

VirtualClock::VirtualClock() : m_origin(std::chrono::steady_clock::now())
{
    install(this);
}

VirtualClock::~VirtualClock()
{
    install(nullptr);
}

SteadyTime VirtualClock::now() const
{
    return m_origin + SteadyTime::duration(m_ticks.load());
}

void VirtualClock::sleepUntil(SteadyTime deadline)
{
    const auto target = (deadline - m_origin).count();
    auto t = m_ticks.load();
    while (t < target && !m_ticks.compare_exchange_weak(t, target)) {
    }
}

void VirtualClock::advance(std::chrono::nanoseconds d)
{
    m_ticks += std::chrono::duration_cast<SteadyTime::duration>(d).count();
}

std::chrono::nanoseconds VirtualClock::elapsed() const
{
    return now() - m_origin;
}

} // namespace platform
