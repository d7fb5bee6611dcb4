#pragma once

#include "text/texto.h"

// Texts of the virtual keyboard window, one table per language.
struct TextosTeclado
{
    Texto Caption;     // window caption, also the window's hint
    Texto BitBtn_Hint; // the same hint on every key button
    Texto BitBtn_Espaco_Caption;
    Texto Edit_Letras_Hint;
    Texto SBtn_Fechar_Caption;
    Texto SBtn_Fechar_Hint;
    Texto SB_Ini_Frase_Caption;
    Texto SB_Ini_Frase_Hint;
    Texto Edit_Frase_Hint;
    Texto Lb_Frase_Caption;
};

// The table of language idioma (text/idioma.h), or nullptr for any other index.
const TextosTeclado *TextosTeclado_(int idioma);
