#include "platform/sounddevice.h"

#include "platform/playsound.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <limits>
#include <numbers>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// 96000 Hz takes the default tones without resampling. 20 ms buffers: with
// 10 ms a sound server on a busy machine ran dry now and then, cutting holes
// into tones; the rhythm does not depend on the buffer size, only the latency
// does (see Latency).
constexpr int WantedRate = 96000;
constexpr int WantedFrames = 1920;
// A device that failed is tried again no more often than this.
constexpr auto RetryInterval = std::chrono::seconds(1);
// How long a freshly opened device may take to call back for the first time.
constexpr auto StartTimeout = std::chrono::milliseconds(250);

// Bandwidth of the loop that locks the clock to the callbacks: wide while it
// settles, then narrow, so one late callback moves no tone.
constexpr double SettlingBandwidthHz = 2.0;
constexpr double LockedBandwidthHz = 0.3;
constexpr double SettlingSeconds = 1.0;
// A callback this far off the prediction means the stream stalled; the clock
// starts over from it.
constexpr double StallSeconds = 0.1;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

Clock::duration fromSeconds(double s)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

bool isId(const unsigned char *p, const char *id)
{
    return std::memcmp(p, id, 4) == 0;
}

std::uint32_t le32(const unsigned char *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

// SDL decodes what it can of a truncated file; a tone cut short must not play
// at all, so the chunks up to and including the samples must all be there.
bool isComplete(const void *image, std::size_t size)
{
    const auto *b = static_cast<const unsigned char *>(image);
    if (size < 12 || !isId(b, "RIFF") || !isId(b + 8, "WAVE"))
        return false;
    std::size_t at = 12;
    while (size - at >= 8) {
        const std::uint64_t length = le32(b + at + 4);
        if (length > size - at - 8)
            return false;
        if (isId(b + at, "data"))
            return length > 0;
        at += 8 + length + (length & 1);
        if (at > size)
            return false;
    }
    return false;
}

// The samples as float at the device's rate. SDL_AudioCVT converts the whole
// tone at once; an SDL_AudioStream would keep the resampler's tail back.
std::vector<float> toDevice(const SDL_AudioSpec &spec, const Uint8 *samples, Uint32 frames,
                            int rate)
{
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, spec.format, 1, spec.freq, AUDIO_F32SYS, 1, rate) < 0)
        return {};
    const int width = SDL_AUDIO_BITSIZE(spec.format) / 8;
    cvt.len = int(frames) * width;
    std::vector<float> out((std::size_t(cvt.len) * std::size_t(cvt.len_mult) + 3) / 4);
    cvt.buf = reinterpret_cast<Uint8 *>(out.data());
    std::memcpy(cvt.buf, samples, std::size_t(cvt.len));
    if (SDL_ConvertAudio(&cvt) < 0)
        return {};
    out.resize(std::size_t(cvt.len_cvt) / sizeof(float));
    return out;
}

void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

// libasound writes every failed open to stderr: without a card, eight lines
// at each retry. When SDL has loaded it (its ALSA driver), it is reached there
// instead of being linked.
void silenceAlsa()
{
    void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!alsa)
        return;
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    using SetHandler = int (*)(Handler);
    if (const auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
        set(&ignoreAlsaError);
    dlclose(alsa);
}

} // namespace

// A tone converted to the device's rate: mono float samples.
struct SoundDevice::Sound
{
    std::vector<float> samples;
};

// The state the audio thread works on. Everything but the volume is guarded by
// the device lock, which SDL holds around every callback.
struct SoundDevice::Mixer
{
    // A play (or, without a sound, a stop) placed at a stream frame. Each
    // entry sounds from its start until the next entry's start.
    struct Entry
    {
        const Sound *sound = nullptr;
        std::int64_t start = 0;
        bool loop = false;
        bool begun = false;
        SteadyTime call{};
    };
    static constexpr int QueueSize = 16;

    std::atomic<std::uint32_t> volume{0xFFFFFFFFu};

    int rate = 0;
    int bufferFrames = 0;
    std::array<Entry, QueueSize> queue{};
    int head = 0;
    int count = 0;
    std::int64_t rendered = 0;

