#include "controls/tgauge.h"

#include "controls/einvalidoperation.h"
#include "controls/extendedshare.h"
#include "controls/tbltbitmap.h"

#include <QPainter>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// A rectangle as the drawing rules state it: right and bottom excluded.
struct Edges
{
    int left, top, right, bottom;
};

QRect ToQRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// The bounds of the range error are 32-bit integers: one past either end
// wraps round to the other.
int Soma32(int a, int b)
{
    return static_cast<int>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// Rounding of the pie and needle points: to nearest, halves to even.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

// Counter-clockwise angle, in Qt's sixteenths of a degree, of the radial
// through (x, y) of the ellipse inscribed in box.
int RadialAngle16(const QRectF &box, double x, double y)
{
    const QPointF c = box.center();
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    if (rx <= 0 || ry <= 0)
        return 0;
    // Qt draws an elliptic arc by scaling a circular one, so the angle it
    // takes is the circle's angle of the point scaled back.
    const double deg = std::atan2((c.y() - y) / ry, (x - c.x()) / rx) * 180.0 / std::numbers::pi;
    return int(std::lround(deg * 16.0));
}

// A filled pie of the ellipse in the box (right and bottom excluded) running
// counter-clockwise from the radial through `from` to the one through `to`;
// equal radials give the whole ellipse, as the system's pie does.
void DrawPie(QPainter &p, const Edges &box, QPointF from, QPointF to)
{
    const QRectF r(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
    const int start = RadialAngle16(r, from.x(), from.y());
    int span = RadialAngle16(r, to.x(), to.y()) - start;
    while (span <= 0)
        span += 360 * 16;
    if (span > 360 * 16)
        span -= 360 * 16;
    p.drawPie(r, start, span);
}

} // namespace

TGauge::TGauge(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(100, 100);
}

void TGauge::Changed()
{
    repaint();
}

void TGauge::SetKind(TGaugeKind value)
{
    if (value == mKind)
        return;
    mKind = value;
    Changed();
}

void TGauge::SetShowText(bool value)
{
    if (value == mShowText)
        return;
    mShowText = value;
    Changed();
}

void TGauge::SetBorderStyle(TBorderStyle value)
{
    if (value == mBorderStyle)
        return;
    mBorderStyle = value;
    Changed();
}

void TGauge::SetForeColor(TColor value)
{
    if (value == mForeColor)
        return;
    mForeColor = value;
    Changed();
}

void TGauge::SetBackColor(TColor value)
{
    if (value == mBackColor)
        return;
    mBackColor = value;
    Changed();
}

TColor TGauge::Color() const
{
    if (mParentColor && parentWidget())
        return FromQColor(parentWidget()->palette().color(parentWidget()->backgroundRole()));
    return mColor;
}

void TGauge::SetColor(TColor value)
{
    if (value == mColor && !mParentColor)
        return;
    mColor = value;
    mParentColor = false;
    Changed();
}

void TGauge::SetParentColor(bool value)
{
    if (value == mParentColor)
        return;
    mParentColor = value;
    Changed();
}

void TGauge::SetMinValue(int value)
{
    if (value == mMinValue)
        return;
    if (value > mMaxValue && !mLoading)
        throw EInvalidOperation(
            QString::asprintf("Valor deve estar entre %d e %d", -2147483647, Soma32(mMaxValue, -1))
                .toStdString());
    mMinValue = value;
    if (mProgress < value)
        mProgress = value;
    Changed();
}

void TGauge::SetMaxValue(int value)
{
    if (value == mMaxValue)
        return;
    if (value < mMinValue && !mLoading)
        throw EInvalidOperation(
            QString::asprintf("Valor deve estar entre %d e %d", Soma32(mMinValue, 1), 2147483647)
                .toStdString());
    mMaxValue = value;
    if (mProgress > value)
        mProgress = value;
    Changed();
}

void TGauge::SetProgress(int value)
{
    if (value < mMinValue)
        value = mMinValue;
    else if (value > mMaxValue)
        value = mMaxValue;
    if (value == mProgress)
        return;
    const int before = PercentDone();
    mProgress = value;
    if (PercentDone() != before)
        Changed();
}

int TGauge::PercentDone() const
{
    const std::int64_t range = std::int64_t(mMaxValue) - mMinValue;
    if (range == 0)
        return 0;
    return int((std::int64_t(mProgress) - mMinValue) * 100 / range);
}

QRect TGauge::PaintRect() const
{
    QRect r = rect();
    if (mBorderStyle == bsSingle)
        r.adjust(1, 1, -1, -1);
    return r;
}

QImage TGauge::Compose() const
{
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::black);
    const QRect paintRect = PaintRect();
    // A framed gauge one pixel wide or tall is all frame.
    if (paintRect.isEmpty())
        return image;

    TBltBitmap overlay;
    overlay.MakeLike(image);
    overlay.fill(Qt::black);
    PaintFigure(overlay, paintRect);
    {
        QPainter p(&image);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.drawImage(0, 0, overlay);
    }
    if (mShowText)
        PaintText(image, paintRect);
    return image;
}

