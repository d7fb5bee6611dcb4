#include "reception/teclasadiadas.h"

#include <QCoreApplication>
#include <QKeyEvent>

TeclasAdiadas::TeclasAdiadas()
{
    // Installed last, it sees the keys before the keyboard hook does.
    QCoreApplication::instance()->installEventFilter(this);
}

TeclasAdiadas::~TeclasAdiadas()
{
    Libera();
}

void TeclasAdiadas::Libera()
{
    if (!mAtiva)
        return;
    mAtiva = false;
    QCoreApplication::instance()->removeEventFilter(this);
    auto retidas = std::move(mRetidas);
    for (auto &[destino, evento] : retidas)
        if (destino)
            QCoreApplication::sendEvent(destino, evento.get());
}

bool TeclasAdiadas::eventFilter(QObject *watched, QEvent *event)
{
    if (!mAtiva || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    mRetidas.emplace_back(watched,
                          std::unique_ptr<QKeyEvent>(static_cast<QKeyEvent *>(event->clone())));
    return true;
}
