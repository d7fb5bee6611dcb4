#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// The two calls of the multimedia service the tone generator is written
// against, over the process-wide SoundDevice.
namespace platform {

inline constexpr unsigned SND_SYNC = 0x0000;
inline constexpr unsigned SND_ASYNC = 0x0001;
inline constexpr unsigned SND_MEMORY = 0x0004;
inline constexpr unsigned SND_LOOP = 0x0008;

// Plays the RIFF/WAVE image of size bytes at image: synchronously (returns when
// the tone is over), asynchronously (SND_ASYNC) or looping (SND_ASYNC |
// SND_LOOP). A null image stops every sound of the process. Returns false when
// the image is not playable; then nothing sounds.
bool PlaySoundA(const void *image, std::size_t size, unsigned flags);

// Sets the output volume: left in the low 16 bits, right in the high 16 bits.
// Only device 0 exists. Returns 0 (no error) as the original service would.
unsigned waveOutSetVolume(unsigned device, std::uint32_t volume);

// What a call asked for, reported to an observer before the device acts on it.
// Tests use this to record the road of a sound without listening to it.
struct SoundCall
{
    enum class Kind
    {
        Play,
        Stop,
        Volume
    };
    Kind kind;
    const void *image = nullptr; // Play: the caller's image (valid during the call only)
    std::size_t size = 0;        // Play: its size in bytes
    unsigned flags = 0;          // Play and Stop
    unsigned device = 0;         // Volume
    std::uint32_t volume = 0;    // Volume: the word as passed
};
using SoundObserver = std::function<void(const SoundCall &)>;

// Installs (or, with an empty function, removes) the observer. UI thread only.
void setSoundObserver(SoundObserver observer);

} // namespace platform
