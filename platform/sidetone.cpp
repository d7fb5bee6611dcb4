#include "platform/sidetone.h"

#include "platform/continuedtone.h"
#include "platform/sounddevice.h"

#include <algorithm>

namespace platform {

Sidetone::Sidetone() = default;

Sidetone::~Sidetone()
{
    if (m_down)
        keyUp(Clock::current().now());
}

bool Sidetone::setTone(const void *image, std::size_t size, std::uint32_t volume)
{
    const std::optional<ContinuedTone> tone = ContinuedTone::fromImage(image, size, 0);
    if (!tone || tone->length == 0)
        return false;
    SoundDevice &device = SoundDevice::instance();
    Mixer::Command edge;
    edge.kind = Mixer::Command::Kind::Edge;
    edge.edge = device.softEdges() ? ContinuedTone::edgeFrames() : 0;
    device.postSidetone(edge);
    auto *loop = new Mixer::Loop;
    loop->samples.assign(tone->samples.begin() + tone->lead,
                         tone->samples.begin() + tone->lead + tone->length);
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Tone;
    c.word = volume;
    c.object = loop;
    device.postSidetone(c);
    return true;
}

std::int64_t Sidetone::frameOf(SteadyTime eventTime) const
{
    return SoundDevice::instance().sidetoneFrameAt(eventTime) +
           std::int64_t(Delay.count()) * SoundDevice::Rate / 1000;
}

void Sidetone::gate(std::int64_t frame, bool down, SteadyTime call)
{
    m_last = std::max(m_last, frame);
    m_down = down;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Gate;
    c.flag = down;
    c.frame = m_last;
    c.call = call;
    SoundDevice::instance().postSidetone(c);
}

std::int64_t Sidetone::keyDown(SteadyTime eventTime)
{
    if (m_down)
        return m_last;
    gate(frameOf(eventTime), true, eventTime);
    return m_last;
}

std::int64_t Sidetone::keyUp(SteadyTime eventTime)
{
    if (!m_down)
        return m_last;
    gate(frameOf(eventTime), false, {});
    return m_last;
}

void Sidetone::keyDownAt(std::int64_t frame)
{
    if (!m_down)
        gate(frame, true, {});
}

void Sidetone::keyUpAt(std::int64_t frame)
{
    if (m_down)
        gate(frame, false, {});
}

} // namespace platform
