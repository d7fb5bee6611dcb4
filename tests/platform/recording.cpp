#include "recording.h"

#include "platform/sounddevice.h"

#include <QDataStream>
#include <QFile>
#include <QTest>
#include <cstring>

using platform::SoundDevice;

QByteArray waveImage(int rate, int bits, int channels, const QByteArray &data,
                     const QByteArray &extra, int format)
{
    const int block = channels * bits / 8;
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("RIFF", 4);
    s << quint32(36 + extra.size() + data.size());
    s.writeRawData("WAVEfmt ", 8);
    s << quint32(16) << quint16(format) << quint16(channels) << quint32(rate)
      << quint32(rate * block) << quint16(block) << quint16(bits);
    s.writeRawData(extra.constData(), int(extra.size()));
    s.writeRawData("data", 4);
    s << quint32(data.size());
    s.writeRawData(data.constData(), int(data.size()));
    return out;
}

void useDriver(const char *driver)
{
    qputenv("SDL_AUDIODRIVER", driver);
    SoundDevice::instance().shutdown();
}

Recording::Recording() : m_path(m_dir.filePath(QStringLiteral("stream.raw")))
{
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_path));
    useDriver("disk");
}

QVector<float> Recording::takeAfter(std::int64_t frame)
{
    SoundDevice &device = SoundDevice::instance();
    if (!QTest::qWaitFor([&] { return device.stats().frames > frame; }, 5000))
        return {};
    device.shutdown();
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    QVector<float> s(bytes.size() / qsizetype(sizeof(float)));
    std::memcpy(s.data(), bytes.constData(), std::size_t(s.size()) * sizeof(float));
    return s;
}

QVector<float> Recording::take()
{
    const SoundDevice::Stats now = SoundDevice::instance().stats();
    return takeAfter(now.frames + 2 * DeviceRate * SoundDevice::Latency.count() / 1000 +
                     2 * now.bufferFrames);
}
