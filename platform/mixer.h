#pragma once

#include "platform/clock.h"
#include "platform/continuedtone.h"
#include "platform/spscring.h"

#include <QtGlobal>
#include <array>
#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

namespace platform {

// What the audio thread renders into the stream, kept apart from SDL so that
// it can be driven by hand. Frames are counted on the stream's timeline (see
// SoundDevice), which runs on across reopened devices.
//
// Three kinds of sound meet in it:
// - plays (the voices): a play sounds from its start until its tone ends or
//   the next play or stop starts; a soft edge rises before its start and
//   falls after its end, across the next one's rise; a volume change glides
//   into the plays sounding at its frame;
// - blocks: samples shaped ahead of time, each at its own gains, added to the
//   stream and never cut; a keying sequence places them back to back;
// - the sidetone: a looped tone gated by key-downs and key-ups at frames.
//
// The calling side posts commands through a lock-free ring; render() takes
// them up at the start of every buffer and hands back what it is done with
// through another ring. render() never allocates, locks or waits. What the
// calling side must know at once (withdrawing blocks, the figures) it does
// under the device's lock, which keeps render() out meanwhile.
class Mixer
{
public:
    // The stream's rate: every frame number counts at it.
    static constexpr int Rate = ContinuedTone::Rate;
    static constexpr int MaxSlots = 64;
    static constexpr int MaxBlocks = 1024;
    static constexpr int MaxVoices = 1024;
    static constexpr int MaxGates = 64;
    static constexpr std::size_t MaxLatencies = 256;

    // A sidetone's tone: samples that repeat without a seam.
    struct Loop
    {
        std::vector<float> samples;
    };

    // A block of shaped samples (see RenderedBlock).
    struct Block
    {
        std::vector<float> samples;
        std::int64_t lead = 0;
    };

    struct Command
    {
        enum class Kind : std::uint8_t
        {
            Block,  // object: Block; frame: nominal start; slot, anchor; word: gains
            Play,   // object: ContinuedTone; frame: start; edge; loop; word: gains
            Stop,   // frame
            Volume, // frame; word
            Tone,   // object: Loop (or none, to silence); word: gains
            Gate,   // frame; down
            Edge    // edge: the sidetone's soft edge from now on
        };
        Kind kind = Kind::Stop;
        bool flag = false; // Play: loop; Gate: down
        int slot = -1;
        std::uint32_t anchor = 0;
        std::uint32_t word = 0;
        std::int64_t frame = 0;
        std::int64_t edge = 0;
        const void *object = nullptr;
        SteadyTime call{}; // when it was asked for; the epoch for none
    };

    // Something the mixer no longer reads, for the calling side to free.
    struct Retired
    {
        Command::Kind kind = Command::Kind::Stop;
        const void *object = nullptr;
    };

    // What the audio thread has seen since the device was opened or the
    // figures reset.
    struct Stats
    {
        bool open = false;
        int rate = 0;                // frames per second the device was opened with
        int bufferFrames = 0;        // frames per callback
        double lockedRate = 0;       // frames per second of the steady clock, smoothed
        std::int64_t frames = 0;     // frames rendered up to the last callback, since opening
        std::int64_t firstFrame = 0; // the stream's frame the device began at
        SteadyTime lastCallback{};   // when the last callback started
        int callbacks = 0;
        double maxCallbackGapMs = 0;
        // Callbacks that came so late that the device had run dry before.
        int underruns = 0;
        int tones = 0;     // plays and blocks whose first frame was rendered
        int lateTones = 0; // of those, started later than placed (with what followed)
        // Call to its first frame rendered, over the tones that began a chain.
        int timedTones = 0;
        double minLatencyMs = 0;
        double maxLatencyMs = 0;
        double sumLatencyMs = 0;
        std::uint32_t volume = 0; // the plays' volume word at the stream's position
        // Key-down to its first frame rendered, the last MaxLatencies of them.
        int keyDowns = 0;
        std::array<float, MaxLatencies> keyDownLatencyMs{};
        // The audio thread's scheduling, as SoundDevice obtained it.
        bool realtime = false;
        int niceness = 0;
    };

    // Where the stream stood at the last callback, for the calling side's
    // clock: frame base began at t0 seconds after origin, the next callback is
    // due at t1.
    struct Mapping
    {
        bool valid = false;
        SteadyTime origin{};
        std::int64_t base = 0;
        double t0 = 0;
        double t1 = 0;
        std::int64_t rendered = 0;
        bool rendering = false; // a callback is under way: rendered is about to move on
        int bufferFrames = 0;
        int rate = 0;

        double framesPerSecond() const { return bufferFrames / (t1 - t0); }
        double frameAt(SteadyTime t) const;
        SteadyTime timeOf(double frame) const;
    };

    Mixer();
    Q_DISABLE_COPY_MOVE(Mixer)

    // Starts afresh at frame first of the stream. Whatever was queued must
    // have been taken back with clear() first.
    void reset(int rate, int bufferFrames, std::int64_t first, std::uint32_t volume,
               SteadyTime now);
    // Hands everything still held back through retired(); nothing sounds after.
    void clear();