    // Delay-locked loop over the callbacks, in seconds since origin: t0 is
    // the smoothed start of the last callback (which began at frame base), t1
    // the predicted start of the next, so t1 - t0 is the smoothed period.
    SteadyTime origin{};
    std::int64_t base = 0;
    double t0 = 0;
    double t1 = 0;
    double drift = 0;
    bool started = false;

    Stats stats;

    Entry &at(int i) { return queue[(head + i) % QueueSize]; }
    const Entry &at(int i) const { return queue[(head + i) % QueueSize]; }
    void popFront()
    {
        at(0) = Entry{};
        head = (head + 1) % QueueSize;
        --count;
    }

    void reset(int frequency, int frames, SteadyTime now)
    {
        rate = frequency;
        bufferFrames = frames;
        while (count > 0)
            popFront();
        rendered = 0;
        origin = now;
        base = 0;
        t0 = 0;
        t1 = double(frames) / frequency;
        drift = t1;
        started = false;
        stats = Stats{};
        stats.open = true;
        stats.rate = frequency;
        stats.bufferFrames = frames;
        stats.lockedRate = frequency;
    }

    double framesPerSecond() const { return bufferFrames / (t1 - t0); }

    double frameAt(SteadyTime t) const
    {
        return double(base) + (seconds(t - origin) - t0) * framesPerSecond();
    }

    void follow(SteadyTime now)
    {
        const double t = seconds(now - origin);
        if (!started || std::abs(t - t1) > StallSeconds) {
            t0 = t;
            t1 = t + drift;
            started = true;
        } else {
            const double bandwidth = t < SettlingSeconds ? SettlingBandwidthHz : LockedBandwidthHz;
            const double w = 2 * std::numbers::pi * bandwidth * bufferFrames / rate;
            const double e = t - t1;
            t0 = t1;
            t1 += std::numbers::sqrt2 * w * e + drift;
            drift += w * w * e;
        }
        base = rendered;
        stats.frames = base;
        if (stats.callbacks > 0)
            stats.maxCallbackGapMs =
                std::max(stats.maxCallbackGapMs, 1000 * seconds(now - stats.lastCallback));
        stats.lastCallback = now;
        ++stats.callbacks;
        stats.lockedRate = framesPerSecond();
    }

    void begin(Entry &e, std::int64_t placed, SteadyTime now)
    {
        e.begun = true;
        if (e.sound == nullptr)
            return;
        const double first = seconds(now - e.call) + double(e.start - rendered) / framesPerSecond();
        const double ms = 1000 * first;
        if (stats.tones == 0 || ms < stats.minLatencyMs)
            stats.minLatencyMs = ms;
        stats.maxLatencyMs = std::max(stats.maxLatencyMs, ms);
        stats.sumLatencyMs += ms;
        ++stats.tones;
        if (e.start > placed)
            ++stats.lateTones;
    }

    void render(float *out, int frames)
    {
        const SteadyTime now = Clock::now();
        follow(now);
        const std::uint32_t word = volume.load(std::memory_order_relaxed);
        const float left = float(word & 0xFFFFu) / 65535.0f;
        const float right = float(word >> 16) / 65535.0f;

        int i = 0;
        while (i < frames) {
            const std::int64_t pos = rendered + i;
            while (count >= 2 && at(1).start <= pos)
                popFront();
            if (count == 0)
                break;
            Entry &e = at(0);
            if (!e.begun) {
                if (e.start > pos) {
                    i += int(std::min<std::int64_t>(frames - i, e.start - pos));
                    continue;
                }
                // Placed in a buffer already played: start now rather than cut
                // the head of the tone.
                const std::int64_t placed = e.start;
                e.start = pos;
                begin(e, placed, now);
            }
            const std::int64_t until = count >= 2 ? at(1).start : pos + frames;
            int n = int(std::min<std::int64_t>(frames - i, until - pos));
            if (e.sound != nullptr && !e.sound->samples.empty()) {
                const std::vector<float> &s = e.sound->samples;
                const std::int64_t length = std::int64_t(s.size());
                std::int64_t offset = pos - e.start;
                if (e.loop)
                    offset %= length;
                else if (offset >= length)
                    offset = -1;
                for (int k = 0; k < n && offset >= 0; ++k) {
                    out[2 * (i + k)] = s[std::size_t(offset)] * left;
                    out[2 * (i + k) + 1] = s[std::size_t(offset)] * right;
                    if (++offset == length)
                        offset = e.loop ? 0 : -1;
                }
            }
            i += n;
        }
        rendered += frames;
    }

