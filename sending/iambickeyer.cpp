#include "sending/iambickeyer.h"

#include <algorithm>
#include <cmath>

namespace sending {

IambicKeyer::IambicKeyer(Mode mode, double wpm) : m_mode(mode)
{
    setWpm(wpm);
}

void IambicKeyer::setWpm(double wpm)
{
    m_wpm = std::isfinite(wpm) ? std::clamp(wpm, MinWpm, MaxWpm) : MinWpm;
    m_dot = Duration(std::llround(1.2e9 / m_wpm));
}

KeyTime IambicKeyer::clamp(KeyTime t)
{
    m_time = std::max(m_time, t);
    return m_time;
}

void IambicKeyer::press(Paddle paddle, KeyTime t)
{
    t = clamp(t);
    runUntil(t, false);
    const int i = index(paddle);
    if (m_held[i])
        return;
    m_held[i] = true;
    if (m_busy)
        m_memory[i] = true;
    else
        start(paddle, t);
}

void IambicKeyer::release(Paddle paddle, KeyTime t)
{
    t = clamp(t);
    runUntil(t, false);
    m_held[index(paddle)] = false;
}

std::vector<KeyEdge> IambicKeyer::advance(KeyTime now)
{
    now = clamp(now);
    runUntil(now, true);
    std::vector<KeyEdge> due;
    while (!m_pending.empty() && m_pending.front().at <= now) {
        due.push_back(m_pending.front());
        m_pending.pop_front();
    }
    return due;
}

std::optional<KeyTime> IambicKeyer::nextEventTime() const
{
    if (!m_pending.empty())
        return m_pending.front().at;
    if (m_busy)
        return m_decisionAt;
    return std::nullopt;
}

void IambicKeyer::reset()
{
    m_held = {};
    m_memory = {};
    m_busy = false;
    m_pending.clear();
}

void IambicKeyer::runUntil(KeyTime t, bool inclusive)
{
    while (m_busy && (m_decisionAt < t || (inclusive && m_decisionAt == t)))
        decide();
}

void IambicKeyer::start(Paddle p, KeyTime at)
{
    const Duration length = p == Paddle::Dot ? m_dot : 3 * m_dot;
    m_pending.push_back({at, true, at + length});
    m_pending.push_back({at + length, false});
    m_memory[index(p)] = false;
    if (m_mode == Mode::B && m_held[index(opposite(p))])
        m_memory[index(opposite(p))] = true;
    m_current = p;
    m_decisionAt = at + length + m_dot;
    m_busy = true;
}

void IambicKeyer::decide()
{
    const Paddle other = opposite(m_current);
    const auto wanted = [this](Paddle p) { return m_held[index(p)] || m_memory[index(p)]; };
    m_busy = false;
    if (wanted(other))
        start(other, m_decisionAt);
    else if (wanted(m_current))
        start(m_current, m_decisionAt);
}

} // namespace sending
