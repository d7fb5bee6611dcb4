#pragma once

#include "sendpage/eventclock.h"
#include "sendpage/sendsettings.h"

#include <QFrame>
#include <QSet>

class QKeyEvent;

namespace sending {

// Where the learner keys with the keyboard or the mouse: while it has the
// focus, the keys of the chosen key (Space, or the two paddle keys) and,
// for the mouse key, the left button over it press and release contacts,
// each at the time of its event. A key the window system repeats while held
// is one press. Losing the focus lets every contact go.
class KeyArea : public QFrame
{
    Q_OBJECT

public:
    explicit KeyArea(QWidget *parent = nullptr);

    // Which keys and buttons key, as the settings have it; lets go first.
    void setKey(SendSettings::Key key, SendSettings::PaddlePair paddles);
    EventClock &clock() { return m_clock; }
    // Shown while the key is down.
    void setDown(bool down);

    QSize sizeHint() const override;

signals:
    void pressed(sending::Contact contact, sending::KeyTime at);
    void released(sending::Contact contact, sending::KeyTime at);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    std::optional<Contact> contactOf(const QKeyEvent *event) const;
    void press(Contact contact, KeyTime at);
    void release(Contact contact, KeyTime at);
    void releaseAll();

    SendSettings::Key m_key = SendSettings::Key::Space;
    SendSettings::PaddlePair m_paddles = SendSettings::PaddlePair::Ctrl;
    EventClock m_clock;
    QSet<int> m_held; // contacts down, as ints
};

} // namespace sending
