#include "app/glifos.h"

#include "controls/fonte.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace Glifos {
namespace {

QPixmap Tela(int lado)
{
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QIcon Teclado()
{
    QPixmap pixmap = Tela(32);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(192, 192, 192));
    p.drawRoundedRect(QRectF(1.5, 8.5, 29, 17), 2, 2);
    p.setBrush(Qt::white);
    for (int fila = 0; fila < 3; ++fila)
        for (int col = 0; col < 6; ++col)
            p.drawRect(4 + col * 4 + (fila % 2), 11 + fila * 4, 2, 2);
    p.drawRect(9, 22, 13, 1); // space bar
    return QIcon(pixmap);
}

QIcon Abc()
{
    QPixmap pixmap = Tela(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(Fonte(14));
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("ABC"));
    p.setPen(QPen(QColor(128, 0, 0), 2));
    p.drawLine(4, 24, 28, 24);
    return QIcon(pixmap);
}

QIcon Pratica()
{
    QPixmap pixmap = Tela(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawRoundedRect(QRectF(1, 13, 11, 6), 3, 3);
    p.drawEllipse(QRectF(13, 13, 6, 6));
    p.drawRoundedRect(QRectF(20, 13, 11, 6), 3, 3);
    return QIcon(pixmap);
}

} // namespace Glifos
