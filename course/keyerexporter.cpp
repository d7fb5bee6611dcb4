#include "course/keyerexporter.h"

#include "morse/morserenderer.h"
#include "morse/morsetext.h"

namespace course {

bool KeyerExporter::exportWav(const QString &file, const QString &text, const RunSpec &spec,
                              QString &error)
{
    MorseRenderer renderer(MorseTiming(spec.charWpm, spec.effectiveWpm), spec.hertz, spec.waveform,
                           spec.softEdges);
    const MorseText keyed = MorseText::parse(text);
    if (!keyed.ok()) {
        error = keyed.errorMessage();
        return false;
    }
    return renderer.writeWave(keyed, file, &error);
}

} // namespace course
