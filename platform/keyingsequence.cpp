#include "platform/keyingsequence.h"

#include "platform/continuedtone.h"
#include "platform/playsound.h"
#include "platform/sounddevice.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace platform {

namespace {

std::atomic<bool> Aborted{false};

// Spans this long over are forgotten.
constexpr std::int64_t Memory = 10 * KeyingSequence::Rate;
// A wait on the steady clock wakes at least this often to look again.
constexpr int LongestWakeMs = 200;

} // namespace

KeyingSequence::KeyingSequence(QObject *parent) : QObject(parent)
{
    SoundDevice &device = SoundDevice::instance();
    m_slot = device.acquireSlot();
    m_volume = device.volume();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &KeyingSequence::fireDue);
}

KeyingSequence::~KeyingSequence()
{
    withdraw();
    SoundDevice::instance().releaseSlot(m_slot);
}

void KeyingSequence::abortWaits()
{
    Aborted.store(true);
}

bool KeyingSequence::aborted()
{
    return Aborted.load();
}

std::int64_t KeyingSequence::slipOf(const Entry &e) const
{
    return e.anchor == m_anchor ? SoundDevice::instance().slip(m_slot, e.anchor) : e.slip;
}

const KeyingSequence::Entry *KeyingSequence::find(const Span &span) const
{
    for (const Entry &e : m_spans)
        if (e.span.id == span.id)
            return &e;
    return nullptr;
}

std::int64_t KeyingSequence::end() const
{
    if (!m_placed)
        return position();
    return m_cursor + SoundDevice::instance().slip(m_slot, m_anchor);
}

std::int64_t KeyingSequence::position() const
{
    return SoundDevice::instance().position();
}

SteadyTime KeyingSequence::timeOf(std::int64_t frame) const
{
    return SoundDevice::instance().timeOf(frame);
}

std::int64_t KeyingSequence::startOf(const Span &span) const
{
    const Entry *e = find(span);
    return span.start + (e != nullptr && e->state != State::Withdrawn ? slipOf(*e) : 0);
}

std::int64_t KeyingSequence::endOf(const Span &span) const
{
    const Entry *e = find(span);
    return span.end + (e != nullptr && e->state != State::Withdrawn ? slipOf(*e) : 0);
}

bool KeyingSequence::withdrawn(const Span &span) const
{
    const Entry *e = find(span);
    return e != nullptr && e->state == State::Withdrawn;
}

bool KeyingSequence::begun(const Span &span) const
{
    return !withdrawn(span) && position() >= startOf(span);
}

bool KeyingSequence::idle() const
{
    return !m_placed || end() <= position();
}

// Where a span that opens lead frames before its start goes: gap after the
// end of the chain, if the stream has not passed that; else a new chain, as
// soon as the stream can take it.
KeyingSequence::Entry *KeyingSequence::place(std::int64_t gap, std::int64_t lead, int tag)
{
    SoundDevice &device = SoundDevice::instance();
    bool audible = false;
    const std::int64_t earliest = device.earliest(lead, audible);
    std::int64_t start = 0;
    bool fresh = false;
    if (m_placed && m_cursor + gap + device.slip(m_slot, m_anchor) >= earliest) {
        start = m_cursor + gap;
    } else {
        const std::int64_t slip = device.slip(m_slot, m_anchor);
        for (Entry &e : m_spans)
            if (e.anchor == m_anchor)
                e.slip = slip;
        m_anchor = device.newAnchor();
        start = earliest;
        fresh = true;
    }
    prune();
    Entry e;
    e.span.id = m_nextId++;
    e.span.tag = tag;
    e.span.start = start;
    e.span.end = start;
    e.span.first = start - lead;
    e.anchor = m_anchor;
    e.fresh = fresh;
    e.state = State::Open;
    m_spans.push_back(e);
    m_placed = true;
    m_cursor = start;
    return &m_spans.back();
}

