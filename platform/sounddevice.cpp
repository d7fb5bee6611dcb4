#include "platform/sounddevice.h"

#include "platform/playsound.h"
#include "platform/sleep.h"

#include <cstring>

namespace platform {

SoundDevice &SoundDevice::instance()
{
    static SoundDevice d;
    return d;
}

bool SoundDevice::play(const void *image, std::size_t size, unsigned flags)
{
    if (size < 44)
        return false;
    const auto *b = static_cast<const unsigned char *>(image);
    auto u32 = [b](int o) { std::uint32_t v; std::memcpy(&v, b + o, 4); return v; };
    const std::uint32_t byteRate = u32(28);
    const std::uint32_t dataLen = u32(40);
    if (byteRate == 0 || dataLen > size - 44)
        return false;
    if ((flags & SND_ASYNC) == 0)
        sleepMs(static_cast<int>(std::uint64_t(dataLen) * 1000 / byteRate));
    return true;
}

void SoundDevice::stop() {}

void SoundDevice::setVolume(std::uint32_t) {}

} // namespace platform
