#pragma once

#include <QString>

// Texts of the about window, one table per language. The e-mail link's
// caption is the address itself and does not depend on the language.
struct TextosSobre
{
    QString Caption; // window caption and window hint
    QString Version_Caption;
    QString Comments_Caption;
    QString STextPagina_Caption;
    QString STextPagina_Hint;
    QString STextEMail_Hint;
    QString BtnSobre_Caption;
    QString BtnSobre_Hint;
};

// The table of language idioma (0, 1, 2), or nullptr for any other index.
const TextosSobre *TextosSobre_(int idioma);
