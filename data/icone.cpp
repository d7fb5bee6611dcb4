#include "data/icone.h"

#include <QString>

// Resources of a static library are registered by hand, from outside any
// namespace (the macro declares the registering function where it stands).
static void RegistraRecursos()
{
    Q_INIT_RESOURCE(icons);
}

QIcon IconeZirvano()
{
    RegistraRecursos();
    QIcon icone;
    for (const int tamanho : {48, 128, 256})
        icone.addFile(QStringLiteral(":/icons/zirvano-%1.png").arg(tamanho));
    return icone;
}