bool KeyingSequence::post(Entry &e, RenderedBlock block, std::int64_t frame, std::uint32_t word)
{
    auto b = std::make_unique<Mixer::Block>();
    b->samples = std::move(block.samples);
    b->lead = block.start;
    // The first element of a chain tells how long the call took to be heard.
    const SteadyTime call =
        e.fresh && frame == e.span.start ? Clock::current().now() : SteadyTime{};
    int epoch = -1;
    const bool audible =
        SoundDevice::instance().postBlock(std::move(b), m_slot, e.anchor, frame, word, call, epoch);
    if (audible)
        e.epoch = epoch;
    return audible;
}

KeyingSequence::Span KeyingSequence::append(RenderedBlock block, std::int64_t gap,
                                            std::uint32_t volume, int tag)
{
    const std::int64_t lead = std::max<std::int64_t>(0, block.start);
    const std::int64_t length = block.length;
    Entry *e = place(std::max<std::int64_t>(0, gap), lead, tag);
    const std::int64_t start = e->span.start;
    const auto frames = std::int64_t(block.samples.size());
    if (!block.samples.empty())
        post(*e, std::move(block), start, volume);
    m_cursor = start + length;
    e->span.end = m_cursor;
    e->state = State::Queued;
    SoundCall c{SoundCall::Kind::Play};
    c.frame = startOf(e->span);
    c.frames = frames > 0 ? length : 0;
    c.heard = timeOf(c.frame);
    c.volume = volume;
    reportSound(c);
    return e->span;
}

void KeyingSequence::openSpan(int tag)
{
    if (!m_spans.empty() && m_spans.back().state == State::Open)
        return;
    Entry e;
    e.span.tag = tag;
    e.state = State::Open;
    m_spans.push_back(e);
}

bool KeyingSequence::appendTone(const void *image, std::size_t size)
{
    SoundDevice &device = SoundDevice::instance();
    const std::int64_t edge = device.softEdges() ? ContinuedTone::edgeFrames() : 0;
    const std::optional<ContinuedTone> tone = ContinuedTone::fromImage(image, size, edge);
    if (!tone)
        return false;
    RenderedBlock block = tone->shaped();
    if (m_spans.empty() || m_spans.back().state != State::Open)
        openSpan(0);
    Entry *e = &m_spans.back();
    if (e->span.id == 0) {
        const int tag = e->span.tag;
        m_spans.pop_back();
        e = place(0, block.start, tag);
    }
    const std::int64_t frame = m_cursor;
    const std::int64_t length = block.length;
    post(*e, std::move(block), frame, m_volume);
    m_cursor = frame + length;
    e->span.end = m_cursor;
    SoundCall c{SoundCall::Kind::Play};
    c.image = image;
    c.size = size;
    c.frame = frame + slipOf(*e);
    c.frames = length;
    c.heard = timeOf(c.frame);
    c.volume = m_volume;
    reportSound(c);
    return true;
}

void KeyingSequence::appendSilence(std::int64_t frames)
{
    if (frames <= 0)
        return;
    if (m_spans.empty() || m_spans.back().state != State::Open)
        openSpan(0);
    Entry *e = &m_spans.back();
    if (e->span.id == 0) {
        const int tag = e->span.tag;
        m_spans.pop_back();
        e = place(0, 0, tag);
    }
    m_cursor += frames;
    e->span.end = m_cursor;
}

KeyingSequence::Span KeyingSequence::closeSpan()
{
    if (m_spans.empty() || m_spans.back().state != State::Open)
        return {};
    Entry &e = m_spans.back();
    if (e.span.id == 0) {
        m_spans.pop_back();
        return {};
    }
    e.state = State::Queued;
    return e.span;
}