    // Calling side. false when the ring is full; try again later.
    bool post(const Command &command);
    bool takeRetired(Retired &retired) { return m_retired.pop(retired); }
    Mapping mapping() const;
    // How far blocks of slot's chain anchor sound later than placed. Every
    // chain has an anchor of its own, never used again.
    std::int64_t slip(int slot, std::uint32_t anchor) const;

    // Audio thread. out holds frames stereo frames, zeroed.
    void render(float *out, int frames, SteadyTime now);

    // Under the device's lock: the commands posted so far take effect, then
    // the blocks of slot placed at nominal frames in [from, to) are taken
    // back if none of them has begun. Returns false, leaving them, if one has.
    bool withdraw(int slot, std::int64_t from, std::int64_t to);
    // Under the device's lock: the first frame the next callback renders.
    std::int64_t rendered() const { return m_rendered; }
    void drain();

    Stats stats;

private:
    struct Voice
    {
        const ContinuedTone *sound = nullptr;
        std::int64_t start = 0;
        std::int64_t edge = 0;
        bool loop = false;
        bool begun = false;
        float left = 1, right = 1;
        // A volume change gliding in: from these gains at frame glide on.
        float fromLeft = 1, fromRight = 1;
        std::int64_t glide = std::numeric_limits<std::int64_t>::min();
        SteadyTime call{};
    };
    struct Gain
    {
        std::int64_t frame = 0;
        std::uint32_t word = 0;
    };
    struct BlockEntry
    {
        const Block *block = nullptr;
        std::int64_t first = 0;   // the stream frame of its first sample
        std::int64_t nominal = 0; // its nominal start as placed
        int slot = -1;
        float left = 1, right = 1;
        bool begun = false;
        bool done = false;
        SteadyTime call{};
    };
    struct Gate
    {
        std::int64_t frame = 0;
        bool down = false;
        SteadyTime call{};
    };
    struct Press
    {
        std::int64_t down = std::numeric_limits<std::int64_t>::max();
        std::int64_t up = std::numeric_limits<std::int64_t>::max();
    };
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
        void push(const T &item) { at(m_count++) = item; }
        void pop()
        {
            front() = T{};
            m_head = (m_head + 1) % N;
            --m_count;
        }

    private:
        std::array<T, N> m_items{};
        int m_head = 0;
        int m_count = 0;
    };

    bool apply(const Command &c);
    void retire(Command::Kind kind, const void *object);
    void follow(SteadyTime now);
    void publish();
    void resolveLateVoices();
    std::int64_t voiceEnd(int i) const;
    float rise(std::int64_t x, std::int64_t edge) const;
    void mixVoice(int i, float *out, std::int64_t from, std::int64_t to);
    void mixBlocks(float *out, std::int64_t from, std::int64_t to, SteadyTime now);
    void mixSidetone(float *out, std::int64_t from, std::int64_t to, SteadyTime now);
    float envelope(const Press &p, std::int64_t f) const;
    void noteLatency(SteadyTime call, std::int64_t frame, SteadyTime now);
    void collect(std::int64_t last);

    SpscRing<Command, 1024> m_commands;
    SpscRing<Retired, 4096> m_retired;
    bool m_stalled = false; // a command found no room: the rest wait behind it

    int m_rate = ContinuedTone::Rate;
    int m_bufferFrames = 0;
    std::int64_t m_first = 0;
    std::int64_t m_rendered = 0;
    std::vector<float> m_ramp; // for the plays' soft edges, the widest edge asked for
    std::int64_t m_rampEdge = 0;

    Ring<Voice, MaxVoices> m_voices;
    Ring<Gain, 256> m_gains;
    std::uint32_t m_volume = 0xFFFFFFFFu;

    std::array<BlockEntry, MaxBlocks> m_blocks{};
    int m_blockCount = 0;
    struct Slot
    {
        std::uint32_t anchor = 0;
        std::int64_t slip = 0;
    };
    std::array<Slot, MaxSlots> m_slots{};
    // Published per slot: the anchor in the high 24 bits, its slip in the low 40.
    std::array<std::atomic<std::uint64_t>, MaxSlots> m_slotState{};

    const Loop *m_tone = nullptr;
    float m_toneLeft = 1, m_toneRight = 1;
    std::int64_t m_toneEdge = 0;
    std::vector<float> m_toneRamp;
    Ring<Gate, MaxGates> m_gates;
    Press m_press;
    Press m_previous;
    std::int64_t m_phase = 0;

    // Delay-locked loop over the callbacks, in seconds since origin: t0 is
    // the smoothed start of the last callback (which began at frame base), t1
    // the predicted start of the next, so t1 - t0 is the smoothed period.
    SteadyTime m_origin{};
    std::int64_t m_base = 0;
    double m_t0 = 0;
    double m_t1 = 0;
    double m_drift = 0;
    bool m_started = false;

    // The published mapping, under a sequence count: odd while it changes.
    std::atomic<std::uint32_t> m_sequence{0};
    std::atomic<std::int64_t> m_pOrigin{0};
    std::atomic<std::int64_t> m_pBase{0};
    std::atomic<double> m_pT0{0};
    std::atomic<double> m_pT1{0};
    std::atomic<std::int64_t> m_pRendered{0};
    std::atomic<bool> m_pRendering{false};
    std::atomic<int> m_pBufferFrames{0};
    std::atomic<int> m_pRate{0};
};

} // namespace platform
