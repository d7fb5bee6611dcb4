#include "morse/morserenderer.h"

#include "morse/morsetext.h"
#include "sound/wavefile.h"

MorseRenderer::MorseRenderer(const MorseTiming &timing, int frequency, TTGWave waveform,
                             bool softEdges)
    : mTiming(timing), mTone(frequency, waveform, softEdges)
{
}

MorseKeying MorseRenderer::keying(const MorseText &text) const
{
    return MorseKeying(text, mTiming, Rate);
}

std::int64_t MorseRenderer::frames(const MorseKeying &keying) const
{
    return keying.elements().empty() ? 0 : keying.length() + 2 * mTone.edgeFrames();
}

std::vector<ToneRenderer::Mark> MorseRenderer::marks(const MorseKeying &keying)
{
    std::vector<ToneRenderer::Mark> marks;
    marks.reserve(keying.elements().size());
    for (const MorseKeying::Element &e : keying.elements())
        marks.push_back({e.start, e.end});
    return marks;
}

MorseRenderer::Block MorseRenderer::render(const MorseText &text)
{
    Block block;
    block.keying = keying(text);
    if (block.keying.elements().empty())
        return block;
    block.firstMark = mTone.edgeFrames();
    block.length = block.keying.length();
    block.keying.shift(block.firstMark);
    block.samples.resize(std::size_t(frames(block.keying)));
    mTone.render(marks(block.keying), 0, block.samples);
    return block;
}

bool MorseRenderer::writeWave(const MorseText &text, const QString &path, QString *error)
{
    if (!text.ok()) {
        if (error)
            *error = text.errorMessage();
        return false;
    }
    MorseKeying k = keying(text);
    k.shift(mTone.edgeFrames());
    const std::vector<ToneRenderer::Mark> m = marks(k);
    return WaveFile::Write(
        path, frames(k),
        [this, &m](std::int64_t from, std::span<std::int16_t> out) { mTone.render(m, from, out); },
        error);
}
