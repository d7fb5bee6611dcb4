#pragma once

#include <QString>

// Texts of the virtual keyboard window, one table per language.
struct TextosTeclado
{
    QString Caption;     // window caption, also the window's hint
    QString BitBtn_Hint; // the same hint on every key button
    QString BitBtn_Espaco_Caption;
    QString Edit_Letras_Hint;
    QString SBtn_Fechar_Caption;
    QString SBtn_Fechar_Hint;
    QString SB_Ini_Frase_Caption;
    QString SB_Ini_Frase_Hint;
    QString Edit_Frase_Hint;
    QString Lb_Frase_Caption;
};

// The table of language idioma (text/idioma.h), or nullptr for any other index.
const TextosTeclado *TextosTeclado_(int idioma);
