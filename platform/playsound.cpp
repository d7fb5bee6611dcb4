#include "platform/playsound.h"

#include "platform/keyingscope.h"
#include "platform/sounddevice.h"

namespace platform {

namespace {
SoundObserver &observer()
{
    static SoundObserver o;
    return o;
}
} // namespace

void setSoundObserver(SoundObserver o)
{
    observer() = std::move(o);
}

void reportSound(const SoundCall &call)
{
    if (observer())
        observer()(call);
}

bool PlaySoundA(const void *image, std::size_t size, unsigned flags)
{
    if (image == nullptr) {
        reportSound({SoundCall::Kind::Stop, nullptr, 0, flags, 0, 0});
        SoundDevice::instance().stop();
        return true;
    }
    // A keying sequence reports what it placed itself, with where it went.
    if ((flags & SND_ASYNC) == 0 && KeyingScope::current() != nullptr)
        return SoundDevice::instance().play(image, size, flags);
    reportSound({SoundCall::Kind::Play, image, size, flags, 0, 0});
    return SoundDevice::instance().play(image, size, flags);
}

unsigned waveOutSetVolume(unsigned device, std::uint32_t volume)
{
    reportSound({SoundCall::Kind::Volume, nullptr, 0, 0, device, volume});
    if (device == 0)
        SoundDevice::instance().setVolume(volume);
    return 0;
}

} // namespace platform
