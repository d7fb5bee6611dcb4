#include "recognition/sequenceplayer.h"

#include "app/bordassuaves.h"
#include "morse/morserenderer.h"
#include "morse/morsetext.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"

#include <algorithm>

namespace recognition {
namespace {

constexpr std::int64_t FramesPerMs = platform::KeyingSequence::Rate / 1000;

std::uint32_t Gain(int percent)
{
    return std::uint32_t(std::clamp(percent, 0, 100) * 0xFFFF / 100);
}

} // namespace

SequencePlayer::SequencePlayer(const AjustesPrincipais *main, QObject *parent)
    : RecognitionPlayer(parent), main(main), stream(this)
{
}

SequencePlayer::~SequencePlayer() = default;

MorseRenderer SequencePlayer::renderer(double wpm) const
{
    int hertz = 800;
    TTGWave waveform = tgSine;
    if (main) {
        hertz = main->Frequencia();
        if (const TGeraSom *generator = main->Gerador())
            waveform = generator->Waveform();
    }
    return MorseRenderer(MorseTiming(wpm, wpm), hertz, waveform, BordasSuaves::Le());
}

std::uint32_t SequencePlayer::volumeWord() const
{
    if (!main)
        return 0xFFFFFFFFu;
    return Gain(main->VolumeEsquerdo()) | Gain(main->VolumeDireito()) << 16;
}

bool SequencePlayer::play(const QString &text, double wpm, int afterMs)
{
    const MorseText keyed = MorseText::parse(text);
    if (!keyed.ok() || text.trimmed().isEmpty())
        return false;
    MorseRenderer r = renderer(wpm);
    const MorseRenderer::Block rendered = r.render(keyed);
    if (rendered.samples.empty())
        return false;
    platform::RenderedBlock block;
    block.samples.reserve(rendered.samples.size());
    for (const std::int16_t s : rendered.samples)
        block.samples.push_back(float(s) / 32768.0f);
    block.start = rendered.firstMark;
    block.length = rendered.length;
    // Counted from now, or from the end of a sound still to be heard.
    const std::int64_t at =
        std::max(stream.end(), stream.position()) + std::max(0, afterMs) * FramesPerMs;
    // An idle sequence puts what comes next as soon as the stream can take
    // it, whatever the gap: an empty span starts a chain there, and the sound
    // follows it at the gap asked for.
    if (stream.idle())
        stream.append(platform::RenderedBlock{});
    last =
        stream.append(std::move(block), std::max<std::int64_t>(0, at - stream.end()), volumeWord());
    return last.id != 0;
}

bool SequencePlayer::playCharacter(const QString &character, double charWpm, int afterMs)
{
    return play(character, charWpm, afterMs);
}

bool SequencePlayer::playBeep(int afterMs)
{
    // A dot of BeepMs: "E" at the speed whose dot lasts that long.
    return play(QStringLiteral("E"), 1200.0 / BeepMs, afterMs);
}

platform::SteadyTime SequencePlayer::heardStart() const
{
    return stream.timeOf(stream.startOf(last));
}

platform::SteadyTime SequencePlayer::heardEnd() const
{
    return stream.timeOf(stream.endOf(last));
}

void SequencePlayer::stop()
{
    stream.withdraw();
}

} // namespace recognition
