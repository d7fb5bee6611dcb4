#include "sending/serialkey.h"

#include "sending/qtseriallines.h"

#include <QSerialPortInfo>

namespace sending {

SerialKey::SerialKey(QObject *parent) : SerialKey(std::make_unique<QtSerialLines>(), parent) {}

SerialKey::SerialKey(std::unique_ptr<SerialLines> lines, QObject *parent)
    : QObject(parent), m_lines(std::move(lines))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, [this] { poll(std::chrono::steady_clock::now()); });
}

SerialKey::~SerialKey()
{
    m_timer.stop();
    if (m_lines)
        m_lines->close();
}

QStringList SerialKey::portNames()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.portName();
    names.sort();
    return names;
}

void SerialKey::setPollInterval(std::chrono::milliseconds interval)
{
    m_timer.setInterval(std::max(interval, std::chrono::milliseconds(1)));
}

SerialKey::Watched SerialKey::watch(Contact contact, unsigned line)
{
    Watched w;
    w.contact = contact;
    w.line = line;
    return w;
}

bool SerialKey::startStraight(const QString &port, Line line)
{
    return start(port, {watch(Contact::Straight, line)});
}

bool SerialKey::startPaddles(const QString &port, Line dot, Line dash)
{
    if (dot == dash) {
        stop();
        fail(tr("The two paddles need two different lines."), std::chrono::steady_clock::now());
        return false;
    }
    return start(port, {watch(Contact::Dot, dot), watch(Contact::Dash, dash)});
}

bool SerialKey::start(const QString &port, std::vector<Watched> watched)
{
    stop();
    const KeyTime now = std::chrono::steady_clock::now();
    if (port.trimmed().isEmpty()) {
        fail(tr("No serial port is chosen for the key."), now);
        return false;
    }
    m_port = port;
    if (!m_lines->open(port)) {
        fail(message(m_lines->fault(), port), now);
        return false;
    }
    // The contacts as they stand now are where the key starts: one held
    // already is not a press.
    const std::optional<unsigned> lines = m_lines->read();
    if (!lines) {
        const QString why = message(m_lines->fault(), port);
        m_lines->close();
        fail(why, now);
        return false;
    }
    for (Watched &w : watched)
        w.down = (*lines & w.line) != 0;
    m_watched = std::move(watched);
    m_running = true;
    m_timer.start();
    return true;
}

void SerialKey::stop()
{
    if (m_running)
        halt(std::chrono::steady_clock::now());
}

void SerialKey::halt(KeyTime now)
{
    m_timer.stop();
    m_running = false;
    m_lines->close();
    std::vector<Watched> watched;
    std::swap(watched, m_watched);
    for (const Watched &w : watched) {
        if (w.down)
            emit released(w.contact, now);
    }
}

void SerialKey::fail(const QString &message, KeyTime now)
{
    if (m_running)
        halt(now);
    m_errorText = message;
    emit failed(message);
}

void SerialKey::poll(KeyTime now)
{
    if (!m_running)
        return;
    const std::optional<unsigned> lines = m_lines->read();
    if (!lines) {
        fail(message(m_lines->fault(), m_port), now);
        return;
    }
    for (size_t i = 0; i < m_watched.size() && m_running; ++i) {
        Watched &w = m_watched[i];
        const bool down = (*lines & w.line) != 0;
        if (down == w.down || (w.changed && now - *w.changed < m_debounce))
            continue;
        w.down = down;
        w.changed = now;
        if (down)
            emit pressed(w.contact, now);
        else
            emit released(w.contact, now);
    }
}

QString SerialKey::message(SerialLines::Fault fault, const QString &port) const
{
    switch (fault) {
    case SerialLines::Fault::NotFound:
        return tr("There is no serial port %1. Is the key's interface plugged in?").arg(port);
    case SerialLines::Fault::Permission:
        return tr("You may not open the serial port %1: another program has it open, or you "
                  "are not in the dialout group (sudo usermod -aG dialout $USER, then log out "
                  "and in again).")
            .arg(port);
    case SerialLines::Fault::Gone:
        return tr("The serial port %1 has gone away. The serial key has stopped; the keyboard "
                  "keys still work.")
            .arg(port);
    case SerialLines::Fault::NoModemLines:
        return tr("The serial port %1 does not report its modem lines (CTS, DSR, DCD), so no "
                  "key can be read from it.")
            .arg(port);
    case SerialLines::Fault::None:
    case SerialLines::Fault::Other:
        break;
    }
    const QString why = m_lines->faultText();
    return tr("The serial port %1 could not be used: %2")
        .arg(port, why.isEmpty() ? tr("unknown error") : why);
}

} // namespace sending
