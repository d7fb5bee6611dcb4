// The audio thread's mixer driven by hand, buffer by buffer, with made-up
// callback times: blocks that come late, plays that pile up, volume changes,
// the sidetone's gate, and what the audio thread must never do (allocate).

#include "platform/continuedtone.h"
#include "platform/mixer.h"

#include <QtTest>
#include <atomic>
#include <cmath>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

} // namespace

// The replacements below pair malloc with free; where GCC inlines a
// vector's delete it takes that free for a mismatch with operator new.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void *operator new(std::size_t size)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

using platform::Mixer;
using Command = Mixer::Command;
using Kind = Command::Kind;

namespace {

constexpr int Rate = 96000;
constexpr int Buffer = 480;
constexpr std::uint32_t Full = 0xFFFFFFFFu;

// A mixer at frame 0 and the stream it renders, one callback at a time, each
// on time unless told otherwise.
struct Bench
{
    Mixer mixer;
    std::vector<float> left; // the left channel of everything rendered
    platform::SteadyTime start = std::chrono::steady_clock::now();
    std::int64_t callbacks = 0;

    Bench() { mixer.reset(Rate, Buffer, 0, Full, start); }
    ~Bench()
    {
        mixer.clear();
        Mixer::Retired r;
        while (mixer.takeRetired(r))
            release(r);
    }
    Q_DISABLE_COPY_MOVE(Bench)

    static void release(const Mixer::Retired &r)
    {
        if (r.kind == Kind::Block)
            delete static_cast<const Mixer::Block *>(r.object);
        else if (r.kind == Kind::Play)
            delete static_cast<const platform::ContinuedTone *>(r.object);
        else if (r.kind == Kind::Tone)
            delete static_cast<const Mixer::Loop *>(r.object);
    }

    void render(int buffers, std::chrono::microseconds late = {})
    {
        float out[2 * Buffer];
        for (int i = 0; i < buffers; ++i) {
            std::fill(std::begin(out), std::end(out), 0.0f);
            const auto when = start + std::chrono::microseconds(callbacks * 5000) + late;
            mixer.render(out, Buffer, when);
            ++callbacks;
            for (int f = 0; f < Buffer; ++f)
                left.push_back(out[2 * f]);
        }
    }

    // A block of value, length frames, opening with lead frames at half.
    void block(std::int64_t frame, int length, float value, std::int64_t lead = 0, int slot = -1,
               std::uint32_t anchor = 0)
    {
        auto *b = new Mixer::Block;
        b->lead = lead;
        b->samples.assign(std::size_t(lead + length), value);
        for (std::int64_t k = 0; k < lead; ++k)
            b->samples[std::size_t(k)] = value / 2;
        Command c;
        c.kind = Kind::Block;
        c.frame = frame;
        c.slot = slot;
        c.anchor = anchor;
        c.word = Full;
        c.object = b;
        QVERIFY(mixer.post(c));
    }

    void play(std::int64_t frame, int length, float value, std::int64_t edge = 0,
              std::uint32_t word = Full)
    {
        auto *t = new platform::ContinuedTone(platform::ContinuedTone::continued(
            std::vector<float>(std::size_t(length), value), edge));
        Command c;
        c.kind = Kind::Play;
        c.frame = frame;
        c.edge = edge;
        c.word = word;
        c.object = t;
        QVERIFY(mixer.post(c));
    }

    // Stretches of sound: first frame and length.
    QVector<QPair<qsizetype, qsizetype>> runs() const
    {
        QVector<QPair<qsizetype, qsizetype>> r;
        for (qsizetype f = 0; f < qsizetype(left.size()); ++f) {
            if (left[std::size_t(f)] == 0)
                continue;
            if (!r.isEmpty() && r.back().first + r.back().second == f)
                ++r.back().second;
            else
                r.push_back({f, 1});
        }
        return r;
    }

    double largestStep() const
    {
        double s = 0;
        for (std::size_t f = 1; f < left.size(); ++f)
            s = std::max(s, double(std::abs(left[f] - left[f - 1])));
        return s;
    }
};

} // namespace

