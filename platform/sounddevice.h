#pragma once

#include "platform/clock.h"
#include "platform/mixer.h"

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace platform {

// The process-wide audio output over SDL: one stereo device at Rate frames a
// second, opened at the first sound and kept open, playing silence when idle.
//
// Its stream has a timeline that every frame number counts on: the device's
// own clock (the steady clock locked to the rate at which the device really
// consumes frames) while one is open, the clock in use otherwise, so that
// without a device (or on a test's virtual clock) everything keeps its pace
// in silence, and frame numbers run on across a device that is lost and
// opened again.
//
// Plays, stops and volume changes land at the frame that matches the moment
// of their call plus Latency, in the order they were made; a synchronous
// play returns when its tone's duration has passed since the call. Keyed
// rhythm does not go through these: a KeyingSequence places its elements
// ahead of time, and the Sidetone follows a key.
//
// The audio thread asks for real-time scheduling (from RealtimeKit through
// SDL, or directly where the process may) and works without it. Any thread
// may call; nothing called blocks the audio thread.
class SoundDevice
{
public:
    static SoundDevice &instance();
    ~SoundDevice();
    Q_DISABLE_COPY_MOVE(SoundDevice)

    // The stream's rate, frames per second.
    static constexpr int Rate = ContinuedTone::Rate;
    // Frames per callback: short, for the sidetone's sake; load cannot starve
    // the audio thread that real-time scheduling keeps.
    static constexpr int BufferFrames = 480;
    // Time from a call to the first frame it can have: the device's buffer
    // period, a period for the call to reach the audio thread, and room for
    // a loaded scheduler.
    static constexpr auto Latency = std::chrono::milliseconds(20);
    std::chrono::microseconds latency() const { return Latency; }

    // Plays a complete RIFF/WAVE image (mono PCM, 8 or 16 bit, 44100 or
    // 96000 Hz) of size bytes, copied before the call returns. Without
    // SND_ASYNC the call returns when the tone is over; SND_ASYNC | SND_LOOP
    // repeats it until the next play or stop. Starting a play ends the previous
    // one. Returns false, and plays nothing, for anything else. A synchronous
    // play on a thread inside a KeyingScope is appended to its sequence
    // instead, and returns at once.
    bool play(const void *image, std::size_t size, unsigned flags);
    // Ends every play at once (a keying sequence's elements and the sidetone
    // belong to their owners). Inside a KeyingScope it does nothing.
    void stop();
    // Left gain in the low 16 bits, right gain in the high 16 bits, each
    // 0..0xFFFF; applied to the plays from the frame of the call on (gliding
    // into one that sounds), in stream order with the plays and stops around
    // it. Inside a KeyingScope it sets the gains of the elements keyed next.
    void setVolume(std::uint32_t word);
    // The last word set outside a KeyingScope: the one in force last.
    std::uint32_t volume() const;

    // Soft edges (the default): every tone rises and falls along a short
    // raised cosine whose half-amplitude points lie on its nominal start and
    // end, continuing its own waveform past them, so that no step in the
    // signal clicks and marks keep their length. Off, tones start and stop
    // as the images have them. Applies to the tones that follow.
    void setSoftEdges(bool on);
    bool softEdges();

    // The stream's timeline: the frame at moment t of the clock in use, and
    // the moment a frame is (or was) at the stream's position.
    std::int64_t frameAt(SteadyTime t);
    SteadyTime timeOf(std::int64_t frame);
    // The frame at the stream's position now.
    std::int64_t position();

    // Closes the device; the next sound opens it afresh at once (with the
    // audio driver the environment names then). For tests and measurements.
    void shutdown();

    // What the audio thread has seen since the device was opened or the figures
    // reset. For tests and measurements.
    using Stats = Mixer::Stats;
    Stats stats();
    void resetStats();

private:
    friend class KeyingSequence;
    friend class Sidetone;

    SoundDevice();

    class Lock;

    static void callback(void *self, std::uint8_t *stream, int bytes);

    // With m_calls held.
    bool ensureOpen();
    bool open();
    void close(bool quitSubsystem);
    void raisePriority();
    bool streaming() const;
    std::int64_t frameAtLocked(SteadyTime t);
    SteadyTime timeOfLocked(std::int64_t frame);
    std::int64_t firstFree(std::int64_t lead);
    void post(const Mixer::Command &command);
    void collect();

    // For KeyingSequence and Sidetone: each takes m_calls itself.
    int acquireSlot();
    void releaseSlot(int slot);
    std::uint32_t newAnchor();
    // The first nominal frame an element opening lead frames before it may
    // take if placed now; whether a device will sound it.
    std::int64_t earliest(std::int64_t lead, bool &audible);
    // Queues block; false (and nothing queued) without a device.
    bool postBlock(std::unique_ptr<Mixer::Block> block, int slot, std::uint32_t anchor,
                   std::int64_t frame, std::uint32_t word, SteadyTime call, int &epoch);
    std::int64_t slip(int slot, std::uint32_t anchor) const;
    // Takes back slot's blocks placed at nominal frames in [from, to), if
    // none has begun; true without a device.
    bool withdraw(int slot, std::int64_t from, std::int64_t to);
    void postSidetone(const Mixer::Command &command);

    std::mutex m_calls;
    std::unique_ptr<Mixer> m_mixer;
    std::uint32_t m_device = 0;
    int m_epoch = 0; // counts the devices opened
    bool m_subsystem = false;
    bool m_tried = false;
    bool m_softEdges = true;
    SteadyTime m_lastAttempt{};
    std::atomic<std::uint32_t> m_volume{0xFFFFFFFFu};
    // Nothing placed later may land before this: what was called later plays
    // later, and nothing lands inside a synchronous play that has returned.
    std::int64_t m_lastFrame = 0;
    std::uint64_t m_slots = 0;
    std::uint32_t m_anchors = 0;
    std::atomic<int> m_audioThread{0};
    bool m_realtime = false;
    int m_niceness = 0;
    // The timeline without a device: frame at moment of clock.
    const Clock *m_timelineClock = nullptr;
    SteadyTime m_timelineTime{};
    std::int64_t m_timelineFrame = 0;
    std::int64_t m_lastGiven = 0;
};

} // namespace platform
