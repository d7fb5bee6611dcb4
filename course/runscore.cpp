#include "course/runscore.h"

namespace course {

RunScore::RunScore(QList<Alignment::Step> steps) : alignment(std::move(steps))
{
    for (const Alignment::Step &step : alignment) {
        if (step.isSpace())
            continue;
        if (step.kind == Alignment::Kind::Extra) {
            ++extraCount;
            continue;
        }
        ++sentCount;
        Character &c = characters[step.sent];
        ++c.sent;
        switch (step.kind) {
        case Alignment::Kind::Right:
            ++rightCount;
            ++c.right;
            break;
        case Alignment::Kind::Wrong:
            ++wrongCount;
            ++c.takenFor[step.typed];
            break;
        default:
            ++skippedCount;
            ++c.takenFor[QString()];
            break;
        }
    }
}

double RunScore::accuracy() const
{
    return sentCount > 0 ? double(rightCount) / counted() : 0.0;
}

bool RunScore::reaches(int thresholdPercent) const
{
    return sentCount > 0 && qint64(rightCount) * 100 >= qint64(thresholdPercent) * counted();
}

QList<record::Answer> RunScore::answers(const QDateTime &when, double charWpm,
                                        double effectiveWpm) const
{
    QList<record::Answer> result;
    for (const Alignment::Step &step : alignment) {
        if (step.isSpace() || step.kind == Alignment::Kind::Extra)
            continue;
        record::Answer answer;
        answer.when = when.toUTC();
        answer.kind = record::Kind::Course;
        answer.sent = step.sent;
        answer.answered = step.typed;
        answer.right = step.kind == Alignment::Kind::Right;
        answer.charWpm = charWpm;
        answer.effectiveWpm = effectiveWpm;
        result << answer;
    }
    return result;
}

} // namespace course
