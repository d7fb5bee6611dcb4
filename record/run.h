#pragma once

#include "record/answer.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace record {

// One run of any kind, as it is stored when it ends: a course run of two
// minutes, one answer of the reception test, a drill, a sending exercise.
struct Run
{
    qint64 id = 0;  // given by the record; 0 for a run not yet stored
    QDateTime when; // when the run began, UTC; unset: when it is stored
    Kind kind = Kind::Course;
    double charWpm = 0;      // PARIS words per minute of the characters
    double effectiveWpm = 0; // PARIS words per minute with the gaps as played
    int lesson = -1;         // the course lesson, -1 where there is none
    QString sent;            // the text sent (prompted, for sending)
    QString typed;           // what came back: typed, or decoded from the key
    double accuracy = 0;     // share of right characters, in percent (0-100)
    // Per character, in the order sent. When stored, each takes the run's
    // kind, and the run's time and speeds where its own are unset (0).
    QList<Answer> answers;
};

} // namespace record
