#include "sound/tonerenderer.h"

#include "platform/sounddevice.h"
#include "sound/tonewave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

ToneRenderer::ToneRenderer(int frequency, TTGWave waveform, bool softEdges)
    : mFrequency(std::clamp(frequency, 20, 20000)), mWaveform(waveform),
      mEdge(softEdges ? platform::SoundDevice::softEdgeFrames(Rate) : 0)
{
    // The player's ramp: a raised cosine over 2 edge + 1 frames, 0.5 in the middle.
    mRamp.resize(std::size_t(2 * mEdge + 1));
    for (std::int64_t k = 0; k <= 2 * mEdge; ++k)
        mRamp[std::size_t(k)] =
            mEdge > 0 ? 0.5 - 0.5 * std::cos(std::numbers::pi * double(k) / double(2 * mEdge))
                      : 1.0;
}

double ToneRenderer::rise(std::int64_t x) const
{
    if (x < -mEdge)
        return 0;
    if (x >= mEdge)
        return 1;
    return mRamp[std::size_t(x + mEdge)];
}

const std::vector<std::int16_t> &ToneRenderer::carrier(std::int64_t length)
{
    if (std::int64_t(mCarrier.size()) < length) {
        // Whole seconds at a time: a text's longest mark is known after a few.
        const std::int64_t seconds = (length + Rate - 1) / Rate;
        mCarrier = ToneWave::Samples(mWaveform, static_cast<std::int16_t>(mFrequency),
                                     std::size_t(seconds * Rate));
    }
    return mCarrier;
}

void ToneRenderer::render(const std::vector<Mark> &marks, std::int64_t from,
                          std::span<std::int16_t> out)
{
    const auto count = std::int64_t(out.size());
    const std::int64_t to = from + count;
    // Sums, so that slopes that meet (gaps shorter than a whole edge) add up
    // as in the player's mixer; each frame is rounded once.
    std::vector<double> sum(out.size(), 0.0);
    auto m = std::partition_point(marks.begin(), marks.end(),
                                  [&](const Mark &k) { return k.end + mEdge <= from; });
    for (; m != marks.end() && m->start - mEdge < to; ++m) {
        if (m->end <= m->start)
            continue;
        const std::int64_t first = m->start - mEdge;
        const std::vector<std::int16_t> &wave = carrier(m->end + mEdge - first);
        const std::int64_t a = std::max(from, first);
        const std::int64_t b = std::min(to, m->end + mEdge);
        for (std::int64_t n = a; n < b; ++n) {
            const double gain = rise(n - m->start) * (1 - rise(n - m->end));
            sum[std::size_t(n - from)] += gain * wave[std::size_t(n - first)];
        }
    }
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(
            std::clamp<std::int64_t>(std::llround(sum[i]), -32768, 32767));
}
