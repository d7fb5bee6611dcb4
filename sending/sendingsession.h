#pragma once

#include "sending/keyinput.h"
#include "sending/morsedecoder.h"
#include "sending/sendingresult.h"

#include <QObject>
#include <QTimer>

namespace sending {

// One sending of a prompt: the key's edges go to the decoder as they come,
// the decoded text and the sender's speed come out as he sends, and at the
// end the feedback on what he sent. The sidetone listens to key().keyed()
// itself.
//
// A timer completes the last character (and the word) when the key has been
// up long enough, so the text appears without waiting for the next key-down.
// Lives on the UI thread (or any thread with an event loop).
class SendingSession : public QObject
{
    Q_OBJECT

public:
    explicit SendingSession(QObject *parent = nullptr);

    KeyInput &key() { return m_key; }
    const MorseDecoder &decoder() const { return m_decoder; }

    // Starts over with prompt. The decoder expects expectedWpm (the learner's
    // last speed); with paddles, the keyer's speed, which is exact.
    void start(const QString &prompt, double expectedWpm);
    // Lets the key go (a keyer's element in progress is completed), completes
    // the last character and judges the sending.
    SendingResult finish(KeyTime now);
    // Completes what the silence up to now has ended; the timer calls it.
    void idle(KeyTime now);

    const QString &prompt() const { return m_prompt; }

signals:
    // Text just completed: characters, and " " when a word has ended.
    void decoded(const QString &text);
    // The sender's speed in WPM, when it has moved by half a WPM or more.
    void speedChanged(double wpm);

private:
    void onEdge(const KeyEdge &edge);
    void hand(const QString &text);
    void schedule();

    KeyInput m_key;
    MorseDecoder m_decoder;
    QTimer m_timer;
    QString m_prompt;
    double m_reportedWpm = 0;
};

} // namespace sending
