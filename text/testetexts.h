#pragma once

#include <QString>

// The reception test window's texts in one language.
struct TextosTeste
{
    // The window's caption, which is also its hint.
    QString Caption;
    QString ALPBar_Suffix;
    QString ALPBar_Hint;
    QString ALBar_Erro_Suffix;
    QString ALBar_Erro_Hint;
    QString Btn_Teste_Caption;
    QString Btn_Teste_Hint;
    QString Btn_Fechar_Caption;
    QString Btn_Fechar_Hint;
    // Verdicts shown after an answer.
    QString Acertou;
    QString Errou;
};

// The table of language idioma (0, 1, 2), or nullptr for any other index.
const TextosTeste *TextosTeste_(int idioma);
