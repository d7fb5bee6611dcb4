// The cadence a keyer's sleeps and synchronous plays keep, on a virtual clock
// with no sound device: the rule the player chains tones by.

#include "platform/playsound.h"
#include "platform/sleep.h"
#include "platform/virtualclock.h"
#include "recording.h"

#include <QtTest>

using namespace std::chrono_literals;
using platform::Clock;

namespace {

// A 96000 Hz, 16-bit mono tone of ms milliseconds.
QByteArray tone(int ms)
{
    return waveImage(96000, 16, 1, QByteArray(2 * 96 * ms, '\x10'));
}

void playSync(const QByteArray &image)
{
    QVERIFY(
        platform::PlaySoundA(image.constData(), std::size_t(image.size()), platform::SND_MEMORY));
}

double ms(std::chrono::nanoseconds d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

class TstClock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cadence_data();
    void cadence();
    void plainSleepsCountFromTheirCall();
    void asynchronousPlayEndsTheChain();

private:
    std::unique_ptr<platform::VirtualClock> clock;
};

void TstClock::initTestCase()
{
    // No device: the cadence alone keeps the pace.
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

void TstClock::cadence_data()
{
    QTest::addColumn<int>("busyMs"); // what the caller spent between the sleep and the next play
    QTest::addColumn<bool>("chained");
    QTest::newRow("on time") << 0 << true;
    QTest::newRow("a repaint late") << 4 << true;
    QTest::newRow("at the slack") << int(Clock::Slack.count()) << true;
    QTest::newRow("past the slack") << int(Clock::Slack.count()) + 1 << false;
    QTest::newRow("paused") << 2000 << false;
}

void TstClock::cadence()
{
    QFETCH(int, busyMs);
    QFETCH(bool, chained);
    const auto start = clock->now();
    playSync(tone(50));
    QCOMPARE(ms(clock->now() - start), 50.0);
    platform::sleepMs(25);
    QCOMPARE(ms(clock->now() - start), 75.0);

    clock->advance(std::chrono::milliseconds(busyMs));
    const Clock::Cadence c = clock->cadence(clock->now());
    QCOMPARE(c.chained, chained);
    if (chained) {
        // The silence asked for, and where the rhythm stands, whatever the
        // caller did after waking.
        QCOMPARE(ms(c.silence), 25.0);
        QCOMPARE(ms(c.due - start), 75.0);
    }
    // A chained tone ends on the cadence, so the time spent is not added to
    // the rhythm; a late one counts from its call.
    playSync(tone(50));
    QCOMPARE(ms(clock->now() - start), chained ? 125.0 : 125.0 + busyMs);
    // The sleeps after it count from there, so the lateness never adds up.
    clock->advance(std::chrono::milliseconds(std::min<int>(busyMs, Clock::Slack.count())));
    platform::sleepMs(25);
    QCOMPARE(ms(clock->now() - start), chained ? 150.0 : 150.0 + busyMs);
}

void TstClock::plainSleepsCountFromTheirCall()
{
    // With no tone before, or long after one, a sleep lasts what it asks.
    const auto start = clock->now();
    platform::sleepMs(40);
    QCOMPARE(ms(clock->now() - start), 40.0);
    QVERIFY(!clock->cadence(clock->now()).chained);
    playSync(tone(10));
    clock->advance(1s);
    platform::sleepMs(40);
    QCOMPARE(ms(clock->now() - start), 40.0 + 10 + 1000 + 40);
    platform::sleepMs(0);
    platform::sleepMs(-5);
    QCOMPARE(ms(clock->now() - start), 1090.0);
}

void TstClock::asynchronousPlayEndsTheChain()
{
    playSync(tone(10));
    QVERIFY(clock->cadence(clock->now()).chained);
    const QByteArray t = tone(10);
    QVERIFY(platform::PlaySoundA(t.constData(), std::size_t(t.size()),
                                 platform::SND_MEMORY | platform::SND_ASYNC));
    QVERIFY(!clock->cadence(clock->now()).chained);
}

QTEST_GUILESS_MAIN(TstClock)
#include "tst_clock.moc"
