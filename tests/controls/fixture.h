#pragma once

#include "controls/colors.h"

#include <QFont>
#include <QImage>
#include <functional>

// A fixed look for pixel tests: the Fusion style and a palette whose system
// colours are all distinct, so every resolved colour can be told apart.
namespace fixture {

inline constexpr TColor BtnFace = RGBColor(200, 201, 202);
inline constexpr TColor BtnShadow = RGBColor(100, 101, 102);
inline constexpr TColor BtnHighlight = RGBColor(250, 251, 252);
inline constexpr TColor WindowFrame = RGBColor(1, 2, 3);
inline constexpr TColor GrayText = RGBColor(120, 121, 122);

void UseFixedLook();

// A font drawn without antialiasing, so ink pixels carry the exact colour.
QFont SharpFont(int pixelSize, bool bold = false);

TColor PixelAt(const QImage &image, int x, int y);
bool HasColour(const QImage &image, TColor colour);

// Empty when every pixel is the colour expected, else the first that is not.
QString Mismatch(const QImage &image, const std::function<TColor(int x, int y)> &expected);

} // namespace fixture
