#pragma once

#include <QMetaType>
#include <chrono>

namespace sending {

// Every time in sending practice is a point on the steady clock, the clock the
// sound device maps to stream positions.
using KeyTime = std::chrono::steady_clock::time_point;
using Duration = std::chrono::nanoseconds;

// A contact of the learner's key: a straight key has one, iambic paddles two.
enum class Contact
{
    Straight,
    Dot,
    Dash
};

// The key (after the keyer, for paddles) going down or up.
struct KeyEdge
{
    KeyTime at;
    bool down = false;
    // For a key-down from the keyer, when its element ends: the sidetone can
    // schedule the whole tone at once. KeyTime::max() for a hand-keyed down,
    // whose end nobody knows yet.
    KeyTime until = KeyTime::max();

    friend bool operator==(const KeyEdge &, const KeyEdge &) = default;
};

} // namespace sending

Q_DECLARE_METATYPE(sending::KeyEdge)
Q_DECLARE_METATYPE(sending::Contact)
Q_DECLARE_METATYPE(sending::KeyTime)
