#pragma once

#include "platform/audiooutput.h"
#include "platform/clock.h"
#include "platform/mixer.h"

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace platform {

// The process-wide audio output over SDL: a stereo stream at Rate frames a
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
// ahead of time in this stream, whose buffer is sized for a loaded machine.
// The Sidetone, which must answer a key within a few ms, has a stream of its
// own with a short buffer, opened when one is first keyed.
//
// The audio threads ask for real-time scheduling (from RealtimeKit through
// SDL, or directly where the process may) and work without it. Any thread
// may call; nothing called waits for an audio thread, nor allocates or frees
// while holding its lock.
class SoundDevice
{
public:
    static SoundDevice &instance();
    ~SoundDevice();
    Q_DISABLE_COPY_MOVE(SoundDevice)

    // The stream's rate, frames per second.
    static constexpr int Rate = ContinuedTone::Rate;
    // Frames per callback: 20 ms, so that a sound server on a busy machine
    // does not run dry (SDL asks it to hold one buffer); the rhythm placed
    // ahead does not depend on it.
    static constexpr int BufferFrames = 1920;
    // Time from a call to the first frame it can have: a buffer period for
    // the device, and room for a loaded scheduler.
    static constexpr auto Latency = std::chrono::milliseconds(30);
    // The sidetone's stream: 5 ms a callback.
    static constexpr int SidetoneBufferFrames = 480;

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
    // The soft edge's whole length (see ContinuedTone), and the frames at
    // rate from its first frame to its middle: for sound rendered ahead.
    static constexpr double SoftEdgeSeconds = ContinuedTone::SoftEdgeSeconds;
    static std::int64_t softEdgeFrames(int rate)
    {
        return std::llround(SoftEdgeSeconds / 2 * rate);
    }

    // The stream's timeline: the frame at moment t of the clock in use, and
    // the moment a frame is (or was) at the stream's position.
    std::int64_t frameAt(SteadyTime t);
    SteadyTime timeOf(std::int64_t frame);
    // The frame at the stream's position now.
    std::int64_t position();

    // Closes the devices; the next sound opens them afresh at once (with the
    // audio driver the environment names then). For tests and measurements.
    void shutdown();

    // What the audio thread has seen since the device was opened or the figures
    // reset, and the same of the sidetone's stream. For tests and measurements.
    using Stats = Mixer::Stats;
    Stats stats();
    Stats sidetoneStats();
    void resetStats();

private:
    friend class KeyingSequence;
    friend class Sidetone;

    SoundDevice();

    // With m_calls held.
    bool ensureOpen(AudioOutput &output);
    bool ensureSubsystem();

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
    std::int64_t slip(int slot, std::uint32_t anchor);
    // Takes back slot's blocks placed at nominal frames in [from, to), if
    // none has begun; true without a device.
    bool withdraw(int slot, std::int64_t from, std::int64_t to);
    // The sidetone's stream.
    void postSidetone(const Mixer::Command &command);
    std::int64_t sidetoneFrameAt(SteadyTime t);

    std::mutex m_calls;
    std::unique_ptr<AudioOutput> m_main;
    std::unique_ptr<AudioOutput> m_side;
    bool m_subsystem = false;
    bool m_softEdges = true;
    std::atomic<std::uint32_t> m_volume{0xFFFFFFFFu};
    // Nothing placed later may land before this: what was called later plays
    // later, and nothing lands inside a synchronous play that has returned.
    std::int64_t m_lastFrame = 0;
    std::uint64_t m_slots = 0;
    std::uint32_t m_anchors = 0;
};

} // namespace platform
