#pragma once

#include "record/answer.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace course {

// A finished, scored course run, as the record keeps it.
struct CourseRun
{
    QDateTime started; // UTC
    QDateTime ended;   // UTC
    int lesson = 1;
    double charWpm = 0;
    double effectiveWpm = 0;
    QString sent;        // the groups played, one space apart
    QString typed;       // as the learner typed it
    double accuracy = 0; // percent, as scored
    // One per character sent: kind Course, right or not, what was typed for
    // it (empty for nothing); no answer times.
    QList<record::Answer> answers;
};

// Where runs go: the integrator's adapter over the learner's record. Called
// once per run, at its end.
class RunStore
{
public:
    RunStore() = default;
    virtual ~RunStore();
    RunStore(const RunStore &) = delete;
    RunStore &operator=(const RunStore &) = delete;

    // True when the run is stored; otherwise error says why, for the
    // learner, or is empty where the store has told it already.
    virtual bool storeRun(const CourseRun &run, QString &error) = 0;
};

} // namespace course
