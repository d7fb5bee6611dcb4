#include "app/figuraradio.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// Drawn on a 178 x 82 board and scaled to the requested size.
constexpr qreal Largura = 178;
constexpr qreal Altura = 82;

QLinearGradient latao(qreal topo, qreal base)
{
    QLinearGradient g(0, topo, 0, base);
    g.setColorAt(0, QColor(255, 236, 150));
    g.setColorAt(0.5, QColor(214, 168, 58));
    g.setColorAt(1, QColor(140, 96, 24));
    return g;
}

void desenhaManipulador(QPainter &p)
{
    const QPen contorno(QColor(60, 36, 14), 1.2);

    // Wooden base.
    QLinearGradient madeira(0, 58, 0, 76);
    madeira.setColorAt(0, QColor(190, 124, 66));
    madeira.setColorAt(1, QColor(110, 62, 28));
    p.setPen(contorno);
    p.setBrush(madeira);
    p.drawRoundedRect(QRectF(4, 58, 126, 17), 4, 4);

    // Contact post under the knob, trunnion and spring post at the back.
    p.setBrush(latao(48, 58));
    p.drawRect(QRectF(30, 51, 6, 7));
    p.drawRect(QRectF(88, 40, 14, 18));
    p.drawRect(QRectF(110, 47, 6, 11));
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QRectF(92, 43, 6, 6));

    // Lever, tilted down towards the knob.
    p.setBrush(latao(38, 50));
    p.drawPolygon(
        QPolygonF({QPointF(122, 42), QPointF(122, 48), QPointF(26, 50), QPointF(26, 44)}));

    // Knob: a black cap on a short stem.
    QLinearGradient preto(0, 24, 0, 40);
    preto.setColorAt(0, QColor(110, 110, 110));
    preto.setColorAt(1, QColor(10, 10, 10));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(preto);
    p.drawRect(QRectF(24, 36, 8, 9));
    p.drawEllipse(QRectF(12, 24, 32, 14));

    // Binding screws on the base.
    p.setBrush(latao(62, 70));
    p.drawEllipse(QRectF(10, 62, 7, 7));
    p.drawEllipse(QRectF(118, 62, 7, 7));
}

void desenhaAntena(QPainter &p)
{
    const QPointF topo(154, 22);
    p.setPen(QPen(QColor(0, 0, 128), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(154, 76), topo);
    p.drawLine(QPointF(144, 76), QPointF(154, 48));
    p.drawLine(QPointF(164, 76), QPointF(154, 48));
    p.setBrush(QColor(255, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(topo, 3.5, 3.5);

    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 7.0 * i;
        p.setPen(QPen(QColor(255, 0, 0, 255 - 50 * i), 2, Qt::SolidLine, Qt::RoundCap));
        const QRectF arco(topo.x() - r, topo.y() - r, 2 * r, 2 * r);
        p.drawArc(arco, -40 * 16, 80 * 16);
        p.drawArc(arco, 140 * 16, 80 * 16);
    }
}

} // namespace

QPixmap FiguraRadio(const QSize &tamanho)
{
    QImage imagem(tamanho, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::transparent);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(tamanho.width() / Largura, tamanho.height() / Altura);
    desenhaManipulador(p);
    desenhaAntena(p);
    p.end();
    return QPixmap::fromImage(imagem);
}
