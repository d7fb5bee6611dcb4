#pragma once

#include "sending/keyedge.h"
#include "sending/seriallines.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>

namespace sending {

// A Morse key on a serial port's modem status lines: a straight key on one
// line, paddles on two. Qt signals no change of these lines, so a timer reads
// them every millisecond and turns each change into a press or a release,
// stamped with the time it was seen.
//
// A contact that bounces is taken at its first edge; changes of that contact
// within the debounce time after are not looked at.
//
// When the port cannot be opened or goes away, the key stops cleanly: a
// contact still down is released, the port is closed, and failed() says why
// in words for the learner. Nothing else of the program depends on it.
//
// Lives on the thread that created it (or was moved to), which needs an event
// loop; its signals come from that thread.
class SerialKey : public QObject
{
    Q_OBJECT

public:
    using Line = SerialLines::Line;

    // On a real port.
    explicit SerialKey(QObject *parent = nullptr);
    // On lines of the caller's (tests).
    explicit SerialKey(std::unique_ptr<SerialLines> lines, QObject *parent = nullptr);
    ~SerialKey() override;

    // The serial ports of the machine (ttyS0, ttyUSB0, ...), sorted.
    static QStringList portNames();

    // Opens port and starts reading. The straight key presses
    // Contact::Straight; paddles press Contact::Dot and Contact::Dash. False,
    // with errorText() and failed(), when it cannot start.
    bool startStraight(const QString &port, Line line);
    bool startPaddles(const QString &port, Line dot, Line dash);
    // Releases what is down (at now) and closes the port.
    void stop();
    bool isRunning() const { return m_running; }
    // Why the key last stopped on its own or could not start; empty if it never did.
    QString errorText() const { return m_errorText; }

    void setPollInterval(std::chrono::milliseconds interval);
    void setDebounce(Duration debounce) { m_debounce = debounce; }

    // One reading of the lines at now, as the timer does it.
    void poll(KeyTime now);

signals:
    void pressed(sending::Contact contact, sending::KeyTime at);
    void released(sending::Contact contact, sending::KeyTime at);
    void failed(const QString &message);

private:
    struct Watched
    {
        Contact contact = Contact::Straight;
        unsigned line = 0;
        bool down = false;
        std::optional<KeyTime> changed; // the last change taken
    };
    static Watched watch(Contact contact, unsigned line);
    bool start(const QString &port, std::vector<Watched> watched);
    void halt(KeyTime now);
    void fail(const QString &message, KeyTime now);
    QString message(SerialLines::Fault fault, const QString &port) const;

    std::unique_ptr<SerialLines> m_lines;
    QTimer m_timer;
    std::vector<Watched> m_watched;
    QString m_port;
    bool m_running = false;
    QString m_errorText;
    Duration m_debounce = std::chrono::milliseconds(5);
};

} // namespace sending
