#include "controls/colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace {

QColor SystemColor(unsigned index)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        return pal.color(QPalette::Button);
    case 1:  // desktop
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
        return pal.color(QPalette::Window);
    case 2:  // active caption
    case 13: // highlight
        return pal.color(QPalette::Highlight);
    case 3: // inactive caption
        return pal.color(QPalette::Inactive, QPalette::Highlight);
    case 5: // window
        return pal.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3D dark shadow
        return pal.color(QPalette::Shadow);
    case 7: // menu text
        return pal.color(QPalette::WindowText);
    case 8: // window text
        return pal.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlight text
        return pal.color(QPalette::HighlightedText);
    case 12: // application workspace
        return pal.color(QPalette::Mid);
    case 16: // button shadow
        return pal.color(QPalette::Dark);
    case 17: // gray text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return pal.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return pal.color(QPalette::Light);
    case 22: // 3D light
        return pal.color(QPalette::Midlight);
    case 23: // tooltip text
        return pal.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return pal.color(QPalette::ToolTipBase);
    default:
        return QColor(Qt::black);
    }
}

} // namespace

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color))
        return FromQColor(SystemColor(color & 0x7FFFFFFFu));
    return color & 0x00FFFFFFu;
}

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TColor FromQColor(const QColor &color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}

void Pinta(QWidget *widget, QPalette::ColorRole papel, TColor cor)
{
    QPalette paleta = widget->palette();
    paleta.setColor(papel, ToQColor(cor));
    widget->setPalette(paleta);
}

void Fundo(QWidget *widget, QPalette::ColorRole papel, TColor cor)
{
    Pinta(widget, papel, cor);
    widget->setAutoFillBackground(true);
}
