#pragma once

#include "sound/tgerasom.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The samples of the synthesizer's tones, without an image or a player: what
// TGeraSom puts after its header, and what the standard-timing keyer cuts
// its marks from. Filling a buffer stops no sound, so a keyer can render
// ahead while another block plays.
namespace ToneWave {

// Bytes per sample of a resolution: 2 or 1.
int BytesPerSample(TTGResolution resolution);

// Sample rate of a quality: 96000 or 44100 Hz.
int Rate(TTGQuality quality);

// Writes dataLength bytes of a tone (little-endian signed 16-bit or offset
// 8-bit samples) from its first period on; an odd 16-bit length writes one
// byte more. frequency is in Hz, 20 to 20000
// as the generator clamps it; a waveform of tgNoise or more is noise.
void Fill(TTGWave wave, std::int16_t frequency, TTGResolution resolution, TTGQuality quality,
          std::uint8_t *data, std::uint32_t dataLength);

// The first count samples of a 16-bit tone at 96000 Hz, as values.
std::vector<std::int16_t> Samples(TTGWave wave, std::int16_t frequency, std::size_t count);

} // namespace ToneWave
