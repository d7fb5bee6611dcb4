#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <span>

// Writes 16-bit mono PCM WAV files at 96000 Hz, whole or not at all (through
// QSaveFile: a failed write leaves any earlier file of that name as it was).
namespace WaveFile {

constexpr int Rate = 96000;
// The RIFF sizes are 32-bit: the most frames a file can hold (about 6 h 12 min).
constexpr std::int64_t MaxFrames = (std::int64_t(0xFFFFFFFFu) - 36) / 2;

// Fills its span with the samples that start at the frame given.
using Source = std::function<void(std::int64_t from, std::span<std::int16_t> out)>;

// Writes frames samples, asked of source a block at a time. On failure
// returns false and, when error is given, a message naming the file.
bool Write(const QString &path, std::int64_t frames, const Source &source,
           QString *error = nullptr);
bool Write(const QString &path, std::span<const std::int16_t> samples, QString *error = nullptr);

} // namespace WaveFile
