#include "platform/sounddevice.h"

#include "platform/keyingscope.h"
#include "platform/playsound.h"

#include <SDL.h>
#include <algorithm>
#include <dlfcn.h>

namespace platform {

namespace {

// The sidetone's stream needs no latency of its own: its gates land where
// the key's events ask, or at the first free frame.
constexpr auto SidetoneLatency = std::chrono::milliseconds(0);

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

SoundDevice &SoundDevice::instance()
{
    static SoundDevice d;
    return d;
}

SoundDevice::SoundDevice()
    : m_main(std::make_unique<AudioOutput>(BufferFrames, Latency)),
      m_side(std::make_unique<AudioOutput>(SidetoneBufferFrames, SidetoneLatency))
{
}

SoundDevice::~SoundDevice()
{
    shutdown();
}

bool SoundDevice::ensureSubsystem()
{
    if (m_subsystem)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL's audio threads ask RealtimeKit (or the desktop portal) for real
    // time rather than for a lower niceness.
    SDL_SetHint(SDL_HINT_THREAD_FORCE_REALTIME_TIME_CRITICAL, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    m_subsystem = true;
    silenceAlsa();
    return true;
}

bool SoundDevice::ensureOpen(AudioOutput &output)
{
    // A test's virtual clock keeps the stream without a device, and loads no
    // driver.
    if (!Clock::steady())
        return false;
    return output.ensureOpen(m_volume.load(std::memory_order_relaxed),
                             m_softEdges ? ContinuedTone::edgeFrames() : 0,
                             [this] { return ensureSubsystem(); });
}

std::int64_t SoundDevice::frameAt(SteadyTime t)
{
    std::lock_guard calls(m_calls);
    return m_main->frameAt(t);
}

SteadyTime SoundDevice::timeOf(std::int64_t frame)
{
    std::lock_guard calls(m_calls);
    return m_main->timeOf(frame);
}

std::int64_t SoundDevice::position()
{
    std::lock_guard calls(m_calls);
    return m_main->frameAt(Clock::current().now());
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
    const std::int64_t length = tone->length;
    {
        std::lock_guard calls(m_calls);
        m_main->collect();
        const int was = m_main->epoch();
        if (ensureOpen(*m_main)) {
            // Opening takes a while: the tone counts from when the device is
            // there, rather than be placed in a stream that had not begun.
            if (m_main->epoch() != was)
                call = clock.now();
            const std::int64_t start = std::max(m_main->firstFree(edge), m_lastFrame);
            Mixer::Command c;
            c.kind = Mixer::Command::Kind::Play;
            c.frame = start;
            c.edge = edge;
            c.flag = (flags & SND_LOOP) != 0 && !sync;
            c.word = m_volume.load(std::memory_order_relaxed);
            c.object = new ContinuedTone(std::move(*tone));
            c.call = call;
            m_main->post(c);
            m_lastFrame = std::max(m_lastFrame, sync ? start + length : start);
        }
    }
    if (sync)
        clock.sleepUntil(call + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                    std::chrono::duration<double>(double(length) / Rate)));
    return true;
}

void SoundDevice::stop()
{
    if (KeyingScope::current() != nullptr)
        return;
    std::lock_guard calls(m_calls);
    m_main->collect();
    if (!m_main->streaming())
        return;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Stop;
    c.frame = std::max(m_main->firstFree(0), m_lastFrame);
    m_main->post(c);
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
    if (!m_main->streaming())
        return;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Volume;
    c.frame = std::max(m_main->firstFree(0), m_lastFrame);
    c.word = word;
    m_main->post(c);
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
    m_main->close();
    m_side->close();
    m_main->forgetFailure();
    m_side->forgetFailure();
    if (m_subsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_subsystem = false;
    }
}

SoundDevice::Stats SoundDevice::stats()
{
    std::lock_guard calls(m_calls);
    return m_main->stats();
}

SoundDevice::Stats SoundDevice::sidetoneStats()
{
    std::lock_guard calls(m_calls);
    return m_side->stats();
}

void SoundDevice::resetStats()
{
    std::lock_guard calls(m_calls);
    m_main->resetStats();
    m_side->resetStats();
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
    m_main->collect();
    audible = ensureOpen(*m_main);
    return m_main->firstFree(lead);
}

bool SoundDevice::postBlock(std::unique_ptr<Mixer::Block> block, int slot, std::uint32_t anchor,
                            std::int64_t frame, std::uint32_t word, SteadyTime call, int &epoch)
{
    std::lock_guard calls(m_calls);
    if (!m_main->streaming())
        return false;
    Mixer::Command c;
    c.kind = Mixer::Command::Kind::Block;
    c.frame = frame;
    c.slot = slot;
    c.anchor = anchor;
    c.word = word;
    c.object = block.release();
    c.call = call;
    m_main->post(c);
    epoch = m_main->epoch();
    return true;
}

std::int64_t SoundDevice::slip(int slot, std::uint32_t anchor)
{
    return m_main->slip(slot, anchor);
}

bool SoundDevice::withdraw(int slot, std::int64_t from, std::int64_t to)
{
    std::lock_guard calls(m_calls);
    return m_main->withdraw(slot, from, to);
}

void SoundDevice::postSidetone(const Mixer::Command &command)
{
    std::lock_guard calls(m_calls);
    m_side->collect();
    if (!ensureOpen(*m_side)) {
        AudioOutput::release(command.kind, command.object);
        return;
    }
    m_side->post(command);
}

std::int64_t SoundDevice::sidetoneFrameAt(SteadyTime t)
{
    std::lock_guard calls(m_calls);
    return m_side->frameAt(t);
}

} // namespace platform