    static void callback(void *self, Uint8 *stream, int bytes)
    {
        const int frames = bytes / int(2 * sizeof(float));
        std::memset(stream, 0, std::size_t(bytes));
        static_cast<Mixer *>(self)->render(reinterpret_cast<float *>(stream), frames);
    }
};

// Holds the device lock, and so keeps the callback out, while in scope.
class SoundDevice::Lock
{
public:
    explicit Lock(std::uint32_t device) : m_device(device)
    {
        if (m_device != 0)
            SDL_LockAudioDevice(m_device);
    }
    ~Lock()
    {
        if (m_device != 0)
            SDL_UnlockAudioDevice(m_device);
    }
    Q_DISABLE_COPY_MOVE(Lock)

private:
    std::uint32_t m_device;
};

SoundDevice &SoundDevice::instance()
{
    static SoundDevice d;
    return d;
}

SoundDevice::SoundDevice() : m_mixer(std::make_unique<Mixer>()) {}

SoundDevice::~SoundDevice()
{
    close();
}

bool SoundDevice::play(const void *image, std::size_t size, unsigned flags)
{
    SteadyTime call = Clock::now();
    if (image == nullptr || size == 0 || !isComplete(image, size))
        return false;

    SDL_AudioSpec spec{};
    Uint8 *samples = nullptr;
    Uint32 bytes = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(image, int(std::min<std::size_t>(size, INT_MAX))), 1,
                       &spec, &samples, &bytes) == nullptr)
        return false;
    std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(samples, &SDL_FreeWAV);
    const int width = SDL_AUDIO_BITSIZE(spec.format) / 8;
    if (spec.channels != 1 || (spec.format != AUDIO_S16LSB && spec.format != AUDIO_U8) ||
        (spec.freq != 44100 && spec.freq != 96000) || bytes < Uint32(width))
        return false;
    const Uint32 frames = bytes / Uint32(width);

    std::vector<std::unique_ptr<Sound>> garbage;
    double duration = double(frames) / spec.freq;
    {
        std::lock_guard calls(m_calls);
        const std::uint32_t was = m_device;
        if (ensureOpen()) {
            // Opening takes a while: the tone counts from when the device is
            // there, rather than be placed in a stream that had not begun.
            if (m_device != was)
                call = Clock::now();
            auto sound = std::make_unique<Sound>();
            sound->samples = toDevice(spec, samples, frames, m_mixer->rate);
            Lock lock(m_device);
            if (!sound->samples.empty()) {
                // The tone lasts its frames at the rate the device really plays.
                duration = double(sound->samples.size()) / m_mixer->framesPerSecond();
                schedule(std::move(sound), call, (flags & SND_LOOP) != 0, (flags & SND_ASYNC) == 0);
            }
            collect(garbage);
        }
    }
    garbage.clear();
    if ((flags & SND_ASYNC) == 0)
        sleepUntil(call + fromSeconds(duration));
    return true;
}

void SoundDevice::stop()
{
    const SteadyTime call = Clock::now();
    std::vector<std::unique_ptr<Sound>> garbage;
    std::lock_guard calls(m_calls);
    if (m_device == 0)
        return;
    Lock lock(m_device);
    schedule(nullptr, call, false, false);
    collect(garbage);
}

void SoundDevice::setVolume(std::uint32_t word)
{
    m_mixer->volume.store(word, std::memory_order_relaxed);
}

std::uint32_t SoundDevice::volume() const
{
    return m_mixer->volume.load(std::memory_order_relaxed);
}

void SoundDevice::shutdown()
{
    std::lock_guard calls(m_calls);
    close();
    m_tried = false;
}

SoundDevice::Stats SoundDevice::stats()
{
    std::lock_guard calls(m_calls);
    if (m_device == 0)
        return Stats{};
    Lock lock(m_device);
    return m_mixer->stats;
}

