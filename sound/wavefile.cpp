#include "sound/wavefile.h"

#include "sound/tgerasom.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <vector>

namespace WaveFile {

namespace {

constexpr std::int64_t BlockFrames = 1 << 16;

bool failed(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool Write(const QString &path, std::int64_t frames, const Source &source, QString *error)
{
    const QString name = QDir::toNativeSeparators(path);
    if (frames < 0 || frames > MaxFrames)
        return failed(
            error,
            QCoreApplication::translate(
                "WaveFile",
                "Cannot write %1: %2 minutes of sound, more than a WAV file holds (%3 minutes).")
                .arg(name)
                .arg(frames / (60 * Rate))
                .arg(MaxFrames / (60 * Rate)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error, QCoreApplication::translate("WaveFile", "Cannot write %1: %2")
                                 .arg(name, file.errorString()));

    TWaveHeader header;
    BuildWaveHeader(false, true, true, static_cast<std::uint32_t>(2 * frames), header);
    bool written = file.write(reinterpret_cast<const char *>(header.bytes), sizeof header.bytes) ==
                   qint64(sizeof header.bytes);
    std::vector<std::int16_t> block;
    for (std::int64_t at = 0; written && at < frames; at += BlockFrames) {
        block.assign(std::size_t(std::min(BlockFrames, frames - at)), 0);
        source(at, block);
        qToLittleEndian<std::int16_t>(block.data(), qsizetype(block.size()), block.data());
        const auto bytes = qint64(2 * block.size());
        written = file.write(reinterpret_cast<const char *>(block.data()), bytes) == bytes;
    }
    if (!written) {
        const QString why = file.errorString();
        file.cancelWriting();
        return failed(
            error, QCoreApplication::translate("WaveFile", "Cannot write %1: %2").arg(name, why));
    }
    if (!file.commit())
        return failed(error, QCoreApplication::translate("WaveFile", "Cannot write %1: %2")
                                 .arg(name, file.errorString()));
    return true;
}

bool Write(const QString &path, std::span<const std::int16_t> samples, QString *error)
{
    return Write(
        path, std::int64_t(samples.size()),
        [samples](std::int64_t from, std::span<std::int16_t> out) {
            std::copy_n(samples.begin() + std::ptrdiff_t(from), out.size(), out.begin());
        },
        error);
}

} // namespace WaveFile
