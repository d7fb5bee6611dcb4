#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// What one run of a scenario tells the benchmark: what was keyed and with
// which tone, the plays the player was asked for and the device's own
// figures. The scenario's process writes it, the benchmark reads it.
struct ScenarioReport
{
    QString scenario;
    int unit = 0;
    QByteArray text; // Windows-1252 characters keyed in order; a blank is a word space

    // The generator that keyed them.
    int frequency = 0;
    int waveform = 0;
    int resolution = 0;
    int quality = 0;

    std::vector<std::uint32_t> volumes; // the device's volume word at each play
    std::vector<double> callsMs;        // each play's call, from the first one
    // Marks that begin a new chain, after a pause the learner made (an answer
    // typed before the next test character): the silence before one of them
    // is his, not the keyer's.
    std::vector<int> breaks;

    // The device's figures at the end of the run.
    int rate = 0;
    int bufferFrames = 0;
    int tones = 0;
    int lateTones = 0;
    double meanLatencyMs = 0;
    double minLatencyMs = 0;
    double maxLatencyMs = 0;
    double maxCallbackGapMs = 0;
    int underruns = 0;
    bool realtime = false; // the audio thread ran with real-time scheduling

    QString error; // empty when the scenario ran as meant

    bool save(const QString &path) const;
    // A report that cannot be read comes back with error set.
    static ScenarioReport load(const QString &path);
};
