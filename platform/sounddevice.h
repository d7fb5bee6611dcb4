#pragma once

#include "platform/clock.h"

#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// The process-wide audio output over SDL: one stereo device, opened at the first
// play and kept open, playing silence when idle.
//
// A keyer's tones are chained in stream frames: a play that follows a
// synchronous play and the sleeps after it starts exactly where the previous
// tone ended plus the silence that was asked for (the clock's cadence),
// whatever the wall clock did in between. Any other play, stop or volume
// change lands at the frame that matches the moment of its call plus the
// latency; the audio thread keeps that mapping from the steady clock to stream
// frames, locked to the rate at which the device really consumes them. Plays,
// stops and volume changes take effect in the order they were made.
//
// Without a usable device every play is silent and a synchronous one still
// lasts the tone's duration. Any thread may call; a synchronous play blocks
// only its caller.
class SoundDevice
{
public:
    static SoundDevice &instance();
    ~SoundDevice();
    Q_DISABLE_COPY_MOVE(SoundDevice)

    // Plays a complete RIFF/WAVE image (mono PCM, 8 or 16 bit, 44100 or
    // 96000 Hz) of size bytes, copied before the call returns. Without
    // SND_ASYNC the call returns when the tone is over; SND_ASYNC | SND_LOOP
    // repeats it until the next play or stop. Starting a play ends the previous
    // one. Returns false, and plays nothing, for anything else.
    bool play(const void *image, std::size_t size, unsigned flags);
    // Ends every sound at once.
    void stop();
    // Left gain in the low 16 bits, right gain in the high 16 bits, each
    // 0..0xFFFF; applied to whatever plays, in stream order with the plays
    // and stops around it.
    void setVolume(std::uint32_t word);
    std::uint32_t volume() const;

    // Soft edges (the default): every tone rises and falls along a short
    // raised cosine whose half-amplitude points lie on its nominal start and
    // end, continuing its own waveform past them, so that no step in the
    // signal clicks and marks keep their length. Off, tones start and stop
    // as the images have them. Applies to the plays that follow.
    void setSoftEdges(bool on);
    bool softEdges();
    // A soft edge rises (or falls) along a raised cosine over this long, its
    // half-amplitude point on the tone's nominal start (or end). Measured on
    // "PARIS" keyed at a 25 ms dot, the power farther than 150 Hz from the
    // carrier: raw edges -18 dB, 4 ms -28 dB, 5 ms -31 dB, 6 ms -35 dB.
    static constexpr double SoftEdgeSeconds = 0.006;
    // Frames at rate from a soft edge's first frame to its middle.
    static std::int64_t softEdgeFrames(int rate)
    {
        return std::llround(SoftEdgeSeconds / 2 * rate);
    }

    // Time from an unchained call to its first frame in the stream: one buffer
    // period of the device as opened, the clock's slack, within which a late
    // chained call still finds its frame unplayed, and room for the scheduler.
    static constexpr auto Latency = std::chrono::milliseconds(40);
    static constexpr auto Margin = std::chrono::milliseconds(5);
    std::chrono::microseconds latency();

    // Closes the device; the next play opens it afresh at once (with the audio
    // driver the environment names then). For tests and measurements.
    void shutdown();

    // What the audio thread has seen since the device was opened or the figures
    // reset. For tests and measurements.
    struct Stats
    {
        bool open = false;
        int rate = 0;              // frames per second the device was opened with
        int bufferFrames = 0;      // frames per callback
        double lockedRate = 0;     // frames per second of the steady clock, smoothed
        std::int64_t frames = 0;   // frames rendered up to the last callback
        SteadyTime lastCallback{}; // when the last callback started
        int callbacks = 0;
        double maxCallbackGapMs = 0;
        int tones = 0;        // plays whose first frame was rendered
        int lateTones = 0;    // of those, started later than placed
        int chainedTones = 0; // plays placed by the cadence, not by their call
        // Call (for a chained tone, the moment it was due) to its first
        // frame rendered, over the tones.
        double minLatencyMs = 0;
        double maxLatencyMs = 0;
        double sumLatencyMs = 0;
    };
    Stats stats();
    void resetStats();

    // A tone converted to the device's rate, continued past its edges.
    struct Sound;

private:
    SoundDevice();

    struct Mixer;
    class Lock;

    bool ensureOpen();
    bool open();
    void close(bool quitSubsystem);
    std::chrono::microseconds streamLatency() const;
    std::int64_t place(const Clock::Cadence &cadence, SteadyTime wall, bool &chained);
    void schedule(std::unique_ptr<Sound> sound, std::int64_t start, std::int64_t edge,
                  SteadyTime call, bool loop);
    void collect(std::vector<std::unique_ptr<Sound>> &garbage);

    std::mutex m_calls;
    std::unique_ptr<Mixer> m_mixer;
    std::uint32_t m_device = 0;
    bool m_subsystem = false;
    bool m_tried = false;
    bool m_softEdges = true;
    SteadyTime m_lastAttempt{};
    std::atomic<std::uint32_t> m_volume{0xFFFFFFFFu}; // the last word asked for
    // Stream frame where the last chained tone ended, if a chain is running.
    std::int64_t m_chainEnd = 0;
    bool m_chained = false;
    // Nothing placed later may land before this: what was called later plays later.
    std::int64_t m_lastFrame = 0;
    // Converted sounds the mixer may still read; freed on the calling thread
    // once the mixer has let go of them.
    std::vector<std::unique_ptr<Sound>> m_live;
};

} // namespace platform
