#pragma once

#include "sending/iambickeyer.h"
#include "sending/keyedge.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace sending {

// The learner's key as one stream of edges, whatever he keys with: the
// contacts of a straight key or of paddles come in (from keyboard keys, the
// mouse, a serial key), the key's own edges go out, through the iambic keyer
// for paddles. A contact pressed again while down (key auto-repeat) or
// released while up changes nothing.
//
// For paddles, a precise timer runs the keyer at each of its next events;
// every edge carries its exact time, earlier than its signal by the timer's
// lateness, and a key-down carries the time of its key-up. Lives on the UI
// thread (or any thread with an event loop); keyed() comes from there.
class KeyInput : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        Straight, // Contact::Straight is the key
        Paddles   // Contact::Dot and Contact::Dash drive the keyer
    };
    using Clock = std::function<KeyTime()>;

    explicit KeyInput(QObject *parent = nullptr);

    Kind kind() const { return m_kind; }
    // Lets go of everything first (at the clock's now).
    void setKind(Kind kind);
    IambicKeyer &keyer() { return m_keyer; }
    const IambicKeyer &keyer() const { return m_keyer; }
    // Where poll() and the timer take the time (the steady clock by default).
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // A contact of the kind in use goes down or up at. Others are ignored.
    void press(Contact contact, KeyTime at);
    void release(Contact contact, KeyTime at);
    // Lets every contact go at (the window lost focus, the serial key stopped).
    // A keyer's element in progress is completed in its time.
    void releaseAll(KeyTime at);
    // Sends at once whatever the keyer still owes (the element in progress,
    // one remembered), with their own times, which may lie ahead.
    void drain();
    bool isKeyDown() const { return m_keyDown; }

    // Runs the keyer to now and sends what is due; the timer calls it.
    void poll(KeyTime now);

signals:
    void keyed(const sending::KeyEdge &edge);

private:
    void send(const KeyEdge &edge);
    void schedule();
    static IambicKeyer::Paddle paddle(Contact c);

    Kind m_kind = Kind::Straight;
    IambicKeyer m_keyer;
    QTimer m_timer;
    Clock m_clock;
    bool m_straightDown = false;
    bool m_keyDown = false;
};

} // namespace sending
