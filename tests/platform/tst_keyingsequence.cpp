// A keying sequence on a virtual clock with no sound device: where spans go,
// how waits move the clock and run actions, what withdrawing takes back, and
// blocks rendered ahead appended with their gaps.

#include "morse/letras.h"
#include "platform/continuedtone.h"
#include "platform/keyingscope.h"
#include "platform/playsound.h"
#include "platform/sounddevice.h"
#include "platform/virtualclock.h"
#include "sound/tgerasom.h"

#include <QtTest>

using namespace std::chrono_literals;
using platform::KeyingSequence;

namespace {

constexpr std::int64_t PerMs = KeyingSequence::Rate / 1000;
const std::int64_t Latency = std::int64_t(platform::SoundDevice::Latency.count()) * PerMs;

double ms(std::chrono::nanoseconds d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

platform::RenderedBlock block(std::int64_t length, std::int64_t lead = 0)
{
    platform::RenderedBlock b;
    b.samples.assign(std::size_t(length + 2 * lead), 0.5f);
    b.start = lead;
    b.length = length;
    return b;
}

} // namespace

class TstKeyingSequence : public QObject
{
    Q_OBJECT

    std::unique_ptr<platform::VirtualClock> clock;
    std::unique_ptr<TGeraSom> g;

    KeyingSequence::Span key(KeyingSequence &s, void (*keyer)(int, TGeraSom *), int tag = 0)
    {
        platform::KeyingScope scope(s, tag);
        keyer(5, g.get());
        return scope.span();
    }

private slots:
    void initTestCase() { qputenv("SDL_AUDIODRIVER", "zirvano-none"); }
    void init()
    {
        clock = std::make_unique<platform::VirtualClock>();
        g = std::make_unique<TGeraSom>();
        g->SetAsync(false);
    }
    void cleanup()
    {
        g.reset();
        clock.reset();
    }

    void spansFollowEachOther_data()
    {
        QTest::addColumn<int>("laterMs"); // when the second character is keyed
        QTest::addColumn<bool>("chained");
        // E lasts 150 ms with its closing silence, from the latency on.
        QTest::newRow("while the first sounds") << 100 << true;
        QTest::newRow("just in time") << 150 << true;
        QTest::newRow("a pause the learner made") << 400 << false;
    }
    void spansFollowEachOther()
    {
        QFETCH(int, laterMs);
        QFETCH(bool, chained);
        KeyingSequence s;
        const auto t0 = clock->now();
        const KeyingSequence::Span e = key(s, Letras::Letra_E);
        QCOMPARE(e.start - s.position(), Latency);
        QCOMPARE(e.end - e.start, 150 * PerMs);
        QCOMPARE(e.first, e.start - platform::ContinuedTone::edgeFrames());
        clock->advance(std::chrono::milliseconds(laterMs));
        const KeyingSequence::Span t = key(s, Letras::Letra_T);
        if (chained)
            QCOMPARE(t.start, e.end);
        else
            QVERIFY(qAbs(ms(s.timeOf(t.start) - t0) - (laterMs + 30)) < 1e-3);
        QCOMPARE(s.end(), t.end);
    }

    void waitsMoveTheClockAndRunActions()
    {
        KeyingSequence s;
        const KeyingSequence::Span e = key(s, Letras::Letra_E);
        QStringList ran;
        s.at(e.start + 10 * PerMs, [&] { ran << QStringLiteral("second"); });
        s.at(e.start, [&] { ran << QStringLiteral("first"); });
        s.at(e.end + 1000 * PerMs, [&] { ran << QStringLiteral("late"); });
        QVERIFY(!s.begun(e));
        QVERIFY(s.waitForStart(e));
        QVERIFY(s.begun(e));
        QCOMPARE(s.position(), e.start);
        QCOMPARE(ran, QStringList{QStringLiteral("first")});
        QVERIFY(s.waitUntilIdle());
        QCOMPARE(s.position(), e.end);
        QCOMPARE(ran, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        QVERIFY(s.idle());
        // A wait told to stop returns at once, the clock where it was.
        const auto now = clock->now();
        QVERIFY(!s.waitUntil(e.end + 500 * PerMs, [] { return true; }));
        QCOMPARE(clock->now(), now);
    }

    void withdrawTakesBackWhatHasNotBegun()
    {
        KeyingSequence s;
        const KeyingSequence::Span e = key(s, Letras::Letra_E);
        const KeyingSequence::Span t = key(s, Letras::Letra_T, 1);
        const KeyingSequence::Span a = key(s, Letras::Letra_A);
        bool shown = false;
        s.at(s.startOf(t), [&] { shown = true; });
        QVERIFY(s.waitForStart(e));
        // Only the spans of tag 1: E sounds, A stays where it was.
        QCOMPARE(s.withdraw(1), 1);
        QVERIFY(s.withdrawn(t));
        QVERIFY(!s.withdrawn(a));
        QCOMPARE(s.end(), a.end);
        // Everything not begun: A goes, E (sounding) stays; the sequence goes
        // on from E's end.
        QCOMPARE(s.withdraw(), 1);
        QVERIFY(s.withdrawn(a) && !s.withdrawn(e));
        QCOMPARE(s.end(), e.end);
        QVERIFY(!s.waitForStart(t));
        QVERIFY(s.waitUntilIdle());
        QVERIFY(!shown);
        QCOMPARE(s.position(), e.end);
        // The next one takes the place of the first one taken back.
        const KeyingSequence::Span again = key(s, Letras::Letra_N);
        QVERIFY(again.start >= e.end);
    }

    void blocksKeepTheirGaps()
    {
        // A course's groups, rendered ahead, with the long gaps between
        // them: each where the gap says, the whole in no time.
        KeyingSequence s;
        const auto t0 = clock->now();
        const KeyingSequence::Span one = s.append(block(9600, 288), 0, 0x80008000u);
        const KeyingSequence::Span two = s.append(block(4800, 288), 2000 * PerMs);
        const KeyingSequence::Span three = s.append(block(100), 1500 * PerMs);
        QCOMPARE(one.end - one.start, 9600);
        QCOMPARE(one.first, one.start - 288);
        QCOMPARE(two.start, one.end + 2000 * PerMs);
        QCOMPARE(three.start, two.end + 1500 * PerMs);
        QVERIFY(qAbs(ms(s.timeOf(three.end) - s.timeOf(one.start)) -
                     (100.0 + 2000 + 50 + 1500 + 100.0 / 96)) < 1e-3);
        QVERIFY(s.waitForStart(two));
        QCOMPARE(s.timeOf(s.position()), clock->now());
        // The learner stops: what has not begun goes.
        QCOMPARE(s.withdraw(), 1);
        QVERIFY(s.withdrawn(three));
        QVERIFY(s.waitUntilIdle());
        QVERIFY(qAbs(ms(clock->now() - t0) - (30 + 100.0 + 2000 + 50)) < 1e-3);
    }

    void endingProgramStopsEveryWait()
    {
        KeyingSequence s;
        const KeyingSequence::Span e = key(s, Letras::Letra_E);
        KeyingSequence::abortWaits();
        const auto now = clock->now();
        QVERIFY(!s.waitForStart(e));
        QVERIFY(!s.waitUntilIdle());
        QCOMPARE(clock->now(), now);
    }
};

QTEST_GUILESS_MAIN(TstKeyingSequence)
#include "tst_keyingsequence.moc"
