#pragma once

// A stand-in for the stream: each sound starts afterMs from the call on the
// clock in use and lasts a fixed time, so a test knows where its end is heard.

#include "platform/clock.h"
#include "recognition/recognitionplayer.h"

#include <QStringList>
#include <chrono>

class FakePlayer : public recognition::RecognitionPlayer
{
public:
    std::chrono::milliseconds length{200};
    QStringList played; // characters, and "beep"
    QList<double> speeds;
    int stops = 0;
    platform::SteadyTime start;

    bool playCharacter(const QString &character, double charWpm, int afterMs) override
    {
        played << character;
        speeds << charWpm;
        start = platform::Clock::current().now() + std::chrono::milliseconds(afterMs);
        return true;
    }
    bool playBeep(int afterMs) override
    {
        return playCharacter(QStringLiteral("beep"), 0, afterMs);
    }
    platform::SteadyTime heardStart() const override { return start; }
    platform::SteadyTime heardEnd() const override { return start + length; }
    void stop() override { ++stops; }
};
