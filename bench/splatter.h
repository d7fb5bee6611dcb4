#pragma once

#include <vector>

// Key clicks as a receiver hears them: the share of a keyed signal's power
// that lies farther from its carrier than a narrow CW filter's half width.
namespace splatter {

// The power of one channel of samples (stereo frames at rate) more than
// halfWidth Hz from carrier, against the whole, in dB; 0 for silence.
double outsideDb(const std::vector<float> &stereo, int rate, double carrier, double halfWidth);

} // namespace splatter
