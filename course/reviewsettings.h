#pragma once

#include "progress/leitnerreview.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

namespace record {
class Record;
}

namespace course {

// The spaced review's boxes, kept in the settings store beside the course's
// choices. The store holds integers only, so each character the course can
// key has one value: its last review's Julian day times ten plus its box (a
// box alone, day 0, for one never reviewed). The newest run already applied
// is kept by its record id, so that each stored run moves the boxes once,
// whichever window stored it, and by its start, so that only the runs of the
// last hour or so are read again after each store.
struct ReviewSettings
{
    progress::LeitnerReview review;
    int lastRun = 0;        // record id of the newest run applied; 0: none yet
    QDateTime lastRunStart; // when it began, to the minute; unset: unknown

    // Never raises; a damaged value is a character never reviewed.
    static ReviewSettings load();
    // Writes what differs from the store. Raises platform::SettingsError.
    void save() const;

    // Applies, oldest first, every copying run stored after lastRun, each on
    // its own local day. True when one was applied.
    bool applyNewRuns(const record::Record &record);

    // "Due for review today: K, M" or "Nothing is due for review today."
    static QString dueLine(const QStringList &due);
};

} // namespace course