class TstMixer : public QObject
{
    Q_OBJECT

private slots:
    void blocksSoundAtTheirFrames();
    void lateBlockMovesItsWholeChain_data();
    void lateBlockMovesItsWholeChain();
    void withdrawTakesBackOnlyWhatHasNotBegun();
    void playsPileUpWithoutLoss();
    void latePlaysKeepTheirGaps();
    void volumeChangeGlidesIntoAPlay();
    void sidetoneFollowsTheGate();
    void lateKeyDownSoundsAtTheFirstFreeFrame();
    void underrunsAreCounted();
    void renderNeverAllocates();
    void lowTonesKeepTheirEdgesSmooth_data();
    void lowTonesKeepTheirEdgesSmooth();
};

void TstMixer::blocksSoundAtTheirFrames()
{
    Bench b;
    b.block(1000, 300, 0.25f);
    b.block(1300, 200, 0.5f); // back to back: no gap, no overlap
    b.block(5000, 100, 0.75f);
    b.render(20);
    const auto r = b.runs();
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0], qMakePair(qsizetype(1000), qsizetype(500)));
    QCOMPARE(b.left[1299], 0.25f);
    QCOMPARE(b.left[1300], 0.5f);
    QCOMPARE(r[1], qMakePair(qsizetype(5000), qsizetype(100)));
    QCOMPARE(b.mixer.stats.tones, 3);
    QCOMPARE(b.mixer.stats.lateTones, 0);
}

void TstMixer::lateBlockMovesItsWholeChain_data()
{
    QTest::addColumn<int>("nominal"); // the first block's nominal start
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("slip");
    // 4 buffers rendered: frame 1920 is the first free one.
    QTest::newRow("on time") << 3000 << 288 << 0;
    QTest::newRow("wholly late") << 1000 << 288 << 920 + 288;
    // Its nominal frame is still free, but its rise would open in frames
    // already played: it moves too, so the rise is whole.
    QTest::newRow("only its rise late") << 2000 << 288 << 208;
    QTest::newRow("raw edges, late") << 1500 << 0 << 420;
}

