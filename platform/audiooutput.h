#pragma once

#include "platform/clock.h"
#include "platform/mixer.h"

#include <QtGlobal>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// One SDL output device (stereo float at Mixer's rate, bufferFrames a
// callback) with the mixer its audio thread renders, and the timeline its
// frames count on: the device's own clock while it is open, the clock in use
// otherwise, running on across a device lost and opened again.
//
// Its owner serializes every call (SoundDevice holds its lock); the audio
// thread takes its work through the mixer's ring and is never waited for,
// except under the device's lock in withdraw() and stats().
class AudioOutput
{
public:
    AudioOutput(int bufferFrames, std::chrono::milliseconds latency);
    ~AudioOutput();
    Q_DISABLE_COPY_MOVE(AudioOutput)

    int bufferFrames() const { return m_bufferFrames; }

    // Opens the device if it is not (no more often than once a second after a
    // failure), once driver() has made SDL's audio ready; false without one.
    // Never on a test's virtual clock.
    bool ensureOpen(std::uint32_t volume, std::int64_t sidetoneEdge,
                    const std::function<bool()> &driver);
    void close();
    void forgetFailure() { m_tried = false; }
    // Open, on the steady clock: what is posted sounds.
    bool streaming() const;
    // Counts the devices opened.
    int epoch() const { return m_epoch; }

    std::int64_t frameAt(SteadyTime t);
    SteadyTime timeOf(std::int64_t frame);
    // The first frame something that opens lead frames before it can take if
    // posted now: the latency from now, and past the buffer the audio thread
    // may be rendering.
    std::int64_t firstFree(std::int64_t lead);

    // Hands command to the audio thread, waiting for room if its ring is full
    // (never dropped while the device plays).
    void post(const Mixer::Command &command);
    // Frees what the audio thread handed back.
    void collect();
    // Takes back slot's blocks at nominal frames [from, to), if none has begun.
    bool withdraw(int slot, std::int64_t from, std::int64_t to);
    std::int64_t slip(int slot, std::uint32_t anchor) const { return m_mixer->slip(slot, anchor); }

    Mixer::Stats stats();
    void resetStats();

    // Frees a command's object that will not be posted.
    static void release(Mixer::Command::Kind kind, const void *object);

private:
    class Lock;

    static void callback(void *self, std::uint8_t *stream, int bytes);
    bool open(std::uint32_t volume, std::int64_t sidetoneEdge);
    void raisePriority();

    const int m_bufferFrames;
    const std::int64_t m_latencyFrames;
    std::unique_ptr<Mixer> m_mixer;
    std::uint32_t m_device = 0;
    int m_epoch = 0;
    bool m_tried = false;
    SteadyTime m_lastAttempt{};
    std::atomic<int> m_audioThread{0};
    bool m_realtime = false;
    int m_niceness = 0;
    // The timeline without a device: frame at moment of clock.
    int m_timelineClock = -1; // the clock's generation
    SteadyTime m_timelineTime{};
    std::int64_t m_timelineFrame = 0;
    std::int64_t m_lastGiven = 0;
};

} // namespace platform
