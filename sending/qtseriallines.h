#pragma once

#include "sending/seriallines.h"

#include <memory>

class QSerialPort;

namespace sending {

// SerialLines on a real port, through Qt Serial Port.
class QtSerialLines final : public SerialLines
{
public:
    QtSerialLines();
    ~QtSerialLines() override;

    bool open(const QString &portName) override;
    void close() override;
    std::optional<unsigned> read() override;
    Fault fault() const override { return m_fault; }
    QString faultText() const override { return m_faultText; }

private:
    void fail(bool reading);

    std::unique_ptr<QSerialPort> m_port;
    bool m_gone = false;
    Fault m_fault = Fault::None;
    QString m_faultText;
};

} // namespace sending
