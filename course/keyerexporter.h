#pragma once

#include "course/audioexporter.h"

namespace course {

// The WAV export through the standard-timing keyer: the samples the player
// is given for the same text, speeds, tone and edges (the volume is the
// player's, not the file's).
class KeyerExporter : public AudioExporter
{
public:
    bool exportWav(const QString &file, const QString &text, const RunSpec &spec,
                   QString &error) override;
};

} // namespace course
