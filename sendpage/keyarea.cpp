#include "sendpage/keyarea.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace sending {
namespace {

// Left and right Ctrl share Qt::Key_Control: the window system's key symbol
// (X11 and Wayland keysyms) or, failing it, the X keycode tells them apart.
constexpr quint32 ControlLSym = 0xffe3;
constexpr quint32 ControlRSym = 0xffe4;
constexpr quint32 ControlLCode = 37;
constexpr quint32 ControlRCode = 105;

} // namespace

KeyArea::KeyArea(QWidget *parent) : QFrame(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMinimumHeight(fontMetrics().height() * 4);
}

QSize KeyArea::sizeHint() const
{
    const int h = fontMetrics().height();
    return {h * 16, h * 5};
}

void KeyArea::focusInEvent(QFocusEvent *event)
{
    // Plain to see where the keys go.
    setLineWidth(3);
    QFrame::focusInEvent(event);
}

void KeyArea::setKey(SendSettings::Key key, SendSettings::PaddlePair paddles)
{
    releaseAll();
    m_key = key;
    m_paddles = paddles;
}

void KeyArea::setDown(bool down)
{
    setBackgroundRole(down ? QPalette::Highlight : QPalette::Base);
}

std::optional<Contact> KeyArea::contactOf(const QKeyEvent *event) const
{
    switch (m_key) {
    case SendSettings::Key::Space:
    case SendSettings::Key::SerialStraight:
        if (event->key() == Qt::Key_Space)
            return Contact::Straight;
        return std::nullopt;
    case SendSettings::Key::Mouse:
        return std::nullopt;
    case SendSettings::Key::PaddleKeys:
    case SendSettings::Key::SerialPaddles:
        break;
    }
    if (m_paddles == SendSettings::PaddlePair::ZX) {
        if (event->key() == Qt::Key_Z)
            return Contact::Dot;
        if (event->key() == Qt::Key_X)
            return Contact::Dash;
        return std::nullopt;
    }
    if (event->key() != Qt::Key_Control)
        return std::nullopt;
    const quint32 sym = event->nativeVirtualKey();
    const quint32 code = event->nativeScanCode();
    if (sym == ControlLSym || (sym == 0 && code == ControlLCode))
        return Contact::Dot;
    if (sym == ControlRSym || (sym == 0 && code == ControlRCode))
        return Contact::Dash;
    return std::nullopt;
}

bool KeyArea::event(QEvent *event)
{
    // The keys that key are the key's own here: no shortcut takes them.
    if (event->type() == QEvent::ShortcutOverride) {
        if (contactOf(static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
    }
    return QFrame::event(event);
}

void KeyArea::keyPressEvent(QKeyEvent *event)
{
    const auto contact = contactOf(event);
    if (!contact) {
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        press(*contact, m_clock.map(event->timestamp()));
}

void KeyArea::keyReleaseEvent(QKeyEvent *event)
{
    const auto contact = contactOf(event);
    if (!contact) {
        QFrame::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // A repeating key sends a release before every repeated press.
    if (!event->isAutoRepeat())
        release(*contact, m_clock.map(event->timestamp()));
}

void KeyArea::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (m_key == SendSettings::Key::Mouse && event->button() == Qt::LeftButton) {
        event->accept();
        press(Contact::Straight, m_clock.map(event->timestamp()));
        return;
    }
    QFrame::mousePressEvent(event);
}

void KeyArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_key == SendSettings::Key::Mouse && event->button() == Qt::LeftButton) {
        event->accept();
        release(Contact::Straight, m_clock.map(event->timestamp()));
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

void KeyArea::focusOutEvent(QFocusEvent *event)
{
    setLineWidth(1);
    releaseAll();
    QFrame::focusOutEvent(event);
}

void KeyArea::press(Contact contact, KeyTime at)
{
    if (m_held.contains(int(contact)))
        return;
    m_held.insert(int(contact));
    emit pressed(contact, at);
}

void KeyArea::release(Contact contact, KeyTime at)
{
    if (!m_held.remove(int(contact)))
        return;
    emit released(contact, at);
}

void KeyArea::releaseAll()
{
    const KeyTime now = m_clock.now();
    for (const int c : QSet<int>(m_held))
        release(Contact(c), now);
}

} // namespace sending
