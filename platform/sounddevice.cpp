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
#include <thread>

namespace platform {

namespace {

using Steady = std::chrono::steady_clock;

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
// How far the locked period may stray from the one the device was opened with
// (SDL's sleep-paced drivers run about 1.5 % slow).
constexpr double RateTolerance = 0.05;
// Callbacks to wait for after opening, so the first tone is placed on a clock
// that has seen the device run.
constexpr int SettlingCallbacks = 1;
// A chain whose tones run ahead of (or behind) the stream by more than this
// makes its caller wait half that much longer (or less): the keyer follows the
// device's own rate, and the queue stays short. Below it the stream clock's
// own wobble would only shake the caller.
constexpr auto DriftDeadband = std::chrono::milliseconds(5);

// The longest period searched for when a tone is continued past its edges:
// 20 Hz at 96000 Hz.
constexpr std::int64_t MaxPeriodFrames = 4800;

// A fixed-size queue; the audio thread must not allocate.
template <typename T, int N> class Ring
{
public:
    int size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    bool full() const { return m_count == N; }
    T &at(int i) { return m_items[std::size_t((m_head + i) % N)]; }
    const T &at(int i) const { return m_items[std::size_t((m_head + i) % N)]; }
    T &front() { return at(0); }
    T &back() { return at(m_count - 1); }
    const T &back() const { return at(m_count - 1); }
    void push(const T &item) { at(m_count++) = item; }
    void dropBack() { --m_count; }
    void pop()
    {
        front() = T{};
        m_head = (m_head + 1) % N;
        --m_count;
    }
    void clear()
    {
        while (m_count > 0)
            pop();
    }

private:
    std::array<T, N> m_items{};
    int m_head = 0;
    int m_count = 0;
};

double seconds(Steady::duration d)
{
    return std::chrono::duration<double>(d).count();
}

Steady::duration fromSeconds(double s)
{
    return std::chrono::duration_cast<Steady::duration>(std::chrono::duration<double>(s));
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
    // SDL converts in place, in a buffer len_mult times the tone whose size
    // it counts in an int: a tone that would not fit plays nothing rather
    // than overrun it (a size_t too has only 32 bits on armhf).
    if (std::int64_t(cvt.len) * cvt.len_mult > INT_MAX)
        return {};
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
// A tone converted to the device's rate: mono float samples, with its own
// waveform continued for a few ms before its first sample and after its last,
// so that a soft edge can open before the tone's nominal start and close after
// its end.
struct SoundDevice::Sound
{
    std::vector<float> samples; // lead frames, the tone, then as many again
    std::int64_t lead = 0;
    std::int64_t length = 0;

    float at(std::int64_t offset, bool loop) const
    {
        if (loop && offset >= 0)
            offset %= length;
        return samples[std::size_t(lead + offset)];
    }
};

namespace {

// The lag, from lo to hi, at which the tone best repeats what it holds at from
// over window frames, looking back (direction -1) or ahead (+1): a whole
// number of its periods, or as near to one as its samples come.
std::int64_t bestLag(const std::vector<float> &s, std::int64_t from, std::int64_t window,
                     std::int64_t lo, std::int64_t hi, int direction)
{
    double energy = 0;
    for (std::int64_t k = 0; k < window; ++k)
        energy +=
            double(s[std::size_t(from + direction * k)]) * s[std::size_t(from + direction * k)];
    // A repeat this close is as good as exact (a tenth of a frame off at a
    // period of a hundred): the search ends there.
    const double goodEnough = 1e-4 * energy;
    std::int64_t best = lo;
    double bestError = std::numeric_limits<double>::max();
    // Only where the tone comes back to its first two samples can it repeat
    // them all: the rest are passed over at the cost of two comparisons.
    float peak = 0;
    for (std::int64_t k = 0; k < window; ++k)
        peak = std::max(peak, std::abs(s[std::size_t(from + direction * k)]));
    const float near = 0.05f * peak + 1e-6f;
    const float first = s[std::size_t(from)];
    const float second = s[std::size_t(from + direction * std::min<std::int64_t>(1, window - 1))];
    for (std::int64_t q = lo; q <= hi && bestError > goodEnough; ++q) {
        if (std::abs(s[std::size_t(from + direction * q)] - first) > near ||
            std::abs(
                s[std::size_t(from + direction * (q + std::min<std::int64_t>(1, window - 1)))] -
                second) > near)
            continue;
        double error = 0;
        for (std::int64_t k = 0; k < window && error < bestError; ++k) {
            const double d = s[std::size_t(from + direction * k)] -
                             s[std::size_t(from + direction * k + direction * q)];
            error += d * d;
        }
        if (error < bestError) {
            bestError = error;
            best = q;
        }
    }
    return best;
}

// Continues tone by edge frames on either side with its own waveform: the
// frames before its start are those before a later point where it repeats
// its opening, the frames after its end those after an earlier point where it
// repeats its close.
SoundDevice::Sound continued(std::vector<float> tone, std::int64_t edge)
{
    SoundDevice::Sound sound;
    const auto n = std::int64_t(tone.size());
    sound.lead = edge;
    sound.length = n;
    sound.samples.assign(std::size_t(n + 2 * edge), 0.0f);
    std::copy(tone.begin(), tone.end(), sound.samples.begin() + edge);
    if (edge == 0 || n == 0)
        return sound;
    const std::int64_t window = std::min<std::int64_t>(edge, n / 4 + 1);
    const std::int64_t lo = edge;
    const std::int64_t hi = std::min<std::int64_t>(n - window, lo + MaxPeriodFrames);
    const std::int64_t ahead = hi >= lo ? bestLag(tone, 0, window, lo, hi, +1) : n;
    const std::int64_t back = hi >= lo ? bestLag(tone, n - 1, window, lo, hi, -1) : n;
    const auto wrap = [n](std::int64_t i) { return std::size_t((i % n + n) % n); };
    for (std::int64_t k = 1; k <= edge; ++k) {
        sound.samples[std::size_t(edge - k)] = tone[wrap(ahead - k)];
        sound.samples[std::size_t(edge + n - 1 + k)] = tone[wrap(n - 1 + k - back)];
    }
    return sound;
}

} // namespace

// The state the audio thread works on, guarded by the device lock, which SDL
// holds around every callback.
struct SoundDevice::Mixer
{
    // A play (or, without a sound, a stop) placed at a stream frame. Each
    // entry sounds from its start until its tone ends or the next entry
    // starts; with soft edges it rises from edge frames before its start and
    // falls until edge frames after its end, across the next one's rise.
    struct Entry
    {
        const Sound *sound = nullptr;
        std::int64_t start = 0;
        std::int64_t edge = 0;
        bool loop = false;
        bool begun = false;
        SteadyTime call{};
    };
    // A volume word that takes effect at a stream frame.
    struct Gain
    {
        std::int64_t start = 0;
        std::uint32_t word = 0;
    };
    static constexpr int QueueSize = 16;

    int rate = 0;
    int bufferFrames = 0;
    Ring<Entry, QueueSize> queue;
    Ring<Gain, QueueSize> gains;
    std::uint32_t volume = 0xFFFFFFFFu; // the word in force at the stream's position
    std::int64_t rendered = 0;
    // A raised cosine from 0 to 1 over 2 * edge + 1 frames; its middle is 0.5.
    std::vector<float> ramp;

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

    void reset(int frequency, int frames, std::uint32_t word, SteadyTime now)
    {
        rate = frequency;
        bufferFrames = frames;
        queue.clear();
        gains.clear();
        volume = word;
        rendered = 0;
        const std::int64_t h = edgeFrames();
        ramp.resize(std::size_t(2 * h + 1));
        for (std::int64_t k = 0; k <= 2 * h; ++k)
            ramp[std::size_t(k)] =
                float(0.5 - 0.5 * std::cos(std::numbers::pi * double(k) / double(2 * h)));
        origin = now;
        base = 0;
        t0 = 0;
        t1 = period();
        drift = t1;
        started = false;
        stats = Stats{};
        stats.open = true;
        stats.rate = frequency;
        stats.bufferFrames = frames;
        stats.lockedRate = frequency;
    }

    std::int64_t edgeFrames() const { return softEdgeFrames(rate); }

    double period() const { return double(bufferFrames) / rate; }

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
            // Callbacks come in bursts while a device fills its buffers: no
            // burst may pull the period far from what the device was opened with.
            drift = std::clamp(drift + w * w * e, period() * (1 - RateTolerance),
                               period() * (1 + RateTolerance));
            t1 += std::clamp(std::numbers::sqrt2 * w * e + drift, period() * (1 - RateTolerance),
                             period() * (1 + RateTolerance));
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

    // The nominal end of entry i: where its tone ends, or where the next
    // entry cuts it.
    std::int64_t endOf(int i) const
    {
        const Entry &e = queue.at(i);
        std::int64_t end = std::numeric_limits<std::int64_t>::max();
        if (e.sound != nullptr && !e.loop)
            end = e.start + e.sound->length;
        if (i + 1 < queue.size())
            end = std::min(end, queue.at(i + 1).start);
        return end;
    }

    // The gain of a soft edge at x frames from its middle: 0 before, 1 after.
    float rise(std::int64_t x, std::int64_t edge) const
    {
        if (x < -edge)
            return 0;
        if (x >= edge)
            return 1;
        return ramp[std::size_t(x + edge)];
    }

    // Adds entry i to the frames [from, to) of the stream, out holding from.
    void mix(int i, float *out, std::int64_t from, std::int64_t to, float left, float right)
    {
        const Entry &e = queue.at(i);
        if (e.sound == nullptr)
            return;
        const std::int64_t end = endOf(i);
        const std::int64_t a = std::max(from, e.start - e.edge);
        const std::int64_t b =
            std::min(to, end == std::numeric_limits<std::int64_t>::max() ? to : end + e.edge);
        for (std::int64_t f = a; f < b; ++f) {
            float v = e.sound->at(f - e.start, e.loop);
            if (e.edge > 0)
                v *= rise(f - e.start, e.edge) * (1 - rise(f - end, e.edge));
            float *frame = out + 2 * (f - from);
            frame[0] += v * left;
            frame[1] += v * right;
        }
    }

    void render(float *out, int frames)
    {
        const SteadyTime now = Steady::now();
        follow(now);
        const std::int64_t last = rendered + frames;
        // Entries the stream reaches in this buffer for the first time: one
        // placed in a buffer already played starts now rather than lose its
        // head.
        for (int i = 0; i < queue.size(); ++i) {
            Entry &e = queue.at(i);
            if (e.begun || e.start - e.edge >= last)
                continue;
            const std::int64_t placed = e.start;
            e.start = std::max(e.start, rendered + e.edge);
            begin(e, placed, now);
        }
        std::int64_t pos = rendered;
        while (pos < last) {
            while (!gains.empty() && gains.front().start <= pos) {
                volume = gains.front().word;
                gains.pop();
            }
            const std::int64_t until =
                gains.empty() ? last : std::clamp(gains.front().start, pos + 1, last);
            const float left = float(volume & 0xFFFFu) / 65535.0f;
            const float right = float(volume >> 16) / 65535.0f;
            for (int i = 0; i < queue.size() && queue.at(i).start - queue.at(i).edge < until; ++i)
                mix(i, out + 2 * (pos - rendered), pos, until, left, right);
            pos = until;
        }
        // An entry is done once the next one has begun and its own fall is over.
        while (queue.size() >= 2 && queue.at(1).begun && endOf(0) + queue.front().edge <= last)
            queue.pop();
        rendered = last;
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
    close(true);
}

bool SoundDevice::play(const void *image, std::size_t size, unsigned flags)
{
    Clock &clock = Clock::current();
    SteadyTime call = clock.now();
    SteadyTime wall = Steady::now();
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

    const bool sync = (flags & SND_ASYNC) == 0;
    std::vector<std::unique_ptr<Sound>> garbage;
    auto duration = fromSeconds(double(frames) / spec.freq);
    Clock::Cadence cadence = clock.cadence(call);
    bool chained = cadence.chained; // without a device the cadence alone keeps the pace
    {
        std::lock_guard calls(m_calls);
        const std::uint32_t was = m_device;
        if (ensureOpen()) {
            // Opening takes a while: the tone counts from when the device is
            // there, rather than be placed in a stream that had not begun.
            if (m_device != was) {
                call = clock.now();
                wall = Steady::now();
                cadence = {};
            }
            const std::int64_t edge = m_softEdges ? m_mixer->edgeFrames() : 0;
            auto sound = std::make_unique<Sound>(
                continued(toDevice(spec, samples, frames, m_mixer->rate), edge));
            Lock lock(m_device);
            const std::int64_t start = place(cadence, wall, chained);
            if (sound->length > 0) {
                const std::int64_t length = sound->length;
                duration = fromSeconds(double(length) / m_mixer->rate);
                if (chained) {
                    ++m_mixer->stats.chainedTones;
                    // The caller follows the stream: a device that plays slower
                    // than the clock holds it back, one that plays faster lets
                    // it go sooner.
                    const double lead =
                        (double(start) - m_mixer->frameAt(wall)) / m_mixer->framesPerSecond();
                    const auto drift = fromSeconds(lead) - (streamLatency() - (call - cadence.due));
                    if (drift > DriftDeadband || drift < -DriftDeadband)
                        duration += std::clamp<Steady::duration>(drift / 2, -duration, duration);
                }
                // A chained tone's latency counts from when its call was due.
                schedule(std::move(sound), start, edge, chained ? cadence.due : wall,
                         (flags & SND_LOOP) != 0);
                m_chained = sync;
                m_chainEnd = start + length;
                if (sync)
                    m_lastFrame = std::max(m_lastFrame, m_chainEnd);
            }
            collect(garbage);
        }
    }
    garbage.clear();
    if (!sync) {
        clock.unchain();
        return true;
    }
    const SteadyTime end = (chained ? cadence.due : call) + duration;
    clock.chain(end);
    clock.sleepUntil(end);
    return true;
}

void SoundDevice::stop()
{
    const Clock::Cadence cadence = Clock::current().cadence(Clock::current().now());
    const SteadyTime wall = Steady::now();
    std::vector<std::unique_ptr<Sound>> garbage;
    std::lock_guard calls(m_calls);
    if (m_device == 0)
        return;
    Lock lock(m_device);
    bool chained = false;
    schedule(nullptr, place(cadence, wall, chained), 0, wall, false);
    collect(garbage);
}

void SoundDevice::setVolume(std::uint32_t word)
{
    const Clock::Cadence cadence = Clock::current().cadence(Clock::current().now());
    const SteadyTime wall = Steady::now();
    m_volume.store(word, std::memory_order_relaxed);
    std::lock_guard calls(m_calls);
    if (m_device == 0)
        return;
    Lock lock(m_device);
    Mixer &m = *m_mixer;
    bool chained = false;
    const std::int64_t start = place(cadence, wall, chained);
    // More changes than the queue holds before the first takes effect: the
    // last word asked for wins at the last frame.
    if (m.gains.full())
        m.gains.back().word = word;
    else
        m.gains.push({start, word});
}

void SoundDevice::setSoftEdges(bool on)
{
    std::lock_guard calls(m_calls);
    m_softEdges = on;
}

bool SoundDevice::softEdges()
{
    std::lock_guard calls(m_calls);
    return m_softEdges;
}

std::uint32_t SoundDevice::volume() const
{
    return m_volume.load(std::memory_order_relaxed);
}

std::chrono::microseconds SoundDevice::latency()
{
    std::lock_guard calls(m_calls);
    return streamLatency();
}

std::chrono::microseconds SoundDevice::streamLatency() const
{
    if (m_device == 0)
        return Latency;
    const auto buffer =
        std::chrono::microseconds(std::int64_t(1e6 * m_mixer->bufferFrames / m_mixer->rate + 0.5));
    return std::max<std::chrono::microseconds>(Latency, buffer + Clock::Slack + Margin);
}

void SoundDevice::shutdown()
{
    std::lock_guard calls(m_calls);
    close(true);
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
    s.tones = s.lateTones = s.chainedTones = 0;
    s.minLatencyMs = s.maxLatencyMs = s.sumLatencyMs = 0;
}

bool SoundDevice::ensureOpen()
{
    const SteadyTime now = Steady::now();
    if (m_device != 0) {
        if (SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING)
            return true;
        // The device went away (its server quit, say): start over, driver and all.
        close(true);
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
        // The driver stays loaded: taking it down again blocks for a tenth of
        // a second with ALSA and no card, at every retry.
        close(false);
        return false;
    }
    m_mixer->reset(have.freq, have.samples, m_volume.load(std::memory_order_relaxed),
                   Steady::now());
    SDL_PauseAudioDevice(m_device, 0);

    // Let the clock see the device run before anything is placed on it.
    const SteadyTime deadline = Steady::now() + StartTimeout;
    while (Steady::now() < deadline) {
        {
            Lock lock(m_device);
            if (m_mixer->stats.callbacks >= SettlingCallbacks)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void SoundDevice::close(bool quitSubsystem)
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    m_mixer->queue.clear();
    m_mixer->gains.clear();
    m_mixer->stats = Stats{};
    m_live.clear();
    m_chained = false;
    m_chainEnd = 0;
    m_lastFrame = 0;
    if (m_subsystem && quitSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystem = false;
    }
}

// Called with the device locked. Where a call lands in the stream: where the
// chain it continues has got to, or, if it continues none (or the stream has
// already passed that frame), one latency after its moment.
std::int64_t SoundDevice::place(const Clock::Cadence &cadence, SteadyTime wall, bool &chained)
{
    const Mixer &m = *m_mixer;
    const std::int64_t edge = m_softEdges ? m.edgeFrames() : 0;
    std::int64_t start = 0;
    chained = false;
    if (cadence.chained && m_chained) {
        const auto silence = std::chrono::duration<double>(cadence.silence).count();
        start = m_chainEnd + std::llround(silence * m.rate);
        // A soft edge, this tone's rise or the fall of one it cuts, opens
        // before the nominal frame.
        chained = start - edge >= m.rendered;
    }
    if (!chained) {
        const double latency = std::chrono::duration<double>(streamLatency()).count();
        start = std::max(std::llround(m.frameAt(wall) + latency * m.framesPerSecond()),
                         static_cast<long long>(m.rendered + edge));
    }
    start = std::max(start, m_lastFrame);
    m_lastFrame = start;
    return start;
}

// Called with the device locked.
void SoundDevice::schedule(std::unique_ptr<Sound> sound, std::int64_t start, std::int64_t edge,
                           SteadyTime call, bool loop)
{
    Mixer &m = *m_mixer;
    if (!m.queue.empty()) {
        const Mixer::Entry &last = m.queue.back();
        // A stop after silence, or after a tone already over, changes nothing.
        if (sound == nullptr &&
            (last.sound == nullptr || (!last.loop && last.start + last.sound->length <= start)))
            return;
    } else if (sound == nullptr) {
        return;
    }
    if (m.queue.full()) {
        // Only when plays come faster than the latency: the newest pending
        // entry would have sounded for a moment at most.
        m.queue.back() = Mixer::Entry{};
        m.queue.dropBack();
    }
    m.queue.push({sound.get(), start, edge, loop && sound != nullptr, false, call});
    if (sound)
        m_live.push_back(std::move(sound));
}

// Called with the device locked: hands back the sounds the mixer is done with.
void SoundDevice::collect(std::vector<std::unique_ptr<Sound>> &garbage)
{
    auto inUse = [this](const Sound *s) {
        for (int i = 0; i < m_mixer->queue.size(); ++i)
            if (m_mixer->queue.at(i).sound == s)
                return true;
        return false;
    };
    auto keep = std::stable_partition(m_live.begin(), m_live.end(),
                                      [&](const auto &s) { return inUse(s.get()); });
    std::move(keep, m_live.end(), std::back_inserter(garbage));
    m_live.erase(keep, m_live.end());
}

} // namespace platform
