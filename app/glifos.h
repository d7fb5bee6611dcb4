#pragma once

#include <QIcon>

// Small pictures drawn at run time for the main window, where no stock icon
// fits: nothing is loaded from files.
namespace Glifos {

// A keyboard seen from above.
QIcon Teclado();
// The letters "ABC", for the language choice.
QIcon Abc();
// The letter K in Morse, dash dot dash: the Koch course's first letter.
QIcon Pratica();

} // namespace Glifos
