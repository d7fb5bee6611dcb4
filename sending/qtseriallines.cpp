#include "sending/qtseriallines.h"

#include <QSerialPort>

namespace sending {

QtSerialLines::QtSerialLines() = default;

QtSerialLines::~QtSerialLines()
{
    close();
}

void QtSerialLines::fail(bool reading)
{
    switch (m_port->error()) {
    case QSerialPort::DeviceNotFoundError:
        m_fault = Fault::NotFound;
        break;
    case QSerialPort::PermissionError:
        m_fault = Fault::Permission;
        break;
    case QSerialPort::ResourceError:
        m_fault = Fault::Gone;
        break;
    case QSerialPort::UnsupportedOperationError:
        m_fault = reading ? Fault::NoModemLines : Fault::Other;
        break;
    default:
        m_fault = Fault::Other;
        break;
    }
    m_faultText = m_port->errorString();
}

bool QtSerialLines::open(const QString &portName)
{
    close();
    m_fault = Fault::None;
    m_faultText.clear();
    m_gone = false;
    m_port = std::make_unique<QSerialPort>(portName);
    // An unplugged port says so through its own reading, between two reads
    // of the lines, and a failing read of the lines would hide it.
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                     [this](QSerialPort::SerialPortError e) {
                         if (e == QSerialPort::ResourceError)
                             m_gone = true;
                     });
    if (!m_port->open(QIODevice::ReadWrite)) {
        fail(false);
        m_port.reset();
        return false;
    }
    // Interfaces that take no power from these lines do not mind them; a
    // port that cannot set them may still report its status lines.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clearError();
    return true;
}

void QtSerialLines::close()
{
    if (m_port && m_port->isOpen())
        m_port->close();
    m_port.reset();
}

std::optional<unsigned> QtSerialLines::read()
{
    if (!m_port)
        return std::nullopt;
    const QSerialPort::PinoutSignals pins = m_port->pinoutSignals();
    if (m_gone) {
        m_fault = Fault::Gone;
        m_faultText = m_port->errorString();
        return std::nullopt;
    }
    if (m_port->error() != QSerialPort::NoError) {
        fail(true);
        return std::nullopt;
    }
    unsigned lines = 0;
    if (pins & QSerialPort::ClearToSendSignal)
        lines |= Cts;
    if (pins & QSerialPort::DataSetReadySignal)
        lines |= Dsr;
    if (pins & QSerialPort::DataCarrierDetectSignal)
        lines |= Dcd;
    return lines;
}

} // namespace sending
