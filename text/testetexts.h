#pragma once

#include "text/texto.h"

// The reception test window's texts in one language.
struct TextosTeste
{
    // The window's caption, which is also its hint.
    Texto Caption;
    Texto ALPBar_Suffix;
    Texto ALPBar_Hint;
    Texto ALBar_Erro_Suffix;
    Texto ALBar_Erro_Hint;
    Texto Btn_Teste_Caption;
    Texto Btn_Teste_Hint;
    Texto Btn_Fechar_Caption;
    Texto Btn_Fechar_Hint;
    // Verdicts shown after an answer.
    Texto Acertou;
    Texto Errou;
};

// The table of language idioma (0, 1, 2), or nullptr for any other index.
const TextosTeste *TextosTeste_(int idioma);
