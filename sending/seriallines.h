#pragma once

#include <QString>
#include <optional>

namespace sending {

// The modem lines of a serial port, as a key reads them: the seam between
// SerialKey and the port, so tests can drive the lines.
class SerialLines
{
public:
    // The status lines a USB interface for Morse keys wires its contacts to.
    enum Line : unsigned
    {
        Cts = 1,
        Dsr = 2,
        Dcd = 4
    };
    enum class Fault
    {
        None,
        NotFound,     // no such port
        Permission,   // the user may not open it
        Gone,         // it went away while open (unplugged)
        NoModemLines, // it has no status lines to read (a pseudo-terminal)
        Other
    };

    SerialLines() = default;
    virtual ~SerialLines() = default;
    Q_DISABLE_COPY_MOVE(SerialLines)

    // Opens the port and raises DTR and RTS, which many interfaces take to
    // power the contacts. False with fault() set when it cannot be opened.
    virtual bool open(const QString &portName) = 0;
    virtual void close() = 0;
    // The status lines now, one bit per Line set while that line is active;
    // nothing, with fault() set, when they cannot be read.
    virtual std::optional<unsigned> read() = 0;
    virtual Fault fault() const = 0;
    // The system's own words for the fault.
    virtual QString faultText() const = 0;
};

} // namespace sending
