#include "platform/playsound.h"

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

bool PlaySoundA(const void *image, std::size_t size, unsigned flags)
{
    if (image == nullptr) {
        if (observer())
            observer()({SoundCall::Kind::Stop, nullptr, 0, flags, 0, 0});
        SoundDevice::instance().stop();
        return true;
    }
    if (observer())
        observer()({SoundCall::Kind::Play, image, size, flags, 0, 0});
    return SoundDevice::instance().play(image, size, flags);
}

unsigned waveOutSetVolume(unsigned device, std::uint32_t volume)
{
    if (observer())
        observer()({SoundCall::Kind::Volume, nullptr, 0, 0, device, volume});
    if (device == 0)
        SoundDevice::instance().setVolume(volume);
    return 0;
}

} // namespace platform
