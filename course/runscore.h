#pragma once

#include "course/alignment.h"
#include "record/answer.h"

#include <QDateTime>
#include <QList>
#include <QMap>

namespace course {

// The score of a run from its alignment. Spaces between groups are not
// scored. Every fault costs one: a wrong or skipped character is one sent
// character not right, an extra one adds one to what is counted, so
// accuracy = right / (sent + extra).
class RunScore
{
public:
    explicit RunScore(QList<Alignment::Step> steps);

    const QList<Alignment::Step> &steps() const { return alignment; }
    int sent() const { return sentCount; }
    int right() const { return rightCount; }
    int wrong() const { return wrongCount; }
    int skipped() const { return skippedCount; }
    int extra() const { return extraCount; }
    int counted() const { return sentCount + extraCount; }
    // 0..1; 0 for a run with nothing sent.
    double accuracy() const;

    // The rule that opens the next lesson: at least thresholdPercent of what
    // is counted right, compared exactly (89.9 % is not 90 %).
    bool reaches(int thresholdPercent) const;

    struct Character
    {
        int sent = 0;
        int right = 0;
        // What it was taken for, and how often ("" for nothing typed).
        QMap<QString, int> takenFor;
    };
    // Per sent character.
    const QMap<QString, Character> &perCharacter() const { return characters; }

    // One answer per sent character, for the record.
    QList<record::Answer> answers(const QDateTime &when, double charWpm, double effectiveWpm) const;

private:
    QList<Alignment::Step> alignment;
    int sentCount = 0;
    int rightCount = 0;
    int wrongCount = 0;
    int skippedCount = 0;
    int extraCount = 0;
    QMap<QString, Character> characters;
};

} // namespace course
