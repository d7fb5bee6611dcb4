#pragma once

#include "text/texto.h"

// Texts of the about window, one table per language. The e-mail link's
// caption is the address itself and does not depend on the language.
struct TextosSobre
{
    Texto Caption; // window caption and window hint
    Texto Version_Caption;
    Texto Comments_Caption;
    Texto STextPagina_Caption;
    Texto STextPagina_Hint;
    Texto STextEMail_Hint;
    Texto BtnSobre_Caption;
    Texto BtnSobre_Hint;
};

// The table of language idioma (0, 1, 2), or nullptr for any other index.
const TextosSobre *TextosSobre_(int idioma);
