#include "platform/mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

namespace {

using Steady = std::chrono::steady_clock;
constexpr std::int64_t Never = std::numeric_limits<std::int64_t>::max();

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
// A callback later than its prediction by this many buffer periods found the
// device's queue (one period, as SDL asks the sound servers for) empty, even
// allowing for a server that asks in bursts of two.
constexpr double UnderrunPeriods = 2.0;
// A volume change glides in over this long rather than step.
constexpr std::int64_t GlideFrames = 576;

double seconds(Steady::duration d)
{
    return std::chrono::duration<double>(d).count();
}

float gainOf(std::uint32_t word, bool right)
{
    return float(right ? word >> 16 : word & 0xFFFFu) / 65535.0f;
}

constexpr int AnchorShift = 40;
constexpr std::uint64_t SlipMask = (std::uint64_t(1) << AnchorShift) - 1;

} // namespace

double Mixer::Mapping::frameAt(SteadyTime t) const
{
    return double(base) + (seconds(t - origin) - t0) * framesPerSecond();
}

SteadyTime Mixer::Mapping::timeOf(double frame) const
{
    const double s = t0 + (frame - double(base)) / framesPerSecond();
    return origin + std::chrono::duration_cast<Steady::duration>(std::chrono::duration<double>(s));
}

Mixer::Mixer() : m_ramp(ContinuedTone::ramp(ContinuedTone::edgeFrames()))
{
    m_rampEdge = ContinuedTone::edgeFrames();
}

void Mixer::reset(int rate, int bufferFrames, std::int64_t first, std::uint32_t volume,
                  SteadyTime now)
{
    m_rate = rate;
    m_bufferFrames = bufferFrames;
    m_first = first;
    m_rendered = first;
    m_volume = volume;
    m_origin = now;
    m_base = first;
    m_t0 = 0;
    m_t1 = double(bufferFrames) / rate;
    m_drift = m_t1;
    m_started = false;
    m_press = {};
    m_previous = {};
    stats = Stats{};
    stats.open = true;
    stats.rate = rate;
    stats.bufferFrames = bufferFrames;
    stats.lockedRate = rate;
    stats.firstFrame = first;
    stats.volume = volume;
    publish();
}

void Mixer::clear()
{
    drain();
    while (!m_voices.empty()) {
        retire(Command::Kind::Play, m_voices.front().sound);
        m_voices.pop();
    }
    while (!m_gains.empty())
        m_gains.pop();
    for (int i = 0; i < m_blockCount; ++i)
        retire(Command::Kind::Block, m_blocks[std::size_t(i)].block);
    m_blockCount = 0;
    while (!m_gates.empty())
        m_gates.pop();
    retire(Command::Kind::Tone, m_tone);
    m_tone = nullptr;
    // Commands that found no room are dropped with the rest.
    while (const Command *c = m_commands.front()) {
        retire(c->kind, c->object);
        m_commands.pop();
    }
    m_stalled = false;
}

bool Mixer::post(const Command &command)
{
    return m_commands.push(command);
}

Mixer::Mapping Mixer::mapping() const
{
    Mapping m;
    for (;;) {
        const std::uint32_t before = m_sequence.load(std::memory_order_acquire);
        if (before & 1u)
            continue;
        m.origin = SteadyTime(Steady::duration(m_pOrigin.load(std::memory_order_relaxed)));
        m.base = m_pBase.load(std::memory_order_relaxed);
        m.t0 = m_pT0.load(std::memory_order_relaxed);
        m.t1 = m_pT1.load(std::memory_order_relaxed);
        m.rendered = m_pRendered.load(std::memory_order_relaxed);
        m.rendering = m_pRendering.load(std::memory_order_relaxed);
        m.bufferFrames = m_pBufferFrames.load(std::memory_order_relaxed);
        m.rate = m_pRate.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (m_sequence.load(std::memory_order_relaxed) == before)
            break;
    }
    m.valid = m.bufferFrames > 0 && m.t1 > m.t0;
    return m;
}

