#pragma once

#include "platform/sleep.h"

#include <QtGlobal>
#include <cstddef>
#include <cstdint>

// The plain way to play a tone, for comparison only: queue the whole tone on
// the device, then wait until the device has taken all of it. The tone starts
// at whichever buffer boundary comes next, so the rhythm depends on the
// buffer size. Same device format as the real player.
class PlainPlayer
{
public:
    PlainPlayer();
    ~PlainPlayer();
    Q_DISABLE_COPY_MOVE(PlainPlayer)

    bool isOpen() const { return m_device != 0; }
    // Plays a mono RIFF/WAVE image and returns when the device has taken it.
    bool play(const void *image, std::size_t size);

    // Call to the moment the device first took from the queue, over the plays.
    double minLatencyMs() const { return m_minLatencyMs; }
    double maxLatencyMs() const { return m_maxLatencyMs; }
    double meanLatencyMs() const { return m_plays > 0 ? m_sumLatencyMs / m_plays : 0; }

private:
    std::uint32_t m_device = 0;
    int m_rate = 0;
    int m_plays = 0;
    double m_minLatencyMs = 0;
    double m_maxLatencyMs = 0;
    double m_sumLatencyMs = 0;
};
