#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The process-wide audio output. PLACEHOLDER: keeps the pace of synchronous
// plays without sound until the SDL device lands.
class SoundDevice
{
public:
    static SoundDevice &instance();

    // See PlaySoundA: flags SND_ASYNC / SND_LOOP; returns false for an image it
    // cannot play.
    bool play(const void *image, std::size_t size, unsigned flags);
    void stop();
    void setVolume(std::uint32_t word);

private:
    SoundDevice() = default;
};

} // namespace platform
