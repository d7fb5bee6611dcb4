#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Sound rendered ahead of time: mono float samples at the stream's rate (96000
// Hz), full scale at 1.0, shaped already (soft edges included), so the mixer
// only adds them, at the gains asked for, into the stream.
//
// start is the offset in samples of the block's nominal start, the frame its
// timing counts from (for keyed Morse, the half-amplitude point of its first
// element's rise: samples before it hold that rise). length is the nominal
// length from start, where a gap after the block counts from (the half-
// amplitude point of the last element's fall, or later to include a closing
// silence); samples may run on past it (the fall). Both are in samples; start
// may be 0 and length may be shorter or longer than what the samples hold.
struct RenderedBlock
{
    std::vector<float> samples;
    std::int64_t start = 0;
    std::int64_t length = 0;
};

} // namespace platform
