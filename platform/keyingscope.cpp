#include "platform/keyingscope.h"

#include <cmath>

namespace platform {

namespace {
thread_local KeyingScope *Current = nullptr;
} // namespace

KeyingScope::KeyingScope(KeyingSequence &sequence, int tag) : m_sequence(sequence), m_outer(Current)
{
    Current = this;
    m_sequence.openSpan(tag);
}

KeyingScope::~KeyingScope()
{
    m_sequence.closeSpan();
    Current = m_outer;
}

KeyingSequence::Span KeyingScope::span() const
{
    if (m_sequence.m_spans.empty())
        return {};
    return m_sequence.m_spans.back().span;
}

KeyingScope *KeyingScope::current()
{
    return Current;
}

bool KeyingScope::play(const void *image, std::size_t size)
{
    return m_sequence.appendTone(image, size);
}

void KeyingScope::silence(std::chrono::nanoseconds d)
{
    m_sequence.appendSilence(
        std::llround(std::chrono::duration<double>(d).count() * KeyingSequence::Rate));
}

void KeyingScope::setVolume(std::uint32_t word)
{
    m_sequence.setVolume(word);
}

} // namespace platform
