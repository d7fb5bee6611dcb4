#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// The program's one colour type: red in the low byte, then green, then blue.
// A value 0x80000000 + n is system colour n; it is looked up in the
// application palette each time a control draws, so a palette change shows at
// the next paint.
using TColor = std::uint32_t;

inline constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
inline constexpr int RedOf(TColor c)
{
    return int(c & 0xFF);
}
inline constexpr int GreenOf(TColor c)
{
    return int((c >> 8) & 0xFF);
}
inline constexpr int BlueOf(TColor c)
{
    return int((c >> 16) & 0xFF);
}
inline constexpr bool IsSystemColor(TColor c)
{
    return (c & 0x80000000u) != 0;
}

inline constexpr TColor clBlack = RGBColor(0, 0, 0);
inline constexpr TColor clMaroon = RGBColor(128, 0, 0);
inline constexpr TColor clGreen = RGBColor(0, 128, 0);
inline constexpr TColor clOlive = RGBColor(128, 128, 0);
inline constexpr TColor clNavy = RGBColor(0, 0, 128);
inline constexpr TColor clPurple = RGBColor(128, 0, 128);
inline constexpr TColor clTeal = RGBColor(0, 128, 128);
inline constexpr TColor clGray = RGBColor(128, 128, 128);
inline constexpr TColor clSilver = RGBColor(192, 192, 192);
inline constexpr TColor clRed = RGBColor(255, 0, 0);
inline constexpr TColor clLime = RGBColor(0, 255, 0);
inline constexpr TColor clYellow = RGBColor(255, 255, 0);
inline constexpr TColor clBlue = RGBColor(0, 0, 255);
inline constexpr TColor clFuchsia = RGBColor(255, 0, 255);
inline constexpr TColor clAqua = RGBColor(0, 255, 255);
inline constexpr TColor clWhite = RGBColor(255, 255, 255);

inline constexpr TColor clSystemColor = 0x80000000u;
inline constexpr TColor clScrollBar = clSystemColor + 0;
inline constexpr TColor clBackground = clSystemColor + 1;
inline constexpr TColor clActiveCaption = clSystemColor + 2;
inline constexpr TColor clInactiveCaption = clSystemColor + 3;
inline constexpr TColor clMenu = clSystemColor + 4;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowFrame = clSystemColor + 6;
inline constexpr TColor clMenuText = clSystemColor + 7;
inline constexpr TColor clWindowText = clSystemColor + 8;
inline constexpr TColor clCaptionText = clSystemColor + 9;
inline constexpr TColor clActiveBorder = clSystemColor + 10;
inline constexpr TColor clInactiveBorder = clSystemColor + 11;
inline constexpr TColor clAppWorkSpace = clSystemColor + 12;
inline constexpr TColor clHighlight = clSystemColor + 13;
inline constexpr TColor clHighlightText = clSystemColor + 14;
inline constexpr TColor clBtnFace = clSystemColor + 15;
inline constexpr TColor clBtnShadow = clSystemColor + 16;
inline constexpr TColor clGrayText = clSystemColor + 17;
inline constexpr TColor clBtnText = clSystemColor + 18;
inline constexpr TColor clInactiveCaptionText = clSystemColor + 19;
inline constexpr TColor clBtnHighlight = clSystemColor + 20;
inline constexpr TColor cl3DDkShadow = clSystemColor + 21;
inline constexpr TColor cl3DLight = clSystemColor + 22;
inline constexpr TColor clInfoText = clSystemColor + 23;
inline constexpr TColor clInfoBk = clSystemColor + 24;

// The RGB value a colour stands for now: system colours from the application
// palette (black for an unknown number), plain colours unchanged.
TColor ColorToRGB(TColor color);

// The colour as Qt draws it (system colours resolved as above).
QColor ToQColor(TColor color);

class QWidget;
// Sets one colour role of a widget's palette.
void Pinta(QWidget *widget, QPalette::ColorRole papel, TColor cor);
// The same, for a widget that fills its background with that role.
void Fundo(QWidget *widget, QPalette::ColorRole papel, TColor cor);

// The RGB value of a Qt colour; alpha is dropped.
TColor FromQColor(const QColor &color);