void SoundDevice::resetStats()
{
    std::lock_guard calls(m_calls);
    Lock lock(m_device);
    Stats &s = m_mixer->stats;
    s.maxCallbackGapMs = 0;
    s.tones = s.lateTones = 0;
    s.minLatencyMs = s.maxLatencyMs = s.sumLatencyMs = 0;
}

bool SoundDevice::ensureOpen()
{
    const SteadyTime now = Clock::now();
    if (m_device != 0) {
        if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING)
            return true;
        // The device went away (its server quit, say): start over.
        close();
    } else if (m_tried && now - m_lastAttempt < RetryInterval) {
        return false;
    }
    m_tried = true;
    m_lastAttempt = now;
    return open();
}

bool SoundDevice::open()
{
    if (!m_subsystem) {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        m_subsystem = true;
        silenceAlsa();
    }
    SDL_AudioSpec want{};
    want.freq = WantedRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = WantedFrames;
    want.callback = &Mixer::callback;
    want.userdata = m_mixer.get();
    SDL_AudioSpec have{};
    // The buffer size stays ours: SDL rebuffers for the hardware itself (and
    // its dummy driver hands a callback more than it allocated when allowed
    // to change the size).
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (m_device == 0) {
        close();
        return false;
    }
    m_mixer->reset(have.freq, have.samples, Clock::now());
    SDL_PauseAudioDevice(m_device, 0);

    // Wait for the clock to have a first callback to stand on.
    const SteadyTime deadline = Clock::now() + StartTimeout;
    while (Clock::now() < deadline) {
        {
            Lock lock(m_device);
            if (m_mixer->stats.callbacks > 0)
                break;
        }
        sleepMs(1);
    }
    return true;
}

void SoundDevice::close()
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    while (m_mixer->count > 0)
        m_mixer->popFront();
    m_mixer->stats = Stats{};
    m_live.clear();
    m_syncEnd = 0;
    if (m_subsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystem = false;
    }
}

// Called with the device locked.
void SoundDevice::schedule(std::unique_ptr<Sound> sound, SteadyTime at, bool loop, bool sync)
{
    Mixer &m = *m_mixer;
    const double latency = std::chrono::duration<double>(Latency).count();
    auto start = std::int64_t(std::llround(m.frameAt(at) + latency * m.framesPerSecond()));
    // Whatever comes after a synchronous play came after its end, even if the
    // clock has moved by a frame since.
    start = std::max(start, m_syncEnd);
    if (sync && sound)
        m_syncEnd = start + std::int64_t(sound->samples.size());
    if (m.count > 0) {
        const Mixer::Entry &last = m.at(m.count - 1);
        start = std::max(start, last.start);
        // A stop after silence, or after a tone already over, changes nothing.
        if (sound == nullptr &&
            (last.sound == nullptr ||
             (!last.loop && last.start + std::int64_t(last.sound->samples.size()) <= start)))
            return;
    } else if (sound == nullptr) {
        return;
    }
    if (m.count == Mixer::QueueSize) {
        // Only when plays come faster than the latency: the newest pending
        // entry would have sounded for a moment at most.
        --m.count;
        m.at(m.count) = Mixer::Entry{};
    }
    Mixer::Entry &e = m.at(m.count);
    e = Mixer::Entry{sound.get(), start, loop && sound != nullptr, false, at};
    ++m.count;
    if (sound)
        m_live.push_back(std::move(sound));
}

// Called with the device locked: hands back the sounds the mixer is done with.
void SoundDevice::collect(std::vector<std::unique_ptr<Sound>> &garbage)
{
    auto inUse = [this](const Sound *s) {
        for (int i = 0; i < m_mixer->count; ++i)
            if (m_mixer->at(i).sound == s)
                return true;
        return false;
    };
    auto keep = std::stable_partition(m_live.begin(), m_live.end(),
                                      [&](const auto &s) { return inUse(s.get()); });
    std::move(keep, m_live.end(), std::back_inserter(garbage));
    m_live.erase(keep, m_live.end());
}

} // namespace platform
