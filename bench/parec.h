#pragma once

#include <QProcess>
#include <QString>

// Records the monitor of a PulseAudio sink with parec, from construction
// until finish(), into a raw float32 stereo file at 96000 Hz. PULSE_SERVER
// names the server.
class Parec
{
public:
    Parec(const QString &sink, const QString &path);
    ~Parec();
    Q_DISABLE_COPY_MOVE(Parec)

    // Whether the sink's sound reaches the file.
    bool isRecording() const { return m_flowing && m_process.state() == QProcess::Running; }
    // Lets the sink's tail reach the file, then stops.
    void finish();

private:
    QProcess m_process;
    bool m_flowing = false;
};
