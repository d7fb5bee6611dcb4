#pragma once

#include "sending/seriallines.h"

#include <QString>

namespace sending {

// The learner's key and prompts, kept in the settings store beside the main
// window's language. Each value that is missing, unreadable or out of range
// is taken as its default.
struct SendSettings
{
    enum class Key
    {
        Space,          // straight key: the Space bar
        Mouse,          // straight key: the left mouse button over the key area
        SerialStraight, // straight key: a line of a serial port
        PaddleKeys,     // paddles: two keyboard keys
        SerialPaddles   // paddles: two lines of a serial port
    };
    enum class PaddlePair
    {
        Ctrl, // left Ctrl the dot, right Ctrl the dash
        ZX    // Z the dot, X the dash (laptops)
    };
    enum class Prompt
    {
        Characters, // groups of the course's characters
        Words,
        Callsign
    };
    static constexpr int MinWpm = 10;
    static constexpr int MaxWpm = 40;
    static constexpr int MaxText = 64; // characters kept of a port name or callsign

    Key key = Key::Space;
    PaddlePair paddles = PaddlePair::Ctrl;
    bool modeB = true;
    int keyerWpm = 20;
    QString port;
    SerialLines::Line straightLine = SerialLines::Cts;
    SerialLines::Line dotLine = SerialLines::Dsr;
    SerialLines::Line dashLine = SerialLines::Cts;
    Prompt prompt = Prompt::Characters;
    QString callsign;
    int lastWpm = 15; // the learner's own speed at his last sending

    bool paddlesInUse() const { return key == Key::PaddleKeys || key == Key::SerialPaddles; }
    bool serialInUse() const { return key == Key::SerialStraight || key == Key::SerialPaddles; }

    // Never raises.
    static SendSettings load();
    // Writes what differs from the store. Raises platform::SettingsError when
    // it cannot be saved; the caller runs it inside ComGuarda.
    void save() const;
};

} // namespace sending