void TstMixer::lateBlockMovesItsWholeChain()
{
    QFETCH(int, nominal);
    QFETCH(int, lead);
    QFETCH(int, slip);
    Bench b;
    b.render(4);
    // A chain of three elements, the first one posted late.
    b.block(nominal, 2400, 0.5f, lead, 3, 7);
    b.block(nominal + 4800, 2400, 0.5f, lead, 3, 7);
    b.block(nominal + 9600, 7200, 0.5f, lead, 3, 7);
    b.render(60);
    QCOMPARE(b.mixer.slip(3, 7), std::int64_t(slip));
    QCOMPARE(b.mixer.slip(3, 8), std::int64_t(0)); // another chain
    const auto r = b.runs();
    QCOMPARE(r.size(), 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(r[i].first, qsizetype(nominal - lead + slip + 4800 * i));
    QCOMPARE(r[0].second, qsizetype(2400 + lead));
    QCOMPARE(r[2].second, qsizetype(7200 + lead));
    // Whole from its first sample: the rise was not cut.
    QCOMPARE(b.left[std::size_t(r[0].first)], lead > 0 ? 0.25f : 0.5f);
    QCOMPARE(b.mixer.stats.lateTones, slip > 0 ? 1 : 0);
}

void TstMixer::withdrawTakesBackOnlyWhatHasNotBegun()
{
    Bench b;
    b.block(1000, 2000, 0.5f, 0, 0, 1);
    b.block(4000, 2000, 0.5f, 0, 0, 1);
    b.block(8000, 2000, 0.5f, 0, 0, 1);
    b.render(4);                               // into the first
    QVERIFY(!b.mixer.withdraw(0, 1000, 4000)); // begun: stays
    b.render(4);                               // to 3840: the second not yet begun
    QVERIFY(b.mixer.withdraw(0, 8000, 10000));
    QVERIFY(b.mixer.withdraw(0, 20000, 30000)); // nothing there
    b.render(30);
    const auto r = b.runs();
    QCOMPARE(r.size(), 2);
    QCOMPARE(r[0], qMakePair(qsizetype(1000), qsizetype(2000)));
    QCOMPARE(r[1], qMakePair(qsizetype(4000), qsizetype(2000)));
    int handedBack = 0;
    Mixer::Retired gone;
    while (b.mixer.takeRetired(gone)) {
        Bench::release(gone);
        ++handedBack;
    }
    QCOMPARE(handedBack, 3);
}

void TstMixer::playsPileUpWithoutLoss()
{
    // Far more plays queued ahead than there were places for (16): every one
    // of them sounds, each whole, each where it was placed.
    Bench b;
    const int count = 40;
    for (int i = 0; i < count; ++i)
        b.play(1000 + 1000 * i, 300, 0.25f + 0.01f * float(i));
    b.render(100);
    const auto r = b.runs();
    QCOMPARE(r.size(), count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(r[i], qMakePair(qsizetype(1000 + 1000 * i), qsizetype(300)));
}

void TstMixer::latePlaysKeepTheirGaps()
{
    // The stream stalled while three plays waited: placed at frames already
    // played, they start at the first free one, 700 frames apart as placed,
    // none cut by the next or run into it.
    Bench b;
    b.render(4);
    for (int i = 0; i < 3; ++i)
        b.play(100 + 1000 * i, 300, 0.5f, 288);
    b.render(20);
    const auto r = b.runs();
    QCOMPARE(r.size(), 3);
    for (int i = 0; i < 3; ++i) {
        // The rise's first frame is the ramp's zero.
        QCOMPARE(r[i].first, qsizetype(1921 + 1000 * i));
        QCOMPARE(r[i].second, qsizetype(300 + 2 * 288 - 1));
    }
    QCOMPARE(b.mixer.stats.lateTones, 3);
}

void TstMixer::volumeChangeGlidesIntoAPlay()
{
    // From 10 % to 100 % at the frame a play's rise is half way up: the gain
    // glides, the signal never jumps.
    Bench b;
    const std::uint32_t tenth = 6553u | (6553u << 16);
    b.play(2000, 4800, 1.0f, 288, tenth);
    Command v;
    v.kind = Kind::Volume;
    v.frame = 2000;
    v.word = Full;
    QVERIFY(b.mixer.post(v));
    b.render(20);
    const double rampStep = M_PI / (4.0 * 288);
    QVERIFY2(b.largestStep() < 2 * rampStep,
             qPrintable(QStringLiteral("step %1").arg(b.largestStep())));
    QCOMPARE(b.left[4000], 1.0f); // and it gets there
    QCOMPARE(b.mixer.stats.volume, Full);
}

void TstMixer::sidetoneFollowsTheGate()
{
    Bench b;
    auto *loop = new Mixer::Loop;
    loop->samples.assign(96, 0.5f);
    Command tone;
    tone.kind = Kind::Tone;
    tone.word = Full;
    tone.object = loop;
    QVERIFY(b.mixer.post(tone));
    Command edge;
    edge.kind = Kind::Edge;
    edge.edge = 288;
    QVERIFY(b.mixer.post(edge));
    Command gate;
    gate.kind = Kind::Gate;
    for (const auto &[frame, down] : {std::pair{3000, true},
                                      {5400, false},
                                      {8000, true},
                                      {8100, true} /* a repeat: no new edge */,
                                      {9000, false}}) {
        gate.frame = frame;
        gate.flag = down;
        QVERIFY(b.mixer.post(gate));
    }
    b.render(30);
    // Half amplitude exactly on the key's frames, nothing beyond the edges.
    QCOMPARE(b.left[3000], 0.25f);
    QCOMPARE(b.left[5400], 0.25f);
    QCOMPARE(b.left[8000], 0.25f);
    QCOMPARE(b.left[9000], 0.25f);
    QCOMPARE(b.left[3000 - 289], 0.0f);
    QCOMPARE(b.left[5400 + 289], 0.0f);
    QCOMPARE(b.left[8500], 0.5f);
    QVERIFY(b.largestStep() < 2 * M_PI / (4.0 * 288) * 0.5);
    QCOMPARE(b.mixer.stats.keyDowns, 2);
}

void TstMixer::lateKeyDownSoundsAtTheFirstFreeFrame()
{
    Bench b;
    auto *loop = new Mixer::Loop;
    loop->samples.assign(96, 0.5f);
    QVERIFY(b.mixer.post({Kind::Tone, false, -1, 0, Full, 0, 0, loop, {}}));
    QVERIFY(b.mixer.post({Kind::Edge, false, -1, 0, 0, 0, 288, nullptr, {}}));
    b.render(10); // to 4800
    const auto event = b.start + std::chrono::milliseconds(40);
    QVERIFY(b.mixer.post({Kind::Gate, true, -1, 0, 0, 4000, 0, nullptr, event}));
    b.render(10);
    // The rise opens at the first free frame and is whole.
    QCOMPARE(b.left[4800], 0.0f); // the ramp's zero
    QVERIFY(b.left[4801] > 0 && b.left[4801] < 0.01f);
    QCOMPARE(b.left[4800 + 288], 0.25f);
    // Its latency: from the event to the half-amplitude frame's moment.
    QCOMPARE(b.mixer.stats.keyDowns, 1);
    QCOMPARE(qRound(b.mixer.stats.keyDownLatencyMs[0] * 1000), qRound((53.0 - 40.0) * 1000));
}

void TstMixer::underrunsAreCounted()
{
    Bench b;
    b.render(100);
    QCOMPARE(b.mixer.stats.underruns, 0);
    // The stream stalled for 91 ms and goes on from there: one underrun,
    // not one for every callback the clock takes to catch up with it.
    b.render(50, std::chrono::microseconds(91000));
    QCOMPARE(b.mixer.stats.underruns, 1);
}

void TstMixer::renderNeverAllocates()
{
    Bench b;
    auto *loop = new Mixer::Loop;
    loop->samples.assign(960, 0.3f);
    QVERIFY(b.mixer.post({Kind::Tone, false, -1, 0, Full, 0, 0, loop, {}}));
    QVERIFY(b.mixer.post({Kind::Edge, false, -1, 0, 0, 0, 288, nullptr, {}}));
    for (int i = 0; i < 30; ++i) {
        b.block(2000 + 3000 * i, 1000, 0.1f, 288, 1, 1);
        b.play(2500 + 3000 * i, 1000, 0.1f, 288);
        QVERIFY(b.mixer.post({Kind::Volume,
                              false,
                              -1,
                              0,
                              Full - std::uint32_t(i),
                              2700 + 3000 * i,
                              0,
                              nullptr,
                              {}}));
        QVERIFY(b.mixer.post({Kind::Gate, i % 2 == 0, -1, 0, 0, 2000 + 3000 * i, 0, nullptr, {}}));
    }
    b.left.reserve(b.left.size() + 250 * Buffer);
    allocations = 0;
    counting = true;
    b.render(250);
    counting = false;
    QCOMPARE(allocations.load(), 0);
    QVERIFY(b.mixer.stats.tones >= 60);
}

void TstMixer::lowTonesKeepTheirEdgesSmooth_data()
{
    QTest::addColumn<double>("hertz");
    QTest::addColumn<bool>("sawtooth");
    QTest::addColumn<int>("ms");
    // Tones shorter than a period and the search window: nothing repeats.
    QTest::newRow("20 Hz dot") << 20.0 << false << 25;
    QTest::newRow("30 Hz dot") << 30.0 << false << 25;
    QTest::newRow("20 Hz sawtooth dot") << 20.0 << true << 25;
    QTest::newRow("50 Hz dash") << 50.0 << false << 75;
    QTest::newRow("700 Hz dot") << 700.0 << false << 25;
}

void TstMixer::lowTonesKeepTheirEdgesSmooth()
{
    QFETCH(double, hertz);
    QFETCH(bool, sawtooth);
    QFETCH(int, ms);
    std::vector<float> tone(std::size_t(96 * ms));
    for (std::size_t i = 0; i < tone.size(); ++i) {
        const double phase = hertz * double(i) / Rate;
        tone[i] = sawtooth ? float(2 * (phase - std::floor(phase)) - 1)
                           : float(std::sin(2 * M_PI * phase));
    }
    const std::int64_t edge = platform::ContinuedTone::edgeFrames();
    const platform::RenderedBlock block = platform::ContinuedTone::continued(tone, edge).shaped();
    double own = 0; // the tone's own steepest step inside it
    for (std::size_t i = 1; i < tone.size(); ++i)
        own = std::max(own, double(std::abs(tone[i] - tone[i - 1])));
    double largest = 0;
    for (std::size_t i = 1; i < block.samples.size(); ++i)
        largest = std::max(largest, double(std::abs(block.samples[i] - block.samples[i - 1])));
    const double allowed = own * 1.05 + M_PI / (4.0 * double(edge));
    QVERIFY2(largest <= allowed, qPrintable(QStringLiteral("%1 > %2").arg(largest).arg(allowed)));
    // Half amplitude on the nominal start and end, as for any tone.
    QCOMPARE(block.start, edge);
    QCOMPARE(block.length, std::int64_t(tone.size()));
}

QTEST_GUILESS_MAIN(TstMixer)
#include "tst_mixer.moc"
