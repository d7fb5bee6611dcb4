#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// International Morse code as the course and the exports key it: A-Z, 0-9,
// . , ? / = + -, and the accented letters the trainer's own keyers know
// (Ç, É, Ã). Patterns are written with '.' for a dot and '-' for a dash.
namespace MorseAlphabet {

// The pattern of c, in either case; empty when c has none.
QByteArray Pattern(QChar c);

// Every character with a pattern, in upper case, in the table's order.
QString Characters();

} // namespace MorseAlphabet
