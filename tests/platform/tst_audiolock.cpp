// What the calling side does while it holds the audio thread's lock, and
// around its own: SDL's lock calls and the mutex calls are intercepted here,
// so the test sees every time the sound path takes the audio lock, what it
// allocates meanwhile, and what happens to a call held up at the device's own
// lock while another goes through.

#include "platform/keyingscope.h"
#include "platform/playsound.h"
#include "platform/sidetone.h"
#include "platform/sleep.h"
#include "platform/sounddevice.h"
#include "recording.h"

#include <QtTest>
#include <SDL.h>
#include <atomic>
#include <dlfcn.h>
#include <new>
#include <pthread.h>
#include <thread>

namespace {

thread_local int lockDepth = 0;
thread_local bool holdInLock = false; // this thread's next wait for the device's lock waits longer
const void *deviceLock = nullptr;
std::atomic<int> locks{0};
std::atomic<int> allocationsUnderLock{0};
std::atomic<bool> heldInLock{false};
std::atomic<bool> mayGoOn{false};

template <typename F> F real(const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool waitFor(const std::atomic<bool> &flag, int ms)
{
    for (int i = 0; i < ms && !flag.load(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return flag.load();
}

} // namespace

extern "C" void SDL_LockAudioDevice(SDL_AudioDeviceID dev)
{
    static const auto lock = real<void (*)(SDL_AudioDeviceID)>("SDL_LockAudioDevice");
    ++locks;
    lock(dev);
    ++lockDepth;
}

// The device's own lock is the first thing it holds (a SoundDevice begins
// with its mutex).
extern "C" int pthread_mutex_lock(pthread_mutex_t *mutex)
{
    static const auto lock = real<int (*)(pthread_mutex_t *)>("pthread_mutex_lock");
    if (holdInLock && static_cast<const void *>(mutex) == deviceLock) {
        holdInLock = false;
        heldInLock = true;
        waitFor(mayGoOn, 2000);
    }
    return lock(mutex);
}

extern "C" void SDL_UnlockAudioDevice(SDL_AudioDeviceID dev)
{
    static const auto unlock = real<void (*)(SDL_AudioDeviceID)>("SDL_UnlockAudioDevice");
    --lockDepth;
    unlock(dev);
}

void *operator new(std::size_t size)
{
    if (lockDepth > 0)
        ++allocationsUnderLock;
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

using platform::SoundDevice;

namespace {

QByteArray flat(int frames, int value)
{
    QByteArray data;
    for (int i = 0; i < frames; ++i)
        data.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
    return waveImage(96000, 16, 1, data);
}

bool play(const QByteArray &image, unsigned flags)
{
    return SoundDevice::instance().play(image.constData(), std::size_t(image.size()), flags);
}

} // namespace

class TstAudioLock : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase() { SoundDevice::instance().shutdown(); }

    void nothingAllocatedUnderTheLock()
    {
        useDriver("dummy");
        SoundDevice &device = SoundDevice::instance();
        allocationsUnderLock = 0;
        locks = 0;
        for (int i = 0; i < 20; ++i) {
            play(flat(960, 1000 + i), platform::SND_ASYNC);
            play(flat(480, 2000), platform::SND_ASYNC | platform::SND_LOOP);
            device.setVolume(0xFFFF0000u + std::uint32_t(i));
            device.stop();
            play(flat(96, 500), platform::SND_SYNC);
        }
        platform::KeyingSequence sequence;
        for (int i = 0; i < 20; ++i) {
            platform::KeyingScope scope(sequence);
            play(flat(960, 3000), platform::SND_SYNC);
            platform::sleepMs(10);
        }
        QVERIFY(sequence.withdraw() > 0);
        platform::Sidetone sidetone;
        QVERIFY(sidetone.setTone(flat(9600, 4000).constData(), std::size_t(flat(9600, 4000).size()),
                                 0xFFFFFFFFu));
        sidetone.keyDown(std::chrono::steady_clock::now());
        sidetone.keyUp(std::chrono::steady_clock::now());
        QVERIFY(device.stats().open);
        device.resetStats();
        QVERIFY(locks.load() > 0); // the lock was taken, and seen
        QCOMPARE(allocationsUnderLock.load(), 0);
    }

    void volumeReportsTheWordInForce()
    {
        // A change held up on its way (the lock it waits for), while another
        // thread's change goes through: the word reported afterwards is the
        // one the stream plays with.
        Recording rec;
        SoundDevice &device = SoundDevice::instance();
        deviceLock = &device;
        play(flat(96, 0), platform::SND_ASYNC); // opens the device
        heldInLock = false;
        mayGoOn = false;
        std::thread first([&] {
            holdInLock = true;
            device.setVolume(0x40004000u);
            holdInLock = false;
        });
        waitFor(heldInLock, 200);
        std::thread second([&] { device.setVolume(0x20002000u); });
        second.join();
        mayGoOn = true;
        first.join();
        deviceLock = nullptr;
        const std::uint32_t reported = device.volume();
        QVERIFY(play(flat(960, 16384), platform::SND_SYNC));
        const QVector<float> s = rec.take();
        float level = 0;
        for (qsizetype f = 0; 2 * f < s.size(); ++f)
            level = std::max(level, s[2 * f]);
        QCOMPARE(level, 0.5f * float(reported & 0xFFFFu) / 65535.0f);
    }
};

QTEST_GUILESS_MAIN(TstAudioLock)
#include "tst_audiolock.moc"
