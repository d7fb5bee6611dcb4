#pragma once

#include "platform/keyingsequence.h"
#include "recognition/recognitionplayer.h"

class AjustesPrincipais;
class MorseRenderer;

namespace recognition {

// Instant recognition's sound: each character rendered whole at standard
// timing (MorseRenderer) and placed ahead in the stream (KeyingSequence), in
// the main window's tone, waveform and volumes and with the soft edges the
// learner chose, read afresh for every sound. The times it gives are the
// stream's: the moment the last element's fall reaches half amplitude at the
// output, not the moment of the call.
class SequencePlayer : public RecognitionPlayer
{
    Q_OBJECT

public:
    // Beeps are a single element of this length.
    static constexpr int BeepMs = 100;

    // main (not owned, may be null: defaults) gives the tone.
    explicit SequencePlayer(const AjustesPrincipais *main, QObject *parent = nullptr);
    ~SequencePlayer() override;
    Q_DISABLE_COPY_MOVE(SequencePlayer)

    bool playCharacter(const QString &character, double charWpm, int afterMs) override;
    bool playBeep(int afterMs) override;
    platform::SteadyTime heardStart() const override;
    platform::SteadyTime heardEnd() const override;
    void stop() override;

    const platform::KeyingSequence &sequence() const { return stream; }
    const platform::KeyingSequence::Span &lastSpan() const { return last; }

private:
    bool play(const QString &text, double wpm, int afterMs);
    MorseRenderer renderer(double wpm) const;
    std::uint32_t volumeWord() const;

    const AjustesPrincipais *main;
    platform::KeyingSequence stream;
    platform::KeyingSequence::Span last;
};

} // namespace recognition
