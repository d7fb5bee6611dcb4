#pragma once

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

// Ends the program on SIGINT and SIGTERM promptly, and cleanly where it can.
// The handler only notes the signal and writes it to a pipe; a watcher thread
// reads it and hands it to the UI thread, which emits Recebido and leaves
// every event loop, so the windows unwind and are destroyed as after Close.
// A program that has not unwound (this object destroyed) within Tolerancia of
// the signal, whatever holds it, is ended by the signal's default action
// instead: no setting can be caught half-written (saves are atomic), and
// nothing else is kept. From the first signal on, the default action is back,
// so a second Ctrl+C ends the program at once.
// A signal ignored when the program started stays ignored.
// One instance per process, made before the windows.
class FimPorSinal : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds Tolerancia{500};

    explicit FimPorSinal(QObject *parent = nullptr);
    ~FimPorSinal() override;
    Q_DISABLE_COPY_MOVE(FimPorSinal)

    // The signal that asked the program to end; 0 while none has.
    static int Sinal();

    // Once the program has unwound: ends the process by the signal that asked
    // for it, if one did, so that whoever sent it sees the program end by it.
    static void Reemite();

signals:
    // On the UI thread, just before every event loop is asked to exit.
    void Recebido(int sinal);

private:
    void Vigia();
    void Atende();

    int mPipe[2] = {-1, -1};
    struct sigaction mAntigas[2] = {};
    bool mInstalado[2] = {false, false};
    std::mutex mMutex;
    std::condition_variable mMudou;
    bool mFim = false; // the program has unwound: the destructor stops the watcher
    std::thread mVigia;
};
