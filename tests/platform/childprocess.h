#pragma once

#include <QProcess>
#include <QString>

// Empty when this process can start a child process; otherwise why it cannot.
// Under qemu's user-mode emulation (scripts/test-cross.sh) the clone call that
// QProcess makes is refused, so a test that needs a child skips with this.
inline QString WhyNoChildProcess()
{
    QProcess probe;
    probe.start(QStringLiteral("true"), {});
    if (probe.waitForStarted() && probe.waitForFinished())
        return {};
    return QStringLiteral("this process cannot start a child process here (%1)")
        .arg(probe.errorString());
}
