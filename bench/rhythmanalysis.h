#pragma once

#include <QString>
#include <cstdint>
#include <vector>

struct ScenarioReport;

// One run measured: every stretch of sound in the recording aligned on the
// tone it should be, and placed against the nominal rhythm of what was keyed.
//
// A mark's start is the offset at which the synthesized tone (same generator
// settings, the device's gains) equals the stream sample for sample, away from
// its first and last 5 ms so that edges shaped around the nominal start and end
// align as well; its end is that start plus the tone's length. Errors are in
// samples of the stream (96 per ms).
struct RhythmAnalysis
{
    int expected = 0;         // marks in the nominal rhythm of what was keyed
    int plays = 0;            // plays the player was asked for
    int found = 0;            // stretches of sound in the stream
    int aligned = 0;          // of the paired ones, those that matched their tone exactly
    int whole = 0;            // of those, the ones with no sound outside their tone and its edges
    int maxEdgeDeviation = 0; // first or last sounding sample against the tone's own

    // Each mark's start against the nominal grid of its chain (the whole run,
    // unless the learner paused), which is anchored where it fits most marks
    // (the median): a first element out of place shows as an error of its own.
    std::vector<double> markErrors;
    // Each silence between two marks of a chain against its nominal length.
    std::vector<double> spaceErrors;
    // Silences before a learner's pause shorter than nominal: run together.
    int shortPauses = 0;
    // Where each mark starts and ends in the stream, nominally: the aligned
    // tone's first frame and the frame after its last.
    std::vector<std::int64_t> markStarts;
    std::vector<std::int64_t> markEnds;

    QString error; // why nothing could be paired or measured

    bool paired() const { return error.isEmpty() && found == expected && expected > 0; }
};

RhythmAnalysis analyse(const ScenarioReport &report, const std::vector<float> &samples,
                       bool verbose);
