// The clock as a plain source of time, on a virtual clock with no sound
// device: sleeps and synchronous plays last what they ask, and a keyer's
// cadence belongs to its keying sequence, which nothing else moves.

#include "morse/letras.h"
#include "platform/keyingscope.h"
#include "platform/playsound.h"
#include "platform/sleep.h"
#include "platform/virtualclock.h"
#include "recording.h"
#include "sound/tgerasom.h"

#include <QtTest>
#include <thread>

using namespace std::chrono_literals;

namespace {

// A 96000 Hz, 16-bit mono tone of ms milliseconds.
QByteArray tone(int ms)
{
    return waveImage(96000, 16, 1, QByteArray(2 * 96 * ms, '\x10'));
}

double ms(std::chrono::nanoseconds d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The nominal start of every element a sequence placed, in order.
struct Placed
{
    QVector<std::int64_t> frames;
    Placed()
    {
        platform::setSoundObserver([this](const platform::SoundCall &c) {
            if (c.kind == platform::SoundCall::Kind::Play && c.frame >= 0)
                frames << c.frame;
        });
    }
    ~Placed() { platform::setSoundObserver({}); }
    Q_DISABLE_COPY_MOVE(Placed)
};

} // namespace

class TstClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sleepsAndPlaysLastWhatTheyAsk();
    void insideAScopeNothingWaits();
    void nothingElseMovesASequencesCadence();

private:
    std::unique_ptr<platform::VirtualClock> clock;
};

void TstClock::initTestCase()
{
    // No device: the clock alone keeps the pace.
    qputenv("SDL_AUDIODRIVER", "zirvano-none");
}

void TstClock::init()
{
    clock = std::make_unique<platform::VirtualClock>();
}

void TstClock::cleanup()
{
    clock.reset();
}

void TstClock::sleepsAndPlaysLastWhatTheyAsk()
{
    const auto start = clock->now();
    platform::sleepMs(40);
    QCOMPARE(ms(clock->now() - start), 40.0);
    const QByteArray t = tone(10);
    QVERIFY(platform::PlaySoundA(t.constData(), std::size_t(t.size()), platform::SND_MEMORY));
    QCOMPARE(ms(clock->now() - start), 50.0);
    // However late the next sleep comes, it counts from its own call.
    clock->advance(7ms);
    platform::sleepMs(25);
    QCOMPARE(ms(clock->now() - start), 82.0);
    platform::sleepMs(0);
    platform::sleepMs(-5);
    QCOMPARE(ms(clock->now() - start), 82.0);
}

void TstClock::insideAScopeNothingWaits()
{
    platform::KeyingSequence sequence;
    TGeraSom g;
    g.SetAsync(false);
    const auto start = clock->now();
    platform::KeyingSequence::Span a;
    {
        platform::KeyingScope scope(sequence);
        Letras::Letra_A(5, &g); // 25 + 25 + 75 + 125 ms
        a = scope.span();
    }
    QCOMPARE(clock->now(), start);
    QCOMPARE(a.end - a.start, std::int64_t(250 * 96));
    QVERIFY(sequence.waitUntil(a.end));
    QCOMPARE(ms(sequence.timeOf(a.end) - sequence.timeOf(a.start)), 250.0);
}

void TstClock::nothingElseMovesASequencesCadence()
{
    // Two keyers and a thread that sleeps: each sequence keeps its own rhythm,
    // to the frame, whatever the others do meanwhile.
    platform::KeyingSequence first;
    platform::KeyingSequence second;
    TGeraSom g;
    g.SetAsync(false);
    Placed placed;
    {
        platform::KeyingScope scope(first);
        Letras::Letra_E(5, &g);
    }
    {
        platform::KeyingScope scope(second);
        Letras::Letra_T(5, &g);
    }
    std::thread([] { platform::sleepMs(30); }).join();
    platform::sleepMs(10);
    {
        platform::KeyingScope scope(first);
        Letras::Letra_E(5, &g);
    }
    QCOMPARE(placed.frames.size(), 3);
    // E, its closing silence, E again: 25 + 125 ms.
    QCOMPARE(placed.frames[2] - placed.frames[0], std::int64_t(150 * 96));
}

QTEST_GUILESS_MAIN(TstClock)
#include "tst_clock.moc"
