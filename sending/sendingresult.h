#pragma once

#include "record/answer.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace sending {

// What a learner's sending of one prompt came to: each character right or
// wrong, and how he timed it. Lengths are in his own dots (the decoder's dot
// at the time, so a change of speed is not counted as bad timing); -1 where
// there is nothing to measure.
struct SendingResult
{
    struct Character
    {
        QString prompted; // its token; empty for a character he added
        QString decoded;  // what came out; empty for one he skipped
        bool right = false;
        int keyed = -1;           // index into the decoder's characters, -1 when skipped
        double dashDotRatio = -1; // his mean dash over his mean dot in it (ideal 3)
        double elementGap = -1;   // mean gap between its elements (ideal 1)
        double gapAfter = -1;     // the gap after it (ideal 3, or 7 before a word)
        bool wordAfter = false;   // that gap ended a word
        double timingError = -1;  // TimingFeedback's score, in percent
        double wpm = 0;           // his speed as he keyed it (1200 / his dot in ms)
    };
    // A character he sent right, with how well he timed it.
    struct Worst
    {
        QString character;
        double timingError = 0; // mean over its right occurrences, percent
        int count = 0;          // how many were right
    };

    QString prompt;
    QString decoded;
    QList<Character> characters; // prompted and added characters, in order (no spaces)
    int prompted = 0;            // characters in the prompt
    int right = 0;
    int skipped = 0;
    int substituted = 0;
    int added = 0;
    double accuracy = 0; // right / prompted, 0..1

    // The whole sending, medians over all he keyed.
    double dashDotRatio = -1; // ideal 3
    double elementGap = -1;   // ideal 1
    double characterGap = -1; // ideal 3
    double wordGap = -1;      // ideal 7
    double wpm = 0;           // his speed as the decoder measured it at the end
    double timingError = -1;  // mean score over every keyed character
    QList<Worst> worst;       // every character sent right, by mean timing error, worst first

    // One answer per prompted character for the record: kind Sending, "sent" the
    // prompted token, "answered" what was decoded for it (empty if skipped),
    // his speed at the time as the character speed and his speed at the end
    // as the effective one. Added characters have no prompted one and are
    // not among them.
    QList<record::Answer> answers(const QDateTime &when) const;
};

} // namespace sending
