#include "text/sobretexts.h"

#include "text/idioma.h"

const TextosSobre *TextosSobre_(int idioma)
{
    static const TextosSobre tabelas[3] = {
        {
            .Caption = QStringLiteral("Sobre o Zirvano"),
            .Version_Caption = QStringLiteral("Versão 2.0.0"),
            .Comments_Caption = QStringLiteral("Zirvano é distribuído em regime de FreeWare"),
            .STextPagina_Caption = QStringLiteral("Página Pessoal do Kaltor"),
            .STextPagina_Hint = QStringLiteral("Permite o acesso à página do Kaltor - Velmiro"),
            .STextEMail_Hint = QStringLiteral("Permite o envio de EMail para o Kaltor - Velmiro"),
            .BtnSobre_Caption = QStringLiteral("&Fechar"),
            .BtnSobre_Hint = QStringLiteral("Fecha o \"Sobre\" e retorna ao Zirvano"),
        },
        {
            .Caption = QStringLiteral("Sobre el Zirvano"),
            .Version_Caption = QStringLiteral("Versión 2.0.0"),
            .Comments_Caption = QStringLiteral("Zirvano se distribuido libremente"),
            .STextPagina_Caption = QStringLiteral("Página personal de Kaltor"),
            .STextPagina_Hint = QStringLiteral("Permite el acceso a la página de Kaltor - Velmiro"),
            .STextEMail_Hint = QStringLiteral("Permite el envío de EMail para Kaltor - Velmiro"),
            .BtnSobre_Caption = QStringLiteral("&Cerrar"),
            .BtnSobre_Hint = QStringLiteral("Cierres el \"Sobre\" y regresa a Zirvano"),
        },
        {
            .Caption = QStringLiteral("About the Zirvano"),
            .Version_Caption = QStringLiteral("Version 2.0.0"),
            .Comments_Caption = QStringLiteral("Zirvano is distributed in regime of FreeWare"),
            .STextPagina_Caption = QStringLiteral("Home Page of Kaltor"),
            .STextPagina_Hint =
                QStringLiteral("It allows the access to the page of the Kaltor - Velmiro"),
            .STextEMail_Hint =
                QStringLiteral("It allows the shipping of EMail for the Kaltor - Velmiro"),
            .BtnSobre_Caption = QStringLiteral("&Close"),
            .BtnSobre_Hint = QStringLiteral("Closes the \"About\" and it comes back to Zirvano"),
        },
    };
    return Idioma::Valido(idioma) ? &tabelas[idioma] : nullptr;
}
