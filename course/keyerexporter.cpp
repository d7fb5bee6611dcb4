#include "course/keyerexporter.h"

#include "course/runkeyer.h"
#include "morse/morsetext.h"

namespace course {

bool KeyerExporter::exportWav(const QString &file, const QString &text, const RunSpec &spec,
                              QString &error)
{
    MorseRenderer renderer = RunKeyer::renderer(spec);
    const MorseText keyed = MorseText::parse(text);
    if (!keyed.ok()) {
        error = keyed.errorMessage();
        return false;
    }
    return renderer.writeWave(keyed, file, &error);
}

} // namespace course
