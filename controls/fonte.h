#pragma once

#include <QFont>

// The windows are laid out in Times New Roman at pixel sizes; fontconfig
// maps it to Liberation Serif, which has the same metrics.
QFont Fonte(int pixels, bool negrito = true);