void Mixer::publish()
{
    m_sequence.fetch_add(1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    m_pOrigin.store(m_origin.time_since_epoch().count(), std::memory_order_relaxed);
    m_pBase.store(m_base, std::memory_order_relaxed);
    m_pT0.store(m_t0, std::memory_order_relaxed);
    m_pT1.store(m_t1, std::memory_order_relaxed);
    m_pRendered.store(m_rendered, std::memory_order_relaxed);
    m_pBufferFrames.store(m_bufferFrames, std::memory_order_relaxed);
    m_pRate.store(m_rate, std::memory_order_relaxed);
    m_sequence.fetch_add(1, std::memory_order_release);
}

std::int64_t Mixer::slip(int slot, std::uint32_t anchor) const
{
    if (slot < 0 || slot >= MaxSlots)
        return 0;
    const std::uint64_t state = m_slotState[std::size_t(slot)].load(std::memory_order_acquire);
    if ((state >> AnchorShift) != (anchor & 0xFFFFFFu))
        return 0;
    return std::int64_t(state & SlipMask);
}

void Mixer::retire(Command::Kind kind, const void *object)
{
    if (object != nullptr)
        m_retired.push({kind, object});
}

void Mixer::drain()
{
    while (const Command *c = m_commands.front()) {
        if (!apply(*c)) {
            m_stalled = true;
            return;
        }
        m_commands.pop();
    }
    m_stalled = false;
}

bool Mixer::apply(const Command &c)
{
    switch (c.kind) {
    case Command::Kind::Play: {
        if (m_voices.full())
            return false;
        Voice v;
        v.sound = static_cast<const ContinuedTone *>(c.object);
        v.start = c.frame;
        v.edge = c.edge;
        v.loop = c.flag;
        v.left = v.fromLeft = gainOf(c.word, false);
        v.right = v.fromRight = gainOf(c.word, true);
        v.call = c.call;
        m_voices.push(v);
        return true;
    }
    case Command::Kind::Stop: {
        if (m_voices.empty())
            return true;
        const Voice &last = m_voices.back();
        // A stop after silence, or after a tone already over, changes nothing.
        if (last.sound == nullptr || (!last.loop && last.start + last.sound->length <= c.frame))
            return true;
        if (m_voices.full())
            return false;
        Voice v;
        v.start = c.frame;
        m_voices.push(v);
        return true;
    }
    case Command::Kind::Volume:
        // More changes than the queue holds before the first takes effect:
        // the last word asked for wins at the last frame.
        if (m_gains.full())
            m_gains.back().word = c.word;
        else
            m_gains.push({c.frame, c.word});
        return true;
    case Command::Kind::Block: {
        if (m_blockCount == MaxBlocks)
            return false;
        const auto *b = static_cast<const Block *>(c.object);
        BlockEntry e;
        e.block = b;
        e.nominal = c.frame;
        e.first = c.frame - b->lead;
        e.slot = c.slot;
        e.left = gainOf(c.word, false);
        e.right = gainOf(c.word, true);
        e.call = c.call;
        if (c.slot >= 0 && c.slot < MaxSlots) {
            Slot &s = m_slots[std::size_t(c.slot)];
            if (s.anchor != c.anchor)
                s = {c.anchor, 0};
            e.first += s.slip;
            // Come after its frame had been rendered: this block and every one
            // placed after it in its chain sound that much later, so the
            // chain keeps its rhythm and no element is cut or run together.
            if (e.first < m_rendered) {
                s.slip += m_rendered - e.first;
                e.first = m_rendered;
                ++stats.lateTones;
            }
            m_slotState[std::size_t(c.slot)].store(
                (std::uint64_t(s.anchor & 0xFFFFFFu) << AnchorShift) |
                    (std::uint64_t(s.slip) & SlipMask),
                std::memory_order_release);
        } else if (e.first < m_rendered) {
            e.first = m_rendered;
            ++stats.lateTones;
        }
        m_blocks[std::size_t(m_blockCount++)] = e;
        return true;
    }
    case Command::Kind::Tone:
        retire(Command::Kind::Tone, m_tone);
        m_tone = static_cast<const Loop *>(c.object);
        m_toneLeft = gainOf(c.word, false);
        m_toneRight = gainOf(c.word, true);
        return true;
    case Command::Kind::Gate:
        if (m_gates.full())
            return false;
        m_gates.push({c.frame, c.flag, c.call});
        return true;
    case Command::Kind::Edge:
        m_toneEdge = c.edge == 0 ? 0 : m_rampEdge;
        return true;
    }
    return true;
}

bool Mixer::withdraw(int slot, std::int64_t from, std::int64_t to)
{
    drain();
    const auto within = [&](const BlockEntry &e) {
        return e.slot == slot && e.nominal >= from && e.nominal < to;
    };
    for (int i = 0; i < m_blockCount; ++i) {
        const BlockEntry &e = m_blocks[std::size_t(i)];
        if (within(e) && (e.begun || e.first < m_rendered))
            return false;
    }
    for (int i = 0; i < m_blockCount;) {
        BlockEntry &e = m_blocks[std::size_t(i)];
        if (within(e)) {
            retire(Command::Kind::Block, e.block);
            e = m_blocks[std::size_t(--m_blockCount)];
            m_blocks[std::size_t(m_blockCount)] = {};
        } else {
            ++i;
        }
    }
    return true;
}

void Mixer::follow(SteadyTime now)
{
    const double period = double(m_bufferFrames) / m_rate;
    const double t = seconds(now - m_origin);
    // A callback this late found the device's queue empty: the stream
    // stalled, and its clock starts over from here.
    const bool stalled = m_started && t - m_t1 > UnderrunPeriods * period;
    if (stalled)
        ++stats.underruns;
    if (!m_started || stalled || std::abs(t - m_t1) > StallSeconds) {
        m_t0 = t;
        m_t1 = t + m_drift;
        m_started = true;
    } else {
        const double bandwidth = t < SettlingSeconds ? SettlingBandwidthHz : LockedBandwidthHz;
        const double w = 2 * std::numbers::pi * bandwidth * period;
        const double e = t - m_t1;
        m_t0 = m_t1;
        // Callbacks come in bursts while a device fills its buffers: no
        // burst may pull the period far from what the device was opened with.
        m_drift = std::clamp(m_drift + w * w * e, period * (1 - RateTolerance),
                             period * (1 + RateTolerance));
        m_t1 += std::clamp(std::numbers::sqrt2 * w * e + m_drift, period * (1 - RateTolerance),
                           period * (1 + RateTolerance));
    }
    m_base = m_rendered;
    stats.frames = m_rendered - m_first;
    if (stats.callbacks > 0)
        stats.maxCallbackGapMs =
            std::max(stats.maxCallbackGapMs, 1000 * seconds(now - stats.lastCallback));
    stats.lastCallback = now;
    ++stats.callbacks;
    stats.lockedRate = m_bufferFrames / (m_t1 - m_t0);
}

void Mixer::noteLatency(SteadyTime call, std::int64_t frame, SteadyTime now)
{
    if (call == SteadyTime{})
        return;
    const double ms =
        1000 * (seconds(now - call) + double(frame - m_base) * (m_t1 - m_t0) / m_bufferFrames);
    if (stats.timedTones == 0 || ms < stats.minLatencyMs)
        stats.minLatencyMs = ms;
    stats.maxLatencyMs = std::max(stats.maxLatencyMs, ms);
    stats.sumLatencyMs += ms;
    ++stats.timedTones;
}

void Mixer::resolveLateVoices()
{
    // A play placed in frames already rendered (the stream stalled, or the
    // call came late) starts at the first free frame, and each one after it
    // keeps at least the distance it was placed from the one before: no two
    // run together, none is cut short, and none placed far enough ahead moves.
    std::int64_t wasBefore = 0;
    std::int64_t isBefore = 0;
    bool any = false;
    for (int i = 0; i < m_voices.size(); ++i) {
        Voice &v = m_voices.at(i);
        const std::int64_t placed = v.start;
        if (!v.begun) {
            std::int64_t start = std::max(v.start, m_rendered + v.edge);
            if (any)
                start = std::max(start, isBefore + (placed - wasBefore));
            if (start != v.start && v.sound != nullptr)
                ++stats.lateTones;
            v.start = start;
        }
        wasBefore = placed;
        isBefore = v.start;
        any = true;
    }
}

std::int64_t Mixer::voiceEnd(int i) const
{
    const Voice &v = m_voices.at(i);
    std::int64_t end = Never;
    if (v.sound != nullptr && !v.loop)
        end = v.start + v.sound->length;
    if (i + 1 < m_voices.size())
        end = std::min(end, m_voices.at(i + 1).start);
    return end;
}

float Mixer::rise(std::int64_t x, std::int64_t edge) const
{
    if (x < -edge)
        return 0;
    if (x >= edge)
        return 1;
    return m_ramp[std::size_t(x + m_rampEdge)];
}

void Mixer::mixVoice(int i, float *out, std::int64_t from, std::int64_t to)
{
    const Voice &v = m_voices.at(i);
    if (v.sound == nullptr)
        return;
    const std::int64_t end = voiceEnd(i);
    const std::int64_t a = std::max(from, v.start - v.edge);
    const std::int64_t b = std::min(to, end == Never ? to : end + v.edge);
    for (std::int64_t f = a; f < b; ++f) {
        float s = v.sound->at(f - v.start, v.loop);
        if (v.edge > 0)
            s *= rise(f - v.start, v.edge) * (1 - rise(f - end, v.edge));
        float left = v.left;
        float right = v.right;
        if (f < v.glide + GlideFrames) {
            const float k = float(f - v.glide) / float(GlideFrames);
            left = v.fromLeft + (v.left - v.fromLeft) * k;
            right = v.fromRight + (v.right - v.fromRight) * k;
        }
        float *frame = out + 2 * (f - from);
        frame[0] += s * left;
        frame[1] += s * right;
    }
}

void Mixer::mixBlocks(float *out, std::int64_t from, std::int64_t to, SteadyTime now)
{
    for (int i = 0; i < m_blockCount; ++i) {
        BlockEntry &e = m_blocks[std::size_t(i)];
        if (e.done)
            continue;
        const auto count = std::int64_t(e.block->samples.size());
        const std::int64_t a = std::max(from, e.first);
        const std::int64_t b = std::min(to, e.first + count);
        if (a >= b)
            continue;
        if (!e.begun) {
            e.begun = true;
            ++stats.tones;
            noteLatency(e.call, e.first + e.block->lead, now);
        }
        const float *s = e.block->samples.data() + (a - e.first);
        float *o = out + 2 * (a - from);
        for (std::int64_t f = a; f < b; ++f, ++s, o += 2) {
            o[0] += *s * e.left;
            o[1] += *s * e.right;
        }
    }
}

float Mixer::envelope(const Press &p, std::int64_t f) const
{
    if (p.down == Never)
        return 0;
    const float up = p.up == Never ? 0.0f : rise(f - p.up, m_toneEdge);
    return rise(f - p.down, m_toneEdge) * (1 - up);
}

void Mixer::mixSidetone(float *out, std::int64_t from, std::int64_t to, SteadyTime now)
{
    std::int64_t pos = from;
    while (pos < to) {
        while (!m_gates.empty() && m_gates.front().frame - m_toneEdge <= pos) {
            Gate g = m_gates.front();
            m_gates.pop();
            // Seen too late for its frame: as soon as the stream can have it.
            g.frame = std::max(g.frame, pos + m_toneEdge);
            if (g.down) {
                if (m_press.down != Never && m_press.up == Never)
                    continue; // already down
                if (envelope(m_press, pos) == 0 && envelope(m_previous, pos) == 0 &&
                    (m_press.up == Never || pos >= m_press.up + m_toneEdge))
                    m_phase = g.frame;
                m_previous = m_press;
                m_press = {g.frame, Never};
                ++stats.keyDowns;
                if (g.call != SteadyTime{}) {
                    const double ms =
                        1000 * (seconds(now - g.call) +
                                double(g.frame - m_base) * (m_t1 - m_t0) / m_bufferFrames);
                    stats.keyDownLatencyMs[std::size_t(stats.keyDowns - 1) % MaxLatencies] =
                        float(ms);
                }
            } else if (m_press.down != Never && m_press.up == Never) {
                m_press.up = std::max(g.frame, m_press.down);
            }
        }
        const std::int64_t until =
            m_gates.empty() ? to : std::clamp(m_gates.front().frame - m_toneEdge, pos + 1, to);
        if (m_tone != nullptr && !m_tone->samples.empty()) {
            const auto n = std::int64_t(m_tone->samples.size());
            for (std::int64_t f = pos; f < until; ++f) {
                const float e = std::max(envelope(m_press, f), envelope(m_previous, f));
                if (e == 0)
                    continue;
                const std::int64_t k = ((f - m_phase) % n + n) % n;
                const float s = m_tone->samples[std::size_t(k)] * e;
                float *o = out + 2 * (f - from);
                o[0] += s * m_toneLeft;
                o[1] += s * m_toneRight;
            }
        }
        pos = until;
    }
}

void Mixer::collect(std::int64_t last)
{
    // A play is done once the next one has begun and its own fall is over, or,
    // the last one, once its tone and fall are.
    while (!m_voices.empty()) {
        const Voice &v = m_voices.front();
        const bool next = m_voices.size() >= 2 && m_voices.at(1).begun;
        const bool over = m_voices.size() == 1 && v.sound != nullptr && !v.loop &&
                          v.start + v.sound->length + v.edge <= last;
        if (!((next && voiceEnd(0) + v.edge <= last) || over || (v.sound == nullptr && next)))
            break;
        retire(Command::Kind::Play, v.sound);
        m_voices.pop();
    }
    for (int i = 0; i < m_blockCount;) {
        BlockEntry &e = m_blocks[std::size_t(i)];
        if (e.first + std::int64_t(e.block->samples.size()) > last) {
            ++i;
            continue;
        }
        e.done = true;
        if (!m_retired.push({Command::Kind::Block, e.block})) {
            ++i;
            continue;
        }
        e = m_blocks[std::size_t(--m_blockCount)];
        m_blocks[std::size_t(m_blockCount)] = {};
    }
}

void Mixer::render(float *out, int frames, SteadyTime now)
{
    m_pRendering.store(true, std::memory_order_release);
    follow(now);
    drain();
    resolveLateVoices();
    const std::int64_t last = m_rendered + frames;
    for (int i = 0; i < m_voices.size(); ++i) {
        Voice &v = m_voices.at(i);
        if (v.begun || v.start - v.edge >= last)
            continue;
        v.begun = true;
        if (v.sound != nullptr) {
            ++stats.tones;
            noteLatency(v.call, v.start, now);
        }
    }
    std::int64_t pos = m_rendered;
    while (pos < last) {
        while (!m_gains.empty() && m_gains.front().frame <= pos) {
            const Gain g = m_gains.front();
            m_gains.pop();
            const float left = gainOf(g.word, false);
            const float right = gainOf(g.word, true);
            for (int i = 0; i < m_voices.size(); ++i) {
                Voice &v = m_voices.at(i);
                // A play whose tone is over keeps its gains through its fall.
                if (voiceEnd(i) <= pos)
                    continue;
                if (v.start - v.edge < pos) {
                    // Sounding: from where it stands to the new gains.
                    if (pos < v.glide + GlideFrames) {
                        const float k = float(pos - v.glide) / float(GlideFrames);
                        v.fromLeft = v.fromLeft + (v.left - v.fromLeft) * k;
                        v.fromRight = v.fromRight + (v.right - v.fromRight) * k;
                    } else {
                        v.fromLeft = v.left;
                        v.fromRight = v.right;
                    }
                    v.glide = pos;
                }
                v.left = left;
                v.right = right;
            }
            m_volume = g.word;
            stats.volume = g.word;
        }
        const std::int64_t until =
            m_gains.empty() ? last : std::clamp(m_gains.front().frame, pos + 1, last);
        for (int i = 0; i < m_voices.size() && m_voices.at(i).start - m_voices.at(i).edge < until;
             ++i)
            mixVoice(i, out + 2 * (pos - m_rendered), pos, until);
        pos = until;
    }
    mixBlocks(out, m_rendered, last, now);
    mixSidetone(out, m_rendered, last, now);
    collect(last);
    m_rendered = last;
    publish();
    m_pRendering.store(false, std::memory_order_release);
}

} // namespace platform
