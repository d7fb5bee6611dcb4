#pragma once

#include "course/runspec.h"

#include <QString>

namespace course {

// Writes a text as a WAV file, the very samples the player would play for it:
// the integrator's adapter over the keying engine's export.
class AudioExporter
{
public:
    AudioExporter() = default;
    virtual ~AudioExporter();
    AudioExporter(const AudioExporter &) = delete;
    AudioExporter &operator=(const AudioExporter &) = delete;

    // text: groups one space apart (prosigns as "<AR>"); spec.durationMs is
    // not used. True when the file is written whole; otherwise error says
    // why, and no half-written file is left.
    virtual bool exportWav(const QString &file, const QString &text, const RunSpec &spec,
                           QString &error) = 0;
};

} // namespace course
