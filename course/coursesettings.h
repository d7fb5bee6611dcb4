#pragma once

#include "course/kochorder.h"

#include <QMap>

namespace course {

// The course's choices and the learner's progress, kept in the settings
// store beside the main window's language (never in the record). Each value
// that is missing, unreadable or out of range is taken as its default.
struct CourseSettings
{
    static constexpr int MinCharWpm = 15;
    static constexpr int MaxCharWpm = 40;
    static constexpr int MinEffectiveWpm = 4;
    static constexpr int MinThreshold = 80;
    static constexpr int MaxThreshold = 95;
    // A lesson's new character comes up twice as often in its first runs.
    static constexpr int BoostedRuns = 3;

    KochOrder order;
    int lesson = 1;     // the lesson chosen
    int lessonOpen = 1; // the highest lesson reached
    int charWpm = 20;
    int effectiveWpm = 10; // MinEffectiveWpm..charWpm
    int groupSize = 5;     // 1..10, or GroupGenerator::Mixed
    int minutes = 2;       // 1, 2 or 5
    int threshold = 90;    // percent, MinThreshold..MaxThreshold
    QMap<int, int> runs;   // runs finished, per lesson

    static bool validMinutes(int m) { return m == 1 || m == 2 || m == 5; }

    // Never raises.
    static CourseSettings load();
    // Writes what differs from the store. Raises platform::SettingsError when
    // it cannot be saved; the caller runs it inside ComGuarda.
    void save() const;

    bool boosted(int lessonNumber) const { return runs.value(lessonNumber) < BoostedRuns; }

    // Counts a finished run of lessonNumber; one that passed opens the lesson
    // after it. True when that opened a lesson not open before.
    bool recordRun(int lessonNumber, bool passed);

    // Another order keeps the lesson numbers, within the new order's lessons.
    void setOrder(const KochOrder &newOrder);

    // Keeps every value in its range (the effective speed up to the
    // character speed).
    void normalise();
};

} // namespace course
