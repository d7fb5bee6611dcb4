#pragma once

#include "course/runstore.h"

namespace record {
class Record;
}

namespace course {

// Course runs into the learner's record. The record tells its own faults,
// once each (Record::problem), so a run it could not take is reported here
// with no text of its own.
class RecordStore : public RunStore
{
public:
    // record is not owned and must outlive this store.
    explicit RecordStore(record::Record &record) : target(record) {}

    bool storeRun(const CourseRun &run, QString &error) override;

private:
    record::Record &target;
};

} // namespace course
