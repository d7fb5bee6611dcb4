#include "text/sobretexts.h"

#include "text/idioma.h"

const TextosSobre *TextosSobre_(int idioma)
{
    static const TextosSobre tabelas[3] = {
        {
            QStringLiteral("Sobre o Zirvano"),
            QStringLiteral("Versão 2.0.0"),
            QStringLiteral("Zirvano é distribuído em regime de FreeWare"),
            QStringLiteral("Página Pessoal do Kaltor"),
            QStringLiteral("Permite o acesso à página do Kaltor - Velmiro"),
            QStringLiteral("Permite o envio de EMail para o Kaltor - Velmiro"),
            QStringLiteral("&Fechar"),
            QStringLiteral("Fecha o \"Sobre\" e retorna ao Zirvano"),
        },
        {
            QStringLiteral("Sobre el Zirvano"),
            QStringLiteral("Versión 2.0.0"),
            QStringLiteral("Zirvano se distribuido libremente"),
            QStringLiteral("Página personal de Kaltor"),
            QStringLiteral("Permite el acceso a la página de Kaltor - Velmiro"),
            QStringLiteral("Permite el envío de EMail para Kaltor - Velmiro"),
            QStringLiteral("&Cerrar"),
            QStringLiteral("Cierres el \"Sobre\" y regresa a Zirvano"),
        },
        {
            QStringLiteral("About the Zirvano"),
            QStringLiteral("Version 2.0.0"),
            QStringLiteral("Zirvano is distributed in regime of FreeWare"),
            QStringLiteral("Home Page of Kaltor"),
            QStringLiteral("It allows the access to the page of the Kaltor - Velmiro"),
            QStringLiteral("It allows the shipping of EMail for the Kaltor - Velmiro"),
            QStringLiteral("&Close"),
            QStringLiteral("Closes the \"About\" and it comes back to Zirvano"),
        },
    };
    return Idioma::Valido(idioma) ? &tabelas[idioma] : nullptr;
}
