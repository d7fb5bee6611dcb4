#include "course/keyedrunplayer.h"

#include "course/runkeyer.h"

#include <algorithm>

namespace course {
namespace {

constexpr std::int64_t PerMs = platform::KeyingSequence::Rate / 1000;
constexpr int ProgressMs = 200;

} // namespace

KeyedRunPlayer::KeyedRunPlayer(QObject *parent) : RunPlayer(parent)
{
    mTicker.setInterval(ProgressMs);
    connect(&mTicker, &QTimer::timeout, this, &KeyedRunPlayer::tellProgress);
}

KeyedRunPlayer::~KeyedRunPlayer()
{
    stop();
}

void KeyedRunPlayer::start(const RunSpec &spec, NextGroup nextGroup)
{
    stop();
    ++mRun;
    mKeyer = std::make_unique<RunKeyer>(spec);
    mNext = std::move(nextGroup);
    mPlayed.clear();
    mDuration = std::max<std::int64_t>(0, spec.durationMs) * PerMs;
    mVolume = RunKeyer::volumeWord(spec);
    mFirst = mLast = {};
    mQueued = 0;
    mFull = mDuration == 0 || !mNext;
    mPlaying = true;
    fill();
    if (mPlayed.isEmpty()) {
        // Nothing to play: the run ends as soon as the caller is back.
        const std::uint64_t run = mRun;
        QTimer::singleShot(0, this, [this, run] {
            if (run == mRun && mPlaying)
                end();
        });
        return;
    }
    mTicker.start();
}

void KeyedRunPlayer::stop()
{
    if (!mPlaying)
        return;
    ++mRun;
    mPlaying = false;
    mTicker.stop();
    // What has begun plays out: the device cannot take back a block it is
    // rendering.
    mSequence.withdraw(Tag);
    mNext = nullptr;
    mKeyer.reset();
}

void KeyedRunPlayer::fill()
{
    while (!mFull && mQueued < 2 && placeNext()) {
    }
}

bool KeyedRunPlayer::placeNext()
{
    const QString group = mNext();
    std::optional<RunKeyer::Group> keyed = mKeyer->add(group);
    if (!keyed) {
        // A source that has run dry, or a group that cannot be keyed: the
        // run ends with what has been placed.
        mFull = true;
        if (!mPlayed.isEmpty())
            finishWhenHeard(mRun);
        return false;
    }
    mLast = mSequence.append(std::move(keyed->block), keyed->gap, mVolume, Tag);
    if (mPlayed.isEmpty())
        mFirst = mLast;
    mPlayed << group.trimmed();
    ++mQueued;
    const std::uint64_t run = mRun;
    mSequence.at(mSequence.startOf(mLast), [this, run] { begun(run); });
    mFull = mKeyer->length() >= mDuration;
    if (mFull)
        finishWhenHeard(run);
    return true;
}

void KeyedRunPlayer::begun(std::uint64_t run)
{
    if (run != mRun || !mPlaying)
        return;
    --mQueued;
    tellProgress();
    fill();
}

void KeyedRunPlayer::finishWhenHeard(std::uint64_t run)
{
    const std::int64_t heard = mSequence.endOf(mLast) + mKeyer->tail();
    mSequence.at(heard, [this, run] {
        if (run != mRun || !mPlaying)
            return;
        // The stream made the last group wait after this was set: later.
        if (mSequence.position() < mSequence.endOf(mLast) + mKeyer->tail())
            finishWhenHeard(run);
        else
            end();
    });
}

void KeyedRunPlayer::end()
{
    tellProgress();
    mPlaying = false;
    mTicker.stop();
    mNext = nullptr;
    mKeyer.reset();
    emit finished(mPlayed);
}

void KeyedRunPlayer::tellProgress()
{
    if (mFirst.id == 0)
        return;
    const std::int64_t heard = mSequence.position() - mSequence.startOf(mFirst);
    emit progress(std::clamp<std::int64_t>(heard / PerMs, 0, mDuration / PerMs));
}

} // namespace course
