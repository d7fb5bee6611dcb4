#pragma once

#include "course/runplayer.h"
#include "platform/keyingsequence.h"

#include <QTimer>
#include <cstdint>
#include <memory>

namespace course {

class RunKeyer;

// Plays a run through the sound device's stream: each group keyed ahead
// (RunKeyer) and placed a word space after the one before. Two groups wait
// at the start; as each group begins, the one after the next is pulled and
// placed, so that a wake-up late by a whole group still moves no mark. The
// run ends once the fall of its last group has been heard.
class KeyedRunPlayer : public RunPlayer
{
    Q_OBJECT

public:
    explicit KeyedRunPlayer(QObject *parent = nullptr);
    ~KeyedRunPlayer() override;
    Q_DISABLE_COPY_MOVE(KeyedRunPlayer)

    void start(const RunSpec &spec, NextGroup nextGroup) override;
    void stop() override;

    bool playing() const { return mPlaying; }
    // Where the runs are placed: a test's waits on it move the virtual clock
    // and run the player's steps.
    platform::KeyingSequence &sequence() { return mSequence; }

private:
    // Pulls and places groups until two wait to begin, or the run is full.
    void fill();
    bool placeNext();
    void begun(std::uint64_t run);
    void finishWhenHeard(std::uint64_t run);
    void end();
    void tellProgress();

    static constexpr int Tag = 1;

    platform::KeyingSequence mSequence;
    std::unique_ptr<RunKeyer> mKeyer;
    NextGroup mNext;
    QStringList mPlayed;
    std::int64_t mDuration = 0; // frames
    std::uint32_t mVolume = 0;
    platform::KeyingSequence::Span mFirst;
    platform::KeyingSequence::Span mLast;
    int mQueued = 0; // placed, not yet begun
    bool mFull = false;
    bool mPlaying = false;
    // Counts runs: a step scheduled for a run that has gone does nothing.
    std::uint64_t mRun = 0;
    QTimer mTicker;
};

} // namespace course
