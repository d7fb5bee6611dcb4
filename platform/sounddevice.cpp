#include "platform/sounddevice.h"

#include "platform/keyingscope.h"
#include "platform/playsound.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sched.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

using Steady = std::chrono::steady_clock;

// A device that failed is tried again no more often than this.
constexpr auto RetryInterval = std::chrono::seconds(1);
// How long a freshly opened device may take to call back for the first time.
constexpr auto StartTimeout = std::chrono::milliseconds(250);
// A command that finds the audio thread's queue full waits this long for room
// at most: only a device that stopped playing leaves it full so long.
constexpr auto PostTimeout = std::chrono::seconds(2);
// The audio thread's real-time priority where the system grants one: above
// ordinary work, below what a sound server and the kernel's own threads ask.
constexpr int RealtimePriority = 10;
// Without real time, the niceness asked for instead.
constexpr int Niceness = -11;

constexpr std::int64_t latencyFrames()
{
    return std::int64_t(SoundDevice::Latency.count()) * SoundDevice::Rate / 1000;
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

void release(const Mixer::Retired &r)
{
    switch (r.kind) {
    case Mixer::Command::Kind::Block:
        delete static_cast<const Mixer::Block *>(r.object);
        break;
    case Mixer::Command::Kind::Play:
        delete static_cast<const ContinuedTone *>(r.object);
        break;
    case Mixer::Command::Kind::Tone:
        delete static_cast<const Mixer::Loop *>(r.object);
        break;
    default:
        break;
    }
}

// Frames of the stream in d, rounded down; and back, rounded up, so that the
// moment of a frame maps to that frame again.
std::int64_t framesIn(Steady::duration d)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    const std::lldiv_t s = std::lldiv(ns, 1000000000LL);
    std::int64_t frames = s.quot * SoundDevice::Rate + s.rem * SoundDevice::Rate / 1000000000LL;
    if (s.rem < 0 && (s.rem * SoundDevice::Rate) % 1000000000LL != 0)
        --frames;
    return frames;
}

Steady::duration durationOf(std::int64_t frames)
{
    const std::lldiv_t s = std::lldiv(frames, SoundDevice::Rate);
    std::int64_t ns = s.quot * 1000000000LL;
    const std::int64_t part = s.rem * 1000000000LL;
    ns += part / SoundDevice::Rate + (part % SoundDevice::Rate > 0 ? 1 : 0);
    if (part < 0 && part % SoundDevice::Rate != 0)
        ns -= 1;
    return std::chrono::duration_cast<Steady::duration>(std::chrono::nanoseconds(ns));
}

} // namespace

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
    std::lock_guard calls(m_calls);
    close(true);
}

void SoundDevice::callback(void *self, Uint8 *stream, int bytes)
{
    auto *d = static_cast<SoundDevice *>(self);
    if (d->m_audioThread.load(std::memory_order_relaxed) == 0)
        d->m_audioThread.store(int(gettid()), std::memory_order_relaxed);
    std::memset(stream, 0, std::size_t(bytes));
    d->m_mixer->render(reinterpret_cast<float *>(stream), bytes / int(2 * sizeof(float)),
                       Steady::now());
}

bool SoundDevice::streaming() const
{
    return m_device != 0 && Clock::steady();
}

std::int64_t SoundDevice::frameAtLocked(SteadyTime t)
{
    std::int64_t f = 0;
    const Mixer::Mapping m = m_mixer->mapping();
    if (streaming() && m.valid) {
        f = std::llround(m.frameAt(t));
    } else {
        const Clock *clock = &Clock::current();
        if (clock != m_timelineClock) {
            m_timelineClock = clock;
            m_timelineTime = clock->now();
            m_timelineFrame = m_lastGiven;
        }
        f = m_timelineFrame + framesIn(t - m_timelineTime);
    }
    m_lastGiven = std::max(m_lastGiven, f);
    return f;
}

SteadyTime SoundDevice::timeOfLocked(std::int64_t frame)
{
    const Mixer::Mapping m = m_mixer->mapping();
    if (streaming() && m.valid)
        return m.timeOf(double(frame));
    frameAtLocked(Clock::current().now()); // anchors the timeline on the clock in use
    return m_timelineTime + durationOf(frame - m_timelineFrame);
}

std::int64_t SoundDevice::frameAt(SteadyTime t)
{
    std::lock_guard calls(m_calls);
    return frameAtLocked(t);
}

SteadyTime SoundDevice::timeOf(std::int64_t frame)
{
    std::lock_guard calls(m_calls);
    return timeOfLocked(frame);
}

std::int64_t SoundDevice::position()
{
    std::lock_guard calls(m_calls);
    return frameAtLocked(Clock::current().now());
}

// The first frame the audio thread can still take for something that opens
// lead frames before it: one latency from now, and past the buffer it may be
// rendering at this moment.
std::int64_t SoundDevice::firstFree(std::int64_t lead)
{
    std::int64_t first = frameAtLocked(Clock::current().now()) + latencyFrames();
    if (streaming())
        first = std::max(first, m_mixer->mapping().rendered + BufferFrames + lead);
    return first;
}

