#pragma once

#include <QString>

// Texts of the language window. They do not follow the program's language:
// the window shows its design texts, then rotates through the three rows of
// TextosIdiomaRotativos_ every two seconds.
struct TextosIdioma
{
    QString Caption;
    QString RG_Idioma_Caption;
    QString RG_Idioma_Itens[3];
    QString NomeAplic_Caption;
    QString Versao_Caption;
    QString Comentarios_Caption;
    QString STPagIdioma_Caption;
    QString STEMailIdioma_Hint;
};

// The design texts, shown until the first tick of the window's timer.
const TextosIdioma &TextosIdioma_();

// One row of the rotating texts.
struct TextosIdiomaRotativos
{
    QString Versao_Caption;
    QString Comentarios_Caption;
    QString STPagIdioma_Caption;
    QString RG_Idioma_Caption;
};

// The row for a value of ContaIdioma: 0 Spanish, 1 English, 2 Portuguese;
// nullptr for any other value.
const TextosIdiomaRotativos *TextosIdiomaRotativos_(int conta);
