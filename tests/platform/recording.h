#pragma once

// What the sound device tests share: WAVE images built by hand, the choice
// of SDL driver, and the stream as SDL's disk driver records it.

#include <QByteArray>
#include <QTemporaryDir>
#include <QVector>
#include <cstdint>

constexpr int DeviceRate = 96000;

// A PCM RIFF/WAVE image of data (channels interleaved); extra goes between the
// format and the data chunk.
QByteArray waveImage(int rate, int bits, int channels, const QByteArray &data,
                     const QByteArray &extra = {}, int format = 1);

// Makes the next play open the device anew through driver.
void useDriver(const char *driver);

// The stream as SDL's disk driver writes it: interleaved float stereo frames,
// into a file of its own for as long as this lives.
class Recording
{
public:
    Recording();

    // Lets the stream run on past frame, then closes the device so that
    // everything is on disk, and reads it back; empty if it never got there.
    QVector<float> takeAfter(std::int64_t frame);
    // The same once what was placed in the stream has played out (a play
    // sounds one latency after its call).
    QVector<float> take();

private:
    QTemporaryDir m_dir;
    QString m_path;
};
