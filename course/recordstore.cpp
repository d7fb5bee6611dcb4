#include "course/recordstore.h"

#include "record/record.h"

namespace course {

bool RecordStore::storeRun(const CourseRun &run, QString &error)
{
    record::Run stored;
    stored.when = run.started;
    stored.kind = record::Kind::Course;
    stored.charWpm = run.charWpm;
    stored.effectiveWpm = run.effectiveWpm;
    stored.lesson = run.lesson;
    stored.sent = run.sent;
    stored.typed = run.typed;
    stored.accuracy = run.accuracy;
    stored.answers = run.answers;
    error.clear();
    return target.store(stored);
}

} // namespace course
