#include "platform/audiooutput.h"

#include <SDL.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
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

// Frames of the stream in d, rounded down; and back, rounded up, so that the
// moment of a frame maps to that frame again.
std::int64_t framesIn(Steady::duration d)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    const std::lldiv_t s = std::lldiv(ns, 1000000000LL);
    std::int64_t frames = s.quot * Mixer::Rate + s.rem * Mixer::Rate / 1000000000LL;
    if (s.rem < 0 && (s.rem * Mixer::Rate) % 1000000000LL != 0)
        --frames;
    return frames;
}

Steady::duration durationOf(std::int64_t frames)
{
    const std::lldiv_t s = std::lldiv(frames, Mixer::Rate);
    std::int64_t ns = s.quot * 1000000000LL;
    const std::int64_t part = s.rem * 1000000000LL;
    ns += part / Mixer::Rate + (part % Mixer::Rate > 0 ? 1 : 0);
    if (part < 0 && part % Mixer::Rate != 0)
        ns -= 1;
    return std::chrono::duration_cast<Steady::duration>(std::chrono::nanoseconds(ns));
}

} // namespace

// Holds the device lock, and so keeps the callback out, while in scope.
class AudioOutput::Lock
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

AudioOutput::AudioOutput(int bufferFrames, std::chrono::milliseconds latency)
    : m_bufferFrames(bufferFrames),
      m_latencyFrames(std::int64_t(latency.count()) * Mixer::Rate / 1000),
      m_mixer(std::make_unique<Mixer>())
{
}

AudioOutput::~AudioOutput()
{
    close();
}

void AudioOutput::release(Mixer::Command::Kind kind, const void *object)
{
    switch (kind) {
    case Mixer::Command::Kind::Block:
        delete static_cast<const Mixer::Block *>(object);
        break;
    case Mixer::Command::Kind::Play:
        delete static_cast<const ContinuedTone *>(object);
        break;
    case Mixer::Command::Kind::Tone:
        delete static_cast<const Mixer::Loop *>(object);
        break;
    default:
        break;
    }
}

void AudioOutput::callback(void *self, Uint8 *stream, int bytes)
{
    auto *o = static_cast<AudioOutput *>(self);
    if (o->m_audioThread.load(std::memory_order_relaxed) == 0)
        o->m_audioThread.store(int(gettid()), std::memory_order_relaxed);
    std::memset(stream, 0, std::size_t(bytes));
    o->m_mixer->render(reinterpret_cast<float *>(stream), bytes / int(2 * sizeof(float)),
                       Steady::now());
}

bool AudioOutput::streaming() const
{
    return m_device != 0 && Clock::steady();
}

std::int64_t AudioOutput::frameAt(SteadyTime t)
{
    std::int64_t f = 0;
    const Mixer::Mapping m = m_mixer->mapping();
    if (streaming() && m.valid) {
        f = std::llround(m.frameAt(t));
    } else {
        const int clock = Clock::generation();
        if (clock != m_timelineClock) {
            m_timelineClock = clock;
            m_timelineTime = t;
            m_timelineFrame = m_lastGiven;
        }
        f = m_timelineFrame + framesIn(t - m_timelineTime);
    }
    m_lastGiven = std::max(m_lastGiven, f);
    return f;
}

SteadyTime AudioOutput::timeOf(std::int64_t frame)
{
    const Mixer::Mapping m = m_mixer->mapping();
    if (streaming() && m.valid)
        return m.timeOf(double(frame));
    frameAt(Clock::current().now()); // anchors the timeline on the clock in use
    return m_timelineTime + durationOf(frame - m_timelineFrame);
}

std::int64_t AudioOutput::firstFree(std::int64_t lead)
{
    std::int64_t first = frameAt(Clock::current().now()) + m_latencyFrames;
    if (streaming()) {
        // A callback under way takes up what was posted before it began only;
        // one that starts as this is posted would leave it late, and then the
        // mixer moves it on with everything after it.
        const Mixer::Mapping m = m_mixer->mapping();
        first = std::max(first, m.rendered + (m.rendering ? m_bufferFrames : 0) + lead);
    }
    return first;
}

void AudioOutput::collect()
{
    Mixer::Retired r;
    while (m_mixer->takeRetired(r))
        release(r.kind, r.object);
}

void AudioOutput::post(const Mixer::Command &command)
{
    if (!streaming()) {
        release(command.kind, command.object);
        return;
    }
    const SteadyTime deadline = Steady::now() + PostTimeout;
    while (!m_mixer->post(command)) {
        // Full only when the audio thread falls far behind: nothing is
        // dropped, the caller waits for room.
        collect();
        if (Steady::now() > deadline || SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING) {
            release(command.kind, command.object);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool AudioOutput::withdraw(int slot, std::int64_t from, std::int64_t to)
{
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

Mixer::Stats AudioOutput::stats()
{
    if (m_device == 0)
        return Mixer::Stats{};
    Mixer::Stats s;
    {
        Lock lock(m_device);
        s = m_mixer->stats;
    }
    s.realtime = m_realtime;
    s.niceness = m_niceness;
    return s;
}

void AudioOutput::resetStats()
{
    Lock lock(m_device);
    Mixer::Stats &s = m_mixer->stats;
    s.maxCallbackGapMs = 0;
    s.underruns = 0;
    s.tones = s.lateTones = s.timedTones = 0;
    s.minLatencyMs = s.maxLatencyMs = s.sumLatencyMs = 0;
    s.keyDowns = 0;
}

bool AudioOutput::ensureOpen(std::uint32_t volume, std::int64_t sidetoneEdge,
                             const std::function<bool()> &driver)
{
    // A test's virtual clock keeps the stream without a device.
    if (!Clock::steady())
        return false;
    const SteadyTime now = Steady::now();
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
    return driver() && open(volume, sidetoneEdge);
}

bool AudioOutput::open(std::uint32_t volume, std::int64_t sidetoneEdge)
{
    // The stream goes on from where the clock has brought it.
    const std::int64_t first = frameAt(Steady::now());
    SDL_AudioSpec want{};
    want.freq = Mixer::Rate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = Uint16(m_bufferFrames);
    want.callback = &AudioOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // The rate and the buffer size stay ours: SDL converts and rebuffers for
    // the hardware itself (and its dummy driver hands a callback more than it
    // allocated when allowed to change the size).
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0)
        return false;
    ++m_epoch;
    m_audioThread.store(0);
    m_realtime = false;
    m_niceness = 0;
    m_mixer->reset(have.freq, have.samples, first, volume, Steady::now());
    Mixer::Command edge;
    edge.kind = Mixer::Command::Kind::Edge;
    edge.edge = sidetoneEdge;
    m_mixer->post(edge);
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
void AudioOutput::raisePriority()
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

void AudioOutput::close()
{
    if (m_device != 0) {
        // The timeline runs on from where the device left it.
        const Mixer::Mapping m = m_mixer->mapping();
        if (streaming() && m.valid) {
            const SteadyTime now = Steady::now();
            m_timelineClock = Clock::generation();
            m_timelineTime = now;
            m_timelineFrame = std::max<std::int64_t>(m_lastGiven, std::llround(m.frameAt(now)));
        }
        SDL_CloseAudioDevice(m_device);
        m_device = 0;
    }
    m_mixer->clear();
    collect();
    m_mixer->stats = Mixer::Stats{};
}

} // namespace platform
