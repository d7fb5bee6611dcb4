#include "sending/keyinput.h"

#include <cmath>

namespace sending {

KeyInput::KeyInput(QObject *parent)
    : QObject(parent), m_clock([] { return std::chrono::steady_clock::now(); })
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { poll(m_clock()); });
}

IambicKeyer::Paddle KeyInput::paddle(Contact c)
{
    return c == Contact::Dot ? IambicKeyer::Paddle::Dot : IambicKeyer::Paddle::Dash;
}

void KeyInput::setKind(Kind kind)
{
    if (kind == m_kind)
        return;
    releaseAll(m_clock());
    drain();
    m_keyer.reset();
    m_timer.stop();
    m_kind = kind;
}

void KeyInput::press(Contact contact, KeyTime at)
{
    if (m_kind == Kind::Straight) {
        if (contact != Contact::Straight || m_straightDown)
            return;
        m_straightDown = true;
        send({at, true});
        return;
    }
    if (contact == Contact::Straight)
        return;
    m_keyer.press(paddle(contact), at);
    poll(at);
}

void KeyInput::release(Contact contact, KeyTime at)
{
    if (m_kind == Kind::Straight) {
        if (contact != Contact::Straight || !m_straightDown)
            return;
        m_straightDown = false;
        send({at, false});
        return;
    }
    if (contact == Contact::Straight)
        return;
    m_keyer.release(paddle(contact), at);
    poll(at);
}

void KeyInput::releaseAll(KeyTime at)
{
    if (m_kind == Kind::Straight) {
        release(Contact::Straight, at);
        return;
    }
    release(Contact::Dot, at);
    release(Contact::Dash, at);
}

void KeyInput::drain()
{
    while (const auto next = m_keyer.nextEventTime()) {
        for (const KeyEdge &e : m_keyer.advance(*next))
            send(e);
    }
    m_timer.stop();
}

void KeyInput::poll(KeyTime now)
{
    if (m_kind == Kind::Paddles) {
        for (const KeyEdge &e : m_keyer.advance(now))
            send(e);
    }
    schedule();
}

void KeyInput::send(const KeyEdge &edge)
{
    m_keyDown = edge.down;
    emit keyed(edge);
}

void KeyInput::schedule()
{
    const auto next = m_kind == Kind::Paddles ? m_keyer.nextEventTime() : std::nullopt;
    if (!next) {
        m_timer.stop();
        return;
    }
    const double ms = std::chrono::duration<double, std::milli>(*next - m_clock()).count();
    m_timer.start(std::max(0, int(std::ceil(ms))));
}

} // namespace sending
