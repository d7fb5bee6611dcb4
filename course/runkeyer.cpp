#include "course/runkeyer.h"

#include "morse/morsetext.h"
#include "platform/keyingsequence.h"

#include <algorithm>
#include <cmath>

namespace course {

static_assert(MorseRenderer::Rate == platform::KeyingSequence::Rate,
              "blocks are placed in the stream at the rate they are rendered");

MorseRenderer RunKeyer::renderer(const RunSpec &spec)
{
    return MorseRenderer(MorseTiming(spec.charWpm, spec.effectiveWpm, spec.extraWordGapSeconds),
                         spec.hertz, spec.waveform, spec.softEdges);
}

std::uint32_t RunKeyer::volumeWord(const RunSpec &spec)
{
    // As the main window's generator sets its own.
    const auto gain = [](int volume) {
        return std::uint32_t(std::clamp(volume, 0, 100)) * 0xFFFFu / 100;
    };
    return gain(spec.leftVolume) | gain(spec.rightVolume) << 16;
}

RunKeyer::RunKeyer(const RunSpec &spec)
    : mRenderer(renderer(spec)), mTone(spec.hertz, spec.waveform, spec.softEdges)
{
}

std::optional<RunKeyer::Group> RunKeyer::add(const QString &group)
{
    const QString word = group.trimmed();
    if (word.isEmpty())
        return std::nullopt;
    const QString text = mText.isEmpty() ? word : mText + QLatin1Char(' ') + word;
    // The whole run keyed again: a group's frames count from the run's first
    // mark, rounded as the export rounds them. A run is a few thousand
    // characters at most.
    const MorseText parsed = MorseText::parse(text);
    if (!parsed.ok())
        return std::nullopt;
    const MorseKeying keying = mRenderer.keying(parsed);
    const auto &characters = keying.characters();
    if (qsizetype(characters.size()) <= mSymbols)
        return std::nullopt;
    const auto first = std::size_t(characters[std::size_t(mSymbols)].firstElement);
    std::vector<ToneRenderer::Mark> marks;
    for (std::size_t e = first; e < keying.elements().size(); ++e)
        marks.push_back({keying.elements()[e].start, keying.elements()[e].end});
    if (marks.empty())
        return std::nullopt;
    const std::int64_t start = marks.front().start;
    const std::int64_t end = marks.back().end;
    const std::int64_t edge = mTone.edgeFrames();

    std::vector<std::int16_t> samples(std::size_t(end - start + 2 * edge));
    mTone.render(marks, start - edge, samples);
    Group g;
    g.block.samples.reserve(samples.size());
    for (const std::int16_t s : samples)
        g.block.samples.push_back(float(s) / 32768.0f);
    g.block.start = edge;
    g.block.length = end - start;
    g.gap = mText.isEmpty()
                ? std::llround(mRenderer.timing().wordGapSeconds() * MorseRenderer::Rate)
                : start - mEnd;
    mText = text;
    mSymbols = parsed.symbols().size();
    mEnd = end;
    return g;
}

} // namespace course
