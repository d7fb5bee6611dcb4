#pragma once

#include "progress/recognitionqueue.h"
#include "progress/recognitiontiming.h"

namespace recognition {

// Instant recognition's choices and the learner's reaction time, kept in the
// settings store beside the course's. A value that is missing, unreadable or
// out of range is taken as its default.
struct RecognitionSettings
{
    static constexpr int MinCharWpm = progress::RecognitionTiming::MinCharWpm;
    static constexpr int MaxCharWpm = 40;
    static constexpr int MinThresholdMs = 100;
    static constexpr int MaxThresholdMs = 3000;
    static constexpr int MinRunLength = 5;
    static constexpr int MaxRunLength = 200;
    static constexpr int MaxReactionMs = 1000;

    int charWpm = progress::RecognitionTiming::DefaultCharWpm;
    int thresholdMs = progress::RecognitionQueue::DefaultThresholdMs;
    int runLength = 20;  // characters a run
    int reactionMs = -1; // -1: not measured yet

    bool calibrated() const { return reactionMs >= 0; }

    // Never raises.
    static RecognitionSettings load();
    // Writes what differs from the store. Raises platform::SettingsError when
    // it cannot be saved; the caller runs it inside ComGuarda.
    void save() const;
};

} // namespace recognition
