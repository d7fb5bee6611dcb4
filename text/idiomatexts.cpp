#include "text/idiomatexts.h"

const TextosIdioma &TextosIdioma_()
{
    static const TextosIdioma textos{
        .Caption = QStringLiteral("Zirvano"),
        .RG_Idioma_Caption = QStringLiteral("Escolha o Idioma"),
        .RG_Idioma_Itens = {QStringLiteral("&Português"), QStringLiteral("&Español"),
                            QStringLiteral("E&nglish")},
        .NomeAplic_Caption = QStringLiteral("Zirvano"),
        .Versao_Caption = QStringLiteral("Versão 2.0.0"),
        .Comentarios_Caption = QStringLiteral("Zirvano é distribuído em regime de FreeWare"),
        .STPagIdioma_Caption = QStringLiteral("Página do desenvolvedor Kaltor - Velmiro"),
        .STEMailIdioma_Hint = QStringLiteral("  Permite enviar EMail para o Kaltor - Velmiro"),
    };
    return textos;
}

const TextosIdiomaRotativos *TextosIdiomaRotativos_(int conta)
{
    static const TextosIdiomaRotativos linhas[3] = {
        {
            .Versao_Caption = QStringLiteral("Versión 2.0.1"),
            .Comentarios_Caption = QStringLiteral("Zirvano se distribuido libremente"),
            .STPagIdioma_Caption = QStringLiteral("Página personal de Kaltor"),
            .RG_Idioma_Caption = QStringLiteral("Opción el Idioma"),
        },
        {
            .Versao_Caption = QStringLiteral("Version 2.0.1"),
            .Comentarios_Caption = QStringLiteral("Zirvano is distributed in regime of FreeWare"),
            .STPagIdioma_Caption = QStringLiteral("Home Page of Kaltor"),
            .RG_Idioma_Caption = QStringLiteral("Choice the Language"),
        },
        {
            .Versao_Caption = QStringLiteral("Versão 2.0.1"),
            .Comentarios_Caption = QStringLiteral("Zirvano é distribuído em regime de FreeWare"),
            .STPagIdioma_Caption = QStringLiteral("Página Pessoal do Kaltor"),
            .RG_Idioma_Caption = QStringLiteral("Escolha o Idioma"),
        },
    };
    return conta >= 0 && conta < 3 ? &linhas[conta] : nullptr;
}
