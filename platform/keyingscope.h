#pragma once

#include "platform/keyingsequence.h"

#include <QtGlobal>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace platform {

// While it lives on a thread, a keyer's synchronous plays and sleeps on that
// thread place their tones and silences in sequence instead of waiting for
// them: each tone at the sequence's cadence (where the last one ended plus
// the silences slept since), at the gains of the last volume word set, all of
// it one span. Stops do nothing meanwhile (a keyer's tones end by
// themselves). So a keyer written as a plain run of plays and sleeps
// (Letras::Letra_A) keys a whole character ahead of time in an instant:
//
//   KeyingScope scope(sequence);
//   Letras::Letra_A(unidade, gerador);
//   const KeyingSequence::Span a = scope.span();
//
// Scopes nest: the innermost one on a thread is in force.
class KeyingScope
{
public:
    explicit KeyingScope(KeyingSequence &sequence, int tag = 0);
    ~KeyingScope();
    Q_DISABLE_COPY_MOVE(KeyingScope)

    // What has been keyed so far (all of it once the keyer has returned).
    KeyingSequence::Span span() const;

    // The scope in force on the calling thread, or nullptr.
    static KeyingScope *current();

    // What the device and the sleeps hand over.
    bool play(const void *image, std::size_t size);
    void silence(std::chrono::nanoseconds d);
    void setVolume(std::uint32_t word);

private:
    KeyingSequence &m_sequence;
    KeyingScope *m_outer;
};

} // namespace platform
