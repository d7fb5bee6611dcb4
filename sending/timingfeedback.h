#pragma once

#include "sending/morsedecoder.h"
#include "sending/sendingresult.h"

#include <vector>

namespace sending {

// Judges a learner's sending of a prompt from what the decoder cut out of it.
//
// Right or wrong: the prompt's characters and the decoded ones are lined up by
// edit distance (spaces left out, so a word run into the next costs no
// character), so a skipped or added character costs only itself.
//
// Timing: every element and gap of a keyed character is measured in the
// dot the decoder held when the character began, against its ideal: dot 1,
// dash 3, gap inside 1, gap after it 3, or 7 before a word (a longer pause
// before a word is no fault, only a shorter one). The deviation of each is
// |ln(actual / ideal)|, the same for twice as long as for half; a
// character's timing error is exp(mean deviation) - 1 in percent: how far its
// elements and gaps were off, on average, as a factor. 0 is perfect; 25 means
// typically a quarter too long or too short.
namespace TimingFeedback {

SendingResult analyse(const QString &prompt, const std::vector<DecodedCharacter> &keyed,
                      double wpm);

// The score above for one keyed character; -1 for one with no marks.
double timingError(const DecodedCharacter &c);

} // namespace TimingFeedback

} // namespace sending
