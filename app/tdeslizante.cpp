#include "app/tdeslizante.h"

#include <QStyleOptionSlider>
#include <QStylePainter>

TDeslizante::TDeslizante(QWidget *parent) : QSlider(Qt::Vertical, parent)
{
    setInvertedAppearance(true);
    setInvertedControls(true);
}

void TDeslizante::paintEvent(QPaintEvent *)
{
    QStyleOptionSlider opcao;
    initStyleOption(&opcao);
    // Drawn as an upright slider at the mirrored position: the handle lands
    // where it is, and the style's fill, which runs from the minimum's end,
    // rises from the bottom.
    const auto espelho = [&opcao](int valor) {
        return int(qint64(opcao.maximum) + opcao.minimum - valor);
    };
    opcao.upsideDown = !opcao.upsideDown;
    opcao.sliderPosition = espelho(opcao.sliderPosition);
    opcao.sliderValue = espelho(opcao.sliderValue);
    opcao.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    if (tickPosition() != NoTicks)
        opcao.subControls |= QStyle::SC_SliderTickmarks;
    QStylePainter pintor(this);
    pintor.drawComplexControl(QStyle::CC_Slider, opcao);
}
