#pragma once

#include "sending/keyedge.h"

#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace sending {

// An iambic keyer as a pure state machine: paddle changes and the passing of
// time go in, the exact times of the key's edges come out. It keeps no clock
// of its own, so it runs as fast in a test as in the program.
//
// Timing: a dot of 1200 / wpm ms, a dash of three dots, one dot of silence
// after every element. An element, once started, is always completed.
//
// What follows an element is decided when its closing silence ends: the
// opposite element if that paddle is held or remembered, else the same one if
// its paddle is held or remembered, else nothing.
// - Memory (both modes): a paddle pressed while the keyer is busy (an element
//   or its closing silence) is remembered until its element is keyed, even if
//   it is released before then.
// - Mode A: a squeeze released stops after the element in progress.
// - Mode B: an element that starts while the opposite paddle is held
//   remembers that paddle, so a squeeze released during an element still
//   adds the opposite one.
class IambicKeyer
{
public:
    enum class Mode
    {
        A,
        B
    };
    enum class Paddle
    {
        Dot,
        Dash
    };

    static constexpr double MinWpm = 10;
    static constexpr double MaxWpm = 40;

    explicit IambicKeyer(Mode mode = Mode::B, double wpm = 20);

    Mode mode() const { return m_mode; }
    void setMode(Mode mode) { m_mode = mode; }
    // Clamped to MinWpm..MaxWpm; an element in progress keeps its length.
    void setWpm(double wpm);
    double wpm() const { return m_wpm; }
    Duration dot() const { return m_dot; }

    // A paddle goes down or up at t. A press of a paddle already down (key
    // auto-repeat) and a release of one already up change nothing. A t
    // earlier than the last time seen counts as that time.
    void press(Paddle paddle, KeyTime t);
    void release(Paddle paddle, KeyTime t);

    // Runs the machine to now and hands over the edges due by now, in order,
    // each once. Call it after every press or release and at nextEventTime().
    std::vector<KeyEdge> advance(KeyTime now);
    // When something next happens (an edge or a decision) if no paddle
    // changes; nothing when the keyer is idle and has handed over every edge.
    std::optional<KeyTime> nextEventTime() const;

    bool isIdle() const { return !m_busy && m_pending.empty(); }
    bool isHeld(Paddle paddle) const { return m_held[index(paddle)]; }
    // Forgets paddles, memories and pending edges (a key-up still owed is
    // handed over first by the caller through advance()).
    void reset();

private:
    static int index(Paddle p) { return p == Paddle::Dot ? 0 : 1; }
    static Paddle opposite(Paddle p) { return p == Paddle::Dot ? Paddle::Dash : Paddle::Dot; }
    KeyTime clamp(KeyTime t);
    void runUntil(KeyTime t, bool inclusive);
    void start(Paddle p, KeyTime at);
    void decide();

    Mode m_mode;
    double m_wpm = 20;
    Duration m_dot{};
    std::array<bool, 2> m_held{};
    std::array<bool, 2> m_memory{};
    bool m_busy = false;
    Paddle m_current = Paddle::Dot;
    KeyTime m_decisionAt{};
    KeyTime m_time{};
    std::deque<KeyEdge> m_pending;
};

} // namespace sending
