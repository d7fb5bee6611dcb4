#pragma once

#include "platform/clock.h"

#include <QList>
#include <chrono>

namespace progress {

// Answer times of instant recognition. An answer is timed from the end of
// the character's last element as the learner heard it (a time in the output
// stream, mapped onto the steady clock by the player), less the learner's own
// reaction time, so that a slow hand does not pass for a slow ear.
//
// The reaction time is measured once: the learner presses a key at each of a
// few beeps (SuggestedPresses), each press timed from the beep's start as
// heard. Presses sooner than Anticipation were guesses and presses later than
// Lapse were lapses of attention: both are dropped. Of the rest, any press
// farther from their median than three median absolute deviations (at least
// MinSpread) is dropped too, and the reaction time is the median of what
// remains, once at least MinPresses remain.
class RecognitionTiming
{
public:
    // Character speed (PARIS WPM) recognition plays at: too fast to count
    // the elements out.
    static constexpr int MinCharWpm = 25;
    static constexpr int DefaultCharWpm = 25;
    static constexpr int SuggestedPresses = 5;
    static constexpr int MinPresses = 3;
    static constexpr std::chrono::milliseconds Anticipation{100};
    static constexpr std::chrono::milliseconds Lapse{1000};
    static constexpr std::chrono::milliseconds MinSpread{20};

    void addReactionPress(platform::SteadyTime beep, platform::SteadyTime press);
    void clearReaction();
    // Presses kept so far, in microseconds from their beep.
    const QList<qint64> &presses() const { return m_presses; }
    bool isCalibrated() const { return m_reactionUs >= 0; }
    // Milliseconds, rounded; 0 until calibrated.
    int reactionMs() const;
    // A reaction time stored from an earlier calibration; negative clears it.
    void setReactionMs(int ms);

    // Milliseconds from the character's end to the press, less the reaction
    // time; 0 for a press that came sooner.
    int answerMs(platform::SteadyTime characterEnd, platform::SteadyTime press) const;

private:
    void calibrate();

    QList<qint64> m_presses;
    qint64 m_reactionUs = -1;
};

} // namespace progress
