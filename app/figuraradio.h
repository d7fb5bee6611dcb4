#pragma once

#include <QPixmap>
#include <QSize>

// The "Radio" picture of the about and language windows: a telegraph key on
// its wooden base beside an aerial sending waves, drawn for the given size
// (transparent background).
QPixmap FiguraRadio(const QSize &tamanho);
