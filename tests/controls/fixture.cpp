#include "fixture.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

namespace fixture {

void UseFixedLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QPalette pal = QApplication::style()->standardPalette();
    pal.setColor(QPalette::Button, ToQColor(BtnFace));
    pal.setColor(QPalette::Window, ToQColor(BtnFace));
    pal.setColor(QPalette::Dark, ToQColor(BtnShadow));
    pal.setColor(QPalette::Light, ToQColor(BtnHighlight));
    pal.setColor(QPalette::Shadow, ToQColor(WindowFrame));
    pal.setColor(QPalette::Disabled, QPalette::Text, ToQColor(GrayText));
    QApplication::setPalette(pal);
}

QFont SharpFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

TColor PixelAt(const QImage &image, int x, int y)
{
    return FromQColor(QColor(image.pixel(x, y)));
}

bool HasColour(const QImage &image, TColor colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) == colour)
                return true;
    return false;
}

QString Mismatch(const QImage &image, const std::function<TColor(int x, int y)> &expected)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const TColor want = expected(x, y);
            if (PixelAt(image, x, y) != want)
                return QStringLiteral("pixel %1,%2 is %3, not %4")
                    .arg(x)
                    .arg(y)
                    .arg(PixelAt(image, x, y), 6, 16, QLatin1Char('0'))
                    .arg(want, 6, 16, QLatin1Char('0'));
        }
    }
    return QString();
}

} // namespace fixture