void SoundDevice::collect()
{
    Mixer::Retired r;
    while (m_mixer->takeRetired(r))
        release(r);
}

void SoundDevice::post(const Mixer::Command &command)
{
    const SteadyTime deadline = Steady::now() + PostTimeout;
    while (!m_mixer->post(command)) {
        // Full only when the audio thread falls far behind: nothing is
        // dropped, the caller waits for room.
        collect();
        if (Steady::now() > deadline ||
            SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING) {
            release({command.kind, command.object});
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool SoundDevice::play(const void *image, std::size_t size, unsigned flags)
{
    const bool sync = (flags & SND_ASYNC) == 0;
    if (sync)
        if (KeyingScope *scope = KeyingScope::current())
            return scope->play(image, size);
    Clock &clock = Clock::current();
    SteadyTime call = clock.now();
    const std::int64_t edge = softEdges() ? ContinuedTone::edgeFrames() : 0;
    std::optional<ContinuedTone> tone = ContinuedTone::fromImage(image, size, edge);
    if (!tone)
        return false;
    const auto duration = durationOf(tone->length);
    {
        std::lock_guard calls(m_calls);
        collect();
        const std::uint32_t was = m_device;
        if (ensureOpen() && streaming()) {
            // Opening takes a while: the tone counts from when the device is
            // there, rather than be placed in a stream that had not begun.
            if (m_device != was)
                call = clock.now();
            const std::int64_t length = tone->length;
            const std::int64_t start = std::max(firstFree(edge), m_lastFrame);
            Mixer::Command c;
            c.kind = Mixer::Command::Kind::Play;
            c.frame = start;
            c.edge = edge;
            c.flag = (flags & SND_LOOP) != 0 && !sync;
            c.word = m_volume.load(std::memory_order_relaxed);
            c.object = new ContinuedTone(std::move(*tone));
            c.call = call;
            post(c);
            m_lastFrame = std::max(m_lastFrame, sync ? start + length : start);
        }
    }
    if (sync)
        clock.sleepUntil(call + duration);
    return true;
}

void SoundDevice::stop()
{
    if (KeyingScope::current() != nullptr)
        return;
    std::lock_guard calls(m_calls);
    collect();
    if (!streaming())
        return;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Stop;
    c.frame = std::max(firstFree(0), m_lastFrame);
    post(c);
    m_lastFrame = c.frame;
}

void SoundDevice::setVolume(std::uint32_t word)
{
    if (KeyingScope *scope = KeyingScope::current()) {
        scope->setVolume(word);
        return;
    }
    // Stored and queued under one lock: the word reported is the one that
    // takes effect last.
    std::lock_guard calls(m_calls);
    m_volume.store(word, std::memory_order_relaxed);
    if (!streaming())
        return;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Volume;
    c.frame = std::max(firstFree(0), m_lastFrame);
    c.word = word;
    post(c);
    m_lastFrame = c.frame;
}

std::uint32_t SoundDevice::volume() const
{
    return m_volume.load(std::memory_order_relaxed);
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
    Stats s;
    {
        Lock lock(m_device);
        s = m_mixer->stats;
    }
    s.realtime = m_realtime;
    s.niceness = m_niceness;
    return s;
}

void SoundDevice::resetStats()
{
    std::lock_guard calls(m_calls);
    Lock lock(m_device);
    Stats &s = m_mixer->stats;
    s.maxCallbackGapMs = 0;
    s.underruns = 0;
    s.tones = s.lateTones = s.timedTones = 0;
    s.minLatencyMs = s.maxLatencyMs = s.sumLatencyMs = 0;
    s.keyDowns = 0;
}

bool SoundDevice::ensureOpen()
{
    // A test's virtual clock keeps the stream without a device.
    if (!Clock::steady())
        return false;
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
        // SDL's audio thread asks RealtimeKit (or the desktop portal) for real
        // time rather than for a lower niceness.
        SDL_SetHint(SDL_HINT_THREAD_FORCE_REALTIME_TIME_CRITICAL, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        m_subsystem = true;
        silenceAlsa();
    }
    // The stream goes on from where the clock has brought it.
    const std::int64_t first = frameAtLocked(Steady::now());
    SDL_AudioSpec want{};
    want.freq = Rate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = BufferFrames;
    want.callback = &SoundDevice::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // The rate and the buffer size stay ours: SDL converts and rebuffers for
    // the hardware itself (and its dummy driver hands a callback more than it
    // allocated when allowed to change the size).
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        // The driver stays loaded: taking it down again blocks for a tenth of
        // a second with ALSA and no card, at every retry.
        close(false);
        return false;
    }
    ++m_epoch;
    m_audioThread.store(0);
    m_realtime = false;
    m_niceness = 0;
    m_mixer->reset(have.freq, have.samples, first, m_volume.load(std::memory_order_relaxed),
                   Steady::now());
    m_mixer->post({Mixer::Command::Kind::Edge, false, -1, 0, 0, 0,
                   m_softEdges ? ContinuedTone::edgeFrames() : 0, nullptr, {}});
    SDL_PauseAudioDevice(m_device, 0);

    // Let the clock see the device run before anything is placed on it.
    const SteadyTime deadline = Steady::now() + StartTimeout;
    while (Steady::now() < deadline) {
        {
            Lock lock(m_device);
            if (m_mixer->stats.callbacks >= 1)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    raisePriority();
    return true;
}

// SDL's audio thread has asked for real time itself, by way of RealtimeKit;
// where the process may set it (root, or a real-time limit), it is set here.
// Without either, a lower niceness, if that is allowed. Without any of them
// the device works all the same.
void SoundDevice::raisePriority()
{
    const pid_t thread = m_audioThread.load();
    if (thread == 0)
        return;
    const int policy = sched_getscheduler(thread) & ~SCHED_RESET_ON_FORK;
    m_realtime = policy == SCHED_RR || policy == SCHED_FIFO;
    if (!m_realtime) {
        sched_param p{};
        p.sched_priority = std::min(RealtimePriority, sched_get_priority_max(SCHED_RR));
        rlimit limit{};
        if (sched_setscheduler(thread, SCHED_RR | SCHED_RESET_ON_FORK, &p) == 0) {
            m_realtime = true;
        } else if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur > 0) {
            p.sched_priority = int(std::min<rlim_t>(limit.rlim_cur, rlim_t(p.sched_priority)));
            m_realtime = sched_setscheduler(thread, SCHED_RR | SCHED_RESET_ON_FORK, &p) == 0;
        }
    }
    if (!m_realtime) {
        errno = 0;
        if (getpriority(PRIO_PROCESS, id_t(thread)) > Niceness)
            SDL_LinuxSetThreadPriority(thread, Niceness);
        errno = 0;
        const int nice = getpriority(PRIO_PROCESS, id_t(thread));
        m_niceness = errno == 0 ? nice : 0;
    }
}

void SoundDevice::close(bool quitSubsystem)
{
    if (m_device != 0) {
        // The stream's timeline runs on from where the device left it.
        const Mixer::Mapping m = m_mixer->mapping();
        if (streaming() && m.valid) {
            const SteadyTime now = Steady::now();
            m_timelineClock = &Clock::current();
            m_timelineTime = now;
            m_timelineFrame = std::max<std::int64_t>(m_lastGiven, std::llround(m.frameAt(now)));
        }
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    m_mixer->clear();
    collect();
    m_mixer->stats = Stats{};
    if (m_subsystem && quitSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystem = false;
    }
}

int SoundDevice::acquireSlot()
{
    std::lock_guard calls(m_calls);
    for (int i = 0; i < Mixer::MaxSlots; ++i) {
        if ((m_slots & (std::uint64_t(1) << i)) == 0) {
            m_slots |= std::uint64_t(1) << i;
            return i;
        }
    }
    return -1;
}

void SoundDevice::releaseSlot(int slot)
{
    std::lock_guard calls(m_calls);
    if (slot >= 0 && slot < Mixer::MaxSlots)
        m_slots &= ~(std::uint64_t(1) << slot);
}

std::uint32_t SoundDevice::newAnchor()
{
    std::lock_guard calls(m_calls);
    // Published in 24 bits: 0 is no anchor.
    if ((++m_anchors & 0xFFFFFFu) == 0)
        ++m_anchors;
    return m_anchors;
}

std::int64_t SoundDevice::earliest(std::int64_t lead, bool &audible)
{
    std::lock_guard calls(m_calls);
    collect();
    audible = ensureOpen() && streaming();
    return firstFree(lead);
}

bool SoundDevice::postBlock(std::unique_ptr<Mixer::Block> block, int slot, std::uint32_t anchor,
                            std::int64_t frame, std::uint32_t word, SteadyTime call, int &epoch)
{
    std::lock_guard calls(m_calls);
    if (!streaming())
        return false;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Block;
    c.frame = frame;
    c.slot = slot;
    c.anchor = anchor;
    c.word = word;
    c.object = block.release();
    c.call = call;
    post(c);
    epoch = m_epoch;
    return true;
}

std::int64_t SoundDevice::slip(int slot, std::uint32_t anchor) const
{
    return m_mixer->slip(slot, anchor);
}

bool SoundDevice::withdraw(int slot, std::int64_t from, std::int64_t to)
{
    std::lock_guard calls(m_calls);
    if (!streaming())
        return true;
    bool taken = false;
    {
        Lock lock(m_device);
        taken = m_mixer->withdraw(slot, from, to);
    }
    // Freed here, not under the device's lock.
    collect();
    return taken;
}

void SoundDevice::postSidetone(const Mixer::Command &command)
{
    std::lock_guard calls(m_calls);
    collect();
    if (!ensureOpen() || !streaming()) {
        release({command.kind, command.object});
        return;
    }
    post(command);
}

} // namespace platform