int KeyingSequence::withdraw(int tag)
{
    SoundDevice &device = SoundDevice::instance();
    const std::int64_t now = position();
    int taken = 0;
    for (Entry &e : m_spans) {
        if (e.state != State::Queued || (tag != AnyTag && e.span.tag != tag))
            continue;
        const std::int64_t slip = slipOf(e);
        if (e.span.first + slip <= now)
            continue;
        if (e.epoch >= 0 && !device.withdraw(m_slot, e.span.start, e.span.end))
            continue;
        e.slip = slip;
        e.state = State::Withdrawn;
        ++taken;
        const std::int64_t from = e.span.start + slip;
        const std::int64_t to = std::max(e.span.end + slip, from + 1);
        for (auto it = m_actions.lower_bound(from); it != m_actions.end() && it->first < to;)
            it = m_actions.erase(it);
        SoundCall c{SoundCall::Kind::Withdraw};
        c.frame = from;
        c.frames = to - from;
        reportSound(c);
    }
    if (taken == 0)
        return 0;
    // The chain goes on from the last span left (or starts afresh).
    auto last = std::find_if(m_spans.rbegin(), m_spans.rend(),
                             [](const Entry &e) { return e.state == State::Queued; });
    if (last == m_spans.rend()) {
        m_placed = false;
    } else if (last->anchor == m_anchor) {
        m_cursor = last->span.end;
    } else {
        m_placed = false;
    }
    return taken;
}

bool KeyingSequence::waitUntil(std::int64_t frame, const std::function<bool()> &stop)
{
    for (;;) {
        fireDue();
        if (Aborted.load() || (stop && stop()))
            return false;
        std::int64_t now = position();
        if (now >= frame)
            return true;
        std::int64_t next = frame;
        if (!m_actions.empty())
            next = std::min(next, m_actions.begin()->first);
        if (!Clock::steady()) {
            // Whatever the event loop holds happens at this moment, before
            // the clock moves on.
            QCoreApplication::processEvents();
            fireDue();
            if (Aborted.load() || (stop && stop()))
                return false;
            now = position();
            if (now >= frame)
                return true;
            next = frame;
            if (!m_actions.empty())
                next = std::min(next, m_actions.begin()->first);
            Clock::current().sleepUntil(timeOf(std::max(next, now)));
            continue;
        }
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            timeOf(next) - Clock::current().now());
        const int ms = int(std::clamp<std::int64_t>((left.count() + 999) / 1000, 0, LongestWakeMs));
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        wake.start(ms);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

bool KeyingSequence::waitForStart(const Span &span)
{
    if (span.id == 0)
        return !Aborted.load();
    const auto gone = [this, span] { return withdrawn(span); };
    return waitUntil(startOf(span), gone) && !withdrawn(span);
}

bool KeyingSequence::waitUntilIdle(const std::function<bool()> &stop)
{
    for (;;) {
        const std::int64_t until = end();
        if (!waitUntil(until, stop))
            return false;
        // Something placed meanwhile (an action, a handler) is waited for too.
        if (idle())
            return true;
    }
}

void KeyingSequence::at(std::int64_t frame, std::function<void()> action)
{
    m_actions.emplace(frame, std::move(action));
    arm();
}

void KeyingSequence::fireDue()
{
    while (!m_actions.empty()) {
        auto it = m_actions.begin();
        if (it->first > position())
            break;
        std::function<void()> action = std::move(it->second);
        m_actions.erase(it);
        action();
    }
    arm();
}

void KeyingSequence::arm()
{
    if (m_actions.empty()) {
        m_timer.stop();
        return;
    }
    const std::int64_t next = m_actions.begin()->first;
    if (!Clock::steady()) {
        // Time moves only in waits; an action already due runs at the next turn.
        if (next <= position())
            m_timer.start(0);
        return;
    }
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(timeOf(next) -
                                                                            Clock::current().now());
    m_timer.start(int(std::clamp<std::int64_t>((left.count() + 999) / 1000, 0, LongestWakeMs)));
}

void KeyingSequence::prune()
{
    const std::int64_t now = position();
    while (m_spans.size() > 1) {
        const Entry &e = m_spans.front();
        if (e.state == State::Open || e.span.end + slipOf(e) + Memory > now)
            break;
        m_spans.pop_front();
    }
}

} // namespace platform
