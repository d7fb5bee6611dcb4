#pragma once

#include "text/texto.h"

// Texts of the language window. They do not follow the program's language:
// the window shows its design texts, then rotates through the three rows of
// TextosIdiomaRotativos_ every two seconds.
struct TextosIdioma
{
    Texto Caption;
    Texto RG_Idioma_Caption;
    Texto RG_Idioma_Itens[3];
    Texto NomeAplic_Caption;
    Texto Versao_Caption;
    Texto Comentarios_Caption;
    Texto STPagIdioma_Caption;
    Texto STEMailIdioma_Hint;
};

// The design texts, shown until the first tick of the window's timer.
const TextosIdioma &TextosIdioma_();

// One row of the rotating texts.
struct TextosIdiomaRotativos
{
    Texto Versao_Caption;
    Texto Comentarios_Caption;
    Texto STPagIdioma_Caption;
    Texto RG_Idioma_Caption;
};

// The row for a value of ContaIdioma: 0 Spanish, 1 English, 2 Portuguese;
// nullptr for any other value.
const TextosIdiomaRotativos *TextosIdiomaRotativos_(int conta);
