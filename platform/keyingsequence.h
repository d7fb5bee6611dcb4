#pragma once

#include "platform/clock.h"
#include "platform/renderedblock.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>

namespace platform {

// A timeline of sound placed ahead of time in the sound device's stream, one
// span after another at frames of the stream (SoundDevice::Rate a second), so
// that neither the calling thread nor a late wake-up can move what has been
// placed: the cadence of a keyer lives here, not in any clock.
//
// Sound comes in spans. A KeyingScope makes one span of what a keyer keys
// while the scope lives (its tones and the silences after them); append()
// makes one of a block rendered ahead (RenderedBlock). Each span follows the
// sequence's end() exactly, plus the gap asked for, unless the stream has
// already passed that frame (the sequence stood idle: a pause the caller
// made): then it starts as soon as the stream can have it (SoundDevice::
// Latency from now) and the next ones follow it exactly again.
//
// Without a sound device, or on a test's virtual clock, the stream keeps its
// pace on the clock in silence; waits on a virtual clock move it on, so a
// whole lesson keys in no time.
//
// Frames of a span are final once it has begun. Before that, a span whose
// first element reached the audio thread after its frame had been rendered
// (the calling thread was held up between placing and handing it over) is
// moved later, with everything after it, keeping every gap; startOf() and
// the like always tell where a span stands now.
//
// Lives on one thread (the UI thread, for waits that run its event loop);
// all calls from there.
class KeyingSequence : public QObject
{
    Q_OBJECT

public:
    // Frames per second of every frame number here.
    static constexpr int Rate = 96000;
    // Tags a span with the part of a window that placed it, so that one part
    // can take back its own spans and leave the others'.
    static constexpr int AnyTag = -1;

    // Where a span was placed. Frames are nominal as placed; ask startOf()
    // and endOf() where it stands now.
    struct Span
    {
        std::uint64_t id = 0; // 0: nothing placed
        int tag = 0;
        // The nominal start: the half-amplitude point of the first element's
        // rise (a block's start offset), or where a span of silence begins.
        std::int64_t start = 0;
        // Where the next span counts its gap from (a keyer's closing silence
        // and a block's length included).
        std::int64_t end = 0;
        // The first frame of sound: start less the first element's rise.
        std::int64_t first = 0;
    };

    explicit KeyingSequence(QObject *parent = nullptr);
    // Takes back what has not begun; what has begun plays out.
    ~KeyingSequence() override;
    Q_DISABLE_COPY_MOVE(KeyingSequence)

    // Appends block gap frames after end() (later if the stream has passed
    // that frame), with the left gain in volume's low 16 bits and the right
    // in its high 16 bits. Returns its span: start is where block.start lands,
    // end is start + block.length.
    Span append(RenderedBlock block, std::int64_t gap = 0, std::uint32_t volume = 0xFFFFFFFFu,
                int tag = 0);

    // Where the next span goes if the stream has not passed it.
    std::int64_t end() const;
    // The frame at the stream's position now, and the moment of a frame
    // (past or future) on the clock in use.
    std::int64_t position() const;
    SteadyTime timeOf(std::int64_t frame) const;

    // Where span stands now (its frames as placed, moved if the stream made it
    // wait); unchanged for a span taken back.
    std::int64_t startOf(const Span &span) const;
    std::int64_t endOf(const Span &span) const;
    // The stream has reached its start (or, taken back, never will).
    bool begun(const Span &span) const;
    bool withdrawn(const Span &span) const;
    // Nothing placed is still to be heard.
    bool idle() const;

    // Takes back every span (of tag) that has not begun, and their actions
    // (at()); end() goes back to the start of the first one. A span that the
    // audio thread has already begun to render stays, with all before it.
    // Returns how many were taken back.
    int withdraw(int tag = AnyTag);

    // Runs the calling thread's event loop until the stream reaches frame
    // (on a virtual clock, moving the clock on to it), running the actions
    // that fall due on the way, in their order. Returns early, with false,
    // when stop() says so, or when the program is ending (abortWaits()).
    bool waitUntil(std::int64_t frame, const std::function<bool()> &stop = {});
    // Until span begins: false if it was taken back meanwhile (or as above).
    bool waitForStart(const Span &span);
    // Until the sequence is idle.
    bool waitUntilIdle(const std::function<bool()> &stop = {});

    // Runs action on this thread once the stream reaches frame: in a wait
    // (of any sequence's) or from the event loop. Taken back with the spans
    // from whose start on frame lies.
    void at(std::int64_t frame, std::function<void()> action);

    // From now on every wait returns at once, with false: the program is ending.
    static void abortWaits();
    static bool aborted();

private:
    friend class KeyingScope;

    enum class State
    {
        Open,
        Queued,
        Withdrawn
    };
    struct Entry
    {
        Span span;
        std::uint32_t anchor = 0;
        std::int64_t slip = 0; // once its chain is over, the slip it had
        int epoch = -1;        // the device it was handed to; -1 none
        bool fresh = false;    // it began a chain
        State state = State::Queued;
    };

    // For KeyingScope.
    void openSpan(int tag);
    bool appendTone(const void *image, std::size_t size);
    void appendSilence(std::int64_t frames);
    void setVolume(std::uint32_t word) { m_volume = word; }
    Span closeSpan();

    std::int64_t slipOf(const Entry &e) const;
    const Entry *find(const Span &span) const;
    Entry *place(std::int64_t gap, std::int64_t lead, int tag);
    bool post(Entry &e, RenderedBlock block, std::int64_t frame, std::uint32_t word);
    void fireDue();
    void arm();
    void prune();

    int m_slot = -1;
    std::uint32_t m_anchor = 0;
    std::int64_t m_cursor = 0; // nominal, in m_anchor's chain
    bool m_placed = false;     // m_cursor means something
    std::uint64_t m_nextId = 1;
    std::uint32_t m_volume = 0xFFFFFFFFu;
    std::deque<Entry> m_spans;
    std::multimap<std::int64_t, std::function<void()>> m_actions;
    QTimer m_timer;
};

} // namespace platform
