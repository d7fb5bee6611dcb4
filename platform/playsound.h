#pragma once

#include "platform/clock.h"

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
// the image is not playable; then nothing sounds. Inside a KeyingScope a
// synchronous play is placed in the scope's sequence and returns at once.
bool PlaySoundA(const void *image, std::size_t size, unsigned flags);

// Sets the output volume: left in the low 16 bits, right in the high 16 bits.
// Only device 0 exists. Returns 0 (no error) as the original service would.
unsigned waveOutSetVolume(unsigned device, std::uint32_t volume);

// What a call asked for, reported to an observer before the device acts on it;
// and what a keying sequence placed or took back, reported as it does so.
// Tests use this to record the road of a sound without listening to it.
struct SoundCall
{
    enum class Kind
    {
        Play, // a play, or an element or block a sequence placed
        Stop,
        Volume,
        Withdraw // a sequence took back what it had placed at frames [frame, frame + frames)
    };
    Kind kind;
    const void *image = nullptr; // Play: the caller's image (valid during the call only)
    std::size_t size = 0;        // Play: its size in bytes
    unsigned flags = 0;          // Play and Stop
    unsigned device = 0;         // Volume
    std::uint32_t volume = 0;    // Volume: the word as passed; a sequence's Play: its gains
    // Placed by a sequence: the stream frame of its nominal start, its
    // nominal length in frames (SoundDevice::Rate a second), and the moment
    // it is heard on the clock in use; frame is -1 for a plain play.
    std::int64_t frame = -1;
    std::int64_t frames = 0;
    SteadyTime heard{};
};
using SoundObserver = std::function<void(const SoundCall &)>;

// Installs (or, with an empty function, removes) the observer. UI thread only.
void setSoundObserver(SoundObserver observer);

// Hands call to the observer, if one is installed: for the sound layer's own
// reports.
void reportSound(const SoundCall &call);

} // namespace platform
