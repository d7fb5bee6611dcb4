#include "app/fimporsinal.h"

#include <QCoreApplication>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Sinais[2] = {SIGINT, SIGTERM};

// What the handler may touch: a lock-free integer and a descriptor.
std::atomic<int> Chegado{0};
std::atomic<int> Escrita{-1};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void AoSinal(int sinal)
{
    const int erro = errno;
    int nenhum = 0;
    Chegado.compare_exchange_strong(nenhum, sinal);
    const auto byte = static_cast<unsigned char>(sinal);
    [[maybe_unused]] const ssize_t escrito = ::write(Escrita.load(), &byte, 1);
    errno = erro;
}

} // namespace

FimPorSinal::FimPorSinal(QObject *parent) : QObject(parent)
{
    if (::pipe2(mPipe, O_CLOEXEC) != 0)
        return;
    Escrita.store(mPipe[1]);
    mVigia = std::thread(&FimPorSinal::Vigia, this);
    for (int i = 0; i < 2; ++i) {
        struct sigaction acao = {};
        acao.sa_handler = AoSinal;
        sigemptyset(&acao.sa_mask);
        acao.sa_flags = SA_RESTART;
        if (::sigaction(Sinais[i], nullptr, &mAntigas[i]) != 0 || mAntigas[i].sa_handler == SIG_IGN)
            continue;
        mInstalado[i] = ::sigaction(Sinais[i], &acao, nullptr) == 0;
    }
}

FimPorSinal::~FimPorSinal()
{
    for (int i = 0; i < 2; ++i)
        if (mInstalado[i])
            ::sigaction(Sinais[i], &mAntigas[i], nullptr);
    if (mVigia.joinable()) {
        {
            const std::lock_guard trava(mMutex);
            mFim = true;
        }
        mMudou.notify_all();
        // Byte 0 is no signal: it only wakes a watcher still reading.
        const unsigned char zero = 0;
        [[maybe_unused]] const ssize_t escrito = ::write(mPipe[1], &zero, 1);
        mVigia.join();
    }
    Escrita.store(-1);
    for (int &fd : mPipe)
        if (fd >= 0)
            ::close(fd);
}

int FimPorSinal::Sinal()
{
    return Chegado.load();
}

void FimPorSinal::Reemite()
{
    const int sinal = Sinal();
    if (sinal == 0)
        return;
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
}

void FimPorSinal::Vigia()
{
    unsigned char byte = 0;
    for (;;) {
        const ssize_t lido = ::read(mPipe[0], &byte, 1);
        if (lido < 0 && errno == EINTR)
            continue;
        if (lido <= 0 || byte == 0)
            return;
        break;
    }
    for (int i = 0; i < 2; ++i)
        if (mInstalado[i])
            ::sigaction(Sinais[i], &mAntigas[i], nullptr);

    QMetaObject::invokeMethod(this, &FimPorSinal::Atende, Qt::QueuedConnection);
    // Taken up or not, the program must have unwound by then.
    std::unique_lock trava(mMutex);
    if (mMudou.wait_for(trava, Tolerancia, [this] { return mFim; }))
        return;
    trava.unlock();
    // Something still holds the program: end now, as the signal would.
    std::signal(byte, SIG_DFL);
    std::raise(byte);
}

void FimPorSinal::Atende()
{
    emit Recebido(Sinal());
    // Not quit(): that asks the windows first (the keyboard window refuses
    // while a sentence plays), and does nothing before the main loop runs.
    QCoreApplication::exit(0);
}