void TGauge::PaintFigure(QImage &overlay, const QRect &paintRect) const
{
    const Edges pr{paintRect.left(), paintRect.top(), paintRect.left() + paintRect.width(),
                   paintRect.top() + paintRect.height()};
    const int p = PercentDone();
    const QColor fore = ToQColor(mForeColor);
    const QColor back = ToQColor(mBackColor);

    QPainter painter(&overlay);
    // Whatever the figure, the frame of bsSingle stays black.
    painter.setClipRect(paintRect);

    switch (mKind) {
    case gkText:
        painter.fillRect(paintRect, back);
        break;
    case gkHorizontalBar:
    case gkVerticalBar: {
        // One more than the rectangle's size; used as coordinates below.
        const int w = pr.right - pr.left + 1;
        const int h = pr.bottom - pr.top + 1;
        painter.fillRect(paintRect, back);
        if (mKind == gkHorizontalBar) {
            int fill = ExtendedShare(w, p);
            if (fill > w)
                fill = w;
            if (fill > 0)
                painter.fillRect(ToQRect(pr.left, pr.top, fill, h), fore);
        } else {
            int fill = ExtendedShare(h, p);
            if (fill >= h)
                fill = h - 1;
            if (fill > 0)
                painter.fillRect(ToQRect(pr.left, h - fill, w, h), fore);
        }
        break;
    }
    case gkPie:
    case gkNeedle: {
        const int extra = mBorderStyle == bsSingle ? 1 : 0;
        const int w = pr.right - pr.left + extra;
        const int h = pr.bottom - pr.top + extra;
        painter.fillRect(paintRect, ToQColor(Color()));
        painter.setPen(QPen(fore, 1));
        painter.setBrush(back);
        if (mKind == gkPie) {
            const Edges box{pr.left, pr.top, w, h};
            const QRectF r(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
            painter.drawEllipse(r);
            if (p > 0) {
                const double mx = w / 2;
                const double my = h / 2;
                const double a = std::numbers::pi * (p * 0.02 + 0.5);
                const QPointF from(RoundEven(mx * (1 - std::cos(a))),
                                   RoundEven(my * (1 - std::sin(a))));
                painter.setBrush(fore);
                DrawPie(painter, box, from, QPointF(mx, 0));
            }
        } else {
            const Edges box{pr.left, pr.top, w, 2 * h - 1};
            DrawPie(painter, box, QPointF(pr.left + w, pr.bottom - 1),
                    QPointF(pr.left, pr.bottom - 1));
            painter.drawLine(pr.left, pr.bottom, pr.left + w - 1, pr.bottom);
            if (p > 0) {
                const double mx = width() / 2;
                const double a = std::numbers::pi * p * 0.01;
                const QPoint ponta(RoundEven(mx * (1 - std::cos(a))),
                                   RoundEven((pr.bottom - 1) * (1 - std::sin(a))));
                // Qt's line includes its last point, the needle's leaves it
                // out: the tip gets back what lay under it.
                const bool naImagem = overlay.rect().contains(ponta);
                const QColor sob = naImagem ? overlay.pixelColor(ponta) : QColor();
                painter.drawLine(QPoint(width() / 2, pr.bottom - 1), ponta);
                if (naImagem)
                    painter.fillRect(QRect(ponta, QSize(1, 1)), sob);
            }
        }
        break;
    }
    }
}

void TGauge::PaintText(QImage &image, const QRect &paintRect) const
{
    const QString s = QString::asprintf("%d%%", PercentDone());
    TBltBitmap textImage;
    textImage.MakeLike(image);
    textImage.fill(Qt::black);
    {
        // Pure white letters, so each pixel of a letter inverts exactly what
        // lies under it.
        QFont f = font();
        f.setStyleStrategy(QFont::NoAntialias);
        const QFontMetrics fm(f);
        const int x = (paintRect.width() + 1 - fm.horizontalAdvance(s)) / 2;
        const int y = (paintRect.height() + 1 - fm.height()) / 2;
        QPainter p(&textImage);
        p.setFont(f);
        p.setPen(Qt::white);
        p.setClipRect(paintRect);
        p.drawText(x, y + fm.ascent(), s);
    }
    QPainter p(&image);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(0, 0, textImage);
}

void TGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, Compose());
}
