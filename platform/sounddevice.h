#pragma once

#include "platform/sleep.h"

#include <QtGlobal>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// The process-wide audio output over SDL: one stereo device, opened at the first
// play and kept open, playing silence when idle.
//
// Every play and stop is placed in the output stream at the frame that matches
// the wall-clock moment of the call plus one constant latency, so the stream
// repeats the rhythm of the calls whatever the device's buffer size. The audio
// thread keeps the mapping from the steady clock to stream frames, locked to
// the rate at which the device really consumes them.
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
    // 0..0xFFFF; applied to whatever plays, from the next buffer on.
    void setVolume(std::uint32_t word);
    std::uint32_t volume() const;

    // Time from a call to its first frame in the stream: one buffer period
    // and room for callbacks that come early.
    static constexpr auto Latency = std::chrono::milliseconds(25);

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
        int tones = 0;           // plays whose first frame was rendered
        int lateTones = 0;       // of those, started later than placed
        double minLatencyMs = 0; // call to first frame rendered, over the tones
        double maxLatencyMs = 0;
        double sumLatencyMs = 0;
    };
    Stats stats();
    void resetStats();

private:
    SoundDevice();

    struct Sound;
    struct Mixer;
    class Lock;

    bool ensureOpen();
    bool open();
    void close();
    void schedule(std::unique_ptr<Sound> sound, SteadyTime at, bool loop, bool sync);
    void collect(std::vector<std::unique_ptr<Sound>> &garbage);

    std::mutex m_calls;
    std::unique_ptr<Mixer> m_mixer;
    std::uint32_t m_device = 0;
    bool m_subsystem = false;
    bool m_tried = false;
    SteadyTime m_lastAttempt{};
    std::int64_t m_syncEnd = 0; // stream frame where the last synchronous play ended
    // Converted sounds the mixer may still read; freed on the calling thread
    // once the mixer has let go of them.
    std::vector<std::unique_ptr<Sound>> m_live;
};

} // namespace platform
