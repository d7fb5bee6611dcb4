#include "bench/parec.h"

#include "platform/sleep.h"

#include <QDeadlineTimer>
#include <QFileInfo>

Parec::Parec(const QString &sink, const QString &path)
{
    m_process.setStandardOutputFile(path);
    m_process.start(QStringLiteral("parec"),
                    {QStringLiteral("--device=%1.monitor").arg(sink),
                     QStringLiteral("--rate=96000"), QStringLiteral("--channels=2"),
                     QStringLiteral("--format=float32le"), QStringLiteral("--raw"),
                     QStringLiteral("--latency-msec=20")});
    m_process.waitForStarted();
    // An idle null sink renders in blocks of up to 2 s and takes a new
    // stream's wish for a short latency only at the end of its block: until
    // the first data arrives, a player's stream would not start either.
    QDeadlineTimer deadline(5000);
    while (m_process.state() == QProcess::Running && !deadline.hasExpired()) {
        if (QFileInfo(path).size() > 0) {
            m_flowing = true;
            break;
        }
        platform::sleepMs(10);
    }
    platform::sleepMs(100);
}

Parec::~Parec()
{
    finish();
}

void Parec::finish()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    platform::sleepMs(1000);
    m_process.terminate();
    m_process.waitForFinished();
}
