#pragma once

#include "course/audioexporter.h"

namespace course {

// The WAV export through the standard-timing keyer: the samples the player
// (RunKeyer) places for the same text, speeds, tone and edges, 16-bit mono
// at 96000 Hz (the volume is the player's, not the file's).
class KeyerExporter : public AudioExporter
{
public:
    bool exportWav(const QString &file, const QString &text, const RunSpec &spec,
                   QString &error) override;
};

} // namespace course
