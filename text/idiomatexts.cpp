#include "text/idiomatexts.h"

const TextosIdioma &TextosIdioma_()
{
    static const TextosIdioma textos{
        QStringLiteral("Zirvano"),
        QStringLiteral("Escolha o Idioma"),
        {QStringLiteral("&Português"), QStringLiteral("&Español"), QStringLiteral("E&nglish")},
        QStringLiteral("Zirvano"),
        QStringLiteral("Versão 2.0.0"),
        QStringLiteral("Zirvano é distribuído em regime de FreeWare"),
        QStringLiteral("Página do desenvolvedor Kaltor - Velmiro"),
        QStringLiteral("  Permite enviar EMail para o Kaltor - Velmiro"),
    };
    return textos;
}

const TextosIdiomaRotativos *TextosIdiomaRotativos_(int conta)
{
    static const TextosIdiomaRotativos linhas[3] = {
        {
            QStringLiteral("Versión 2.0.1"),
            QStringLiteral("Zirvano se distribuido libremente"),
            QStringLiteral("Página personal de Kaltor"),
            QStringLiteral("Opción el Idioma"),
        },
        {
            QStringLiteral("Version 2.0.1"),
            QStringLiteral("Zirvano is distributed in regime of FreeWare"),
            QStringLiteral("Home Page of Kaltor"),
            QStringLiteral("Choice the Language"),
        },
        {
            QStringLiteral("Versão 2.0.1"),
            QStringLiteral("Zirvano é distribuído em regime de FreeWare"),
            QStringLiteral("Página Pessoal do Kaltor"),
            QStringLiteral("Escolha o Idioma"),
        },
    };
    return conta >= 0 && conta < 3 ? &linhas[conta] : nullptr;
}
