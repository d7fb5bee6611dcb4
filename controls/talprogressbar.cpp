#include "controls/talprogressbar.h"

#include "controls/extendedshare.h"
#include "platform/muldiv.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

bool IsHorizontal(TProgressDirection d)
{
    return d == pdLeftToRight || d == pdRightToLeft;
}

QRect ToQRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

TALProgressBar::TALProgressBar(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(200, 20);
}

void TALProgressBar::Changed(bool patternChanged)
{
    if (patternChanged)
        mPatternStale = true;
    repaint();
}

void TALProgressBar::SetMin(int value)
{
    mMin = value;
    Changed(false);
}

void TALProgressBar::SetMax(int value)
{
    mMax = value;
    Changed(false);
}

void TALProgressBar::SetPosition(int value)
{
    if (value == mPosition || value > mMax || value < mMin)
        return;
    mPosition = value;
    mRebuild = false;
    repaint();
    mRebuild = true;
}

void TALProgressBar::SetBarColorStyle(TBarColorStyle value)
{
    mBarColorStyle = value;
    Changed(true);
}

void TALProgressBar::SetBarColor1(TColor value)
{
    mBarColor1 = value;
    Changed(true);
}

void TALProgressBar::SetBarColor2(TColor value)
{
    mBarColor2 = value;
    Changed(true);
}

void TALProgressBar::SetBarColor3(TColor value)
{
    mBarColor3 = value;
    Changed(true);
}

void TALProgressBar::SetBarBitmap(const QImage &value)
{
    mBarBitmap = value.copy();
    Changed(true);
}

void TALProgressBar::SetBackgroundColor(TColor value)
{
    mBackgroundColor = value;
    Changed(false);
}

void TALProgressBar::SetBorderColor1(TColor value)
{
    mBorderColor1 = value;
    Changed(false);
}

void TALProgressBar::SetBorderColor2(TColor value)
{
    mBorderColor2 = value;
    Changed(false);
}

void TALProgressBar::SetShowBorder(bool value)
{
    mShowBorder = value;
    Changed(false);
}

void TALProgressBar::SetDirection(TProgressDirection value)
{
    mDirection = value;
    Changed(true);
}

void TALProgressBar::SetShowPosText(bool value)
{
    mShowPosText = value;
    Changed(false);
}

void TALProgressBar::SetPosTextPrefix(const QString &value)
{
    mPosTextPrefix = value;
    Changed(false);
}

void TALProgressBar::SetPosTextSuffix(const QString &value)
{
    mPosTextSuffix = value;
    Changed(false);
}

void TALProgressBar::SetPercentage(bool value)
{
    mPercentage = value;
    Changed(false);
}

void TALProgressBar::SetFontColor(TColor value)
{
    mFontColor = value;
    Changed(false);
}

QString TALProgressBar::PosText() const
{
    std::int64_t number = mPosition;
    if (mPercentage) {
        // A maximum of 0 has no share to show.
        number = ExtendedRatio(mPosition, mMax, 100);
    }
    return mPosTextPrefix + QString::number(number) + mPosTextSuffix;
}

TColor TALProgressBar::GradientStep(TColor start, TColor end, int index, int count)
{
    if (index < 1 || index > count)
        throw std::out_of_range("ColorIndex can't be less than 1 or greater than " +
                                std::to_string(count));
    const TColor s = ColorToRGB(start);
    const TColor e = ColorToRGB(end);
    auto channel = [&](int from, int to) {
        const int step = count == 1 ? 0 : platform::MulDiv(index - 1, to - from, count - 1);
        return (from + step) & 0xFF;
    };
    return RGBColor(channel(RedOf(s), RedOf(e)), channel(GreenOf(s), GreenOf(e)),
                    channel(BlueOf(s), BlueOf(e)));
}

void TALProgressBar::BuildGradient()
{
    const int pw = width();
    const int ph = height();
    const bool horizontal = IsHorizontal(mDirection);
    const int extent = horizontal ? pw : ph;
    const bool three = mBarColorStyle == cs3Colors;
    const int n = three ? extent / 2 : extent;

    // Resolved once here, so the steps below never look at the palette.
    const TColor c1 = ColorToRGB(mBarColor1);
    const TColor c2 = ColorToRGB(mBarColor2);
    const TColor c3 = ColorToRGB(mBarColor3);
    const bool fromFar = mDirection == pdRightToLeft || mDirection == pdBottomToTop;
    TColor firstFrom = c1, firstTo = c2, secondFrom = c2, secondTo = c3;
    if (fromFar) {
        firstFrom = three ? c3 : c2;
        firstTo = three ? c2 : c1;
        secondTo = c1;
    }

    auto line = [&](int i, TColor colour) {
        const QRgb rgb = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
        if (horizontal) {
            for (int y = 0; y < ph; ++y)
                reinterpret_cast<QRgb *>(mBarPattern.scanLine(y))[i] = rgb;
        } else {
            auto *row = reinterpret_cast<QRgb *>(mBarPattern.scanLine(i));
            std::fill(row, row + pw, rgb);
        }
    };
    for (int i = 1; i <= n; ++i)
        line(i - 1, GradientStep(firstFrom, firstTo, i, n));
    if (three) {
        for (int i = n + 1; i <= extent; ++i)
            line(i - 1, GradientStep(secondFrom, secondTo, i - n, extent - n));
    }
}

void TALProgressBar::TileBitmap()
{
    const int bw = mBarBitmap.width();
    const int bh = mBarBitmap.height();
    mBarPattern.fill(Qt::white);
    QPainter p(&mBarPattern);
    // One more row and column than fit whole; the last ones are cut off.
    for (int y = 0; y <= height() / bh; ++y)
        for (int x = 0; x <= width() / bw; ++x)
            p.drawImage(x * bw, y * bh, mBarBitmap);
}

void TALProgressBar::DrawBar(QPainter &painter)
{
    const int w = width();
    const int h = height();
    const bool rebuild = mRebuild || mPatternStale || mBarPattern.size() != size();
    const bool usesPattern = !mBarBitmap.isNull() || mBarColorStyle != cs1Color;
    if (usesPattern && rebuild) {
        if (mBarPattern.size() != size())
            mBarPattern = QImage(size(), QImage::Format_RGB32);
        if (!mBarPattern.isNull()) {
            if (!mBarBitmap.isNull())
                TileBitmap();
            else
                BuildGradient();
            mPatternStale = false;
        }
    }
    if (!usesPattern)
        painter.fillRect(0, 0, w, h, ToQColor(mBarColor1));
    else if (mBarPattern.isNull())
        // A pattern too large to allocate: no bar, only its background.
        painter.fillRect(0, 0, w, h, ToQColor(mBackgroundColor));
    else
        painter.drawImage(0, 0, mBarPattern);

    const int border = mShowBorder ? 1 : 0;
    const int left = border;
    const int top = border;
    const int right = w - border;
    const int bottom = h - border;
    const int length = std::max(0, (IsHorizontal(mDirection) ? w : h) - 2 * border);

    // A Position left outside a changed range is drawn as if clamped.
    std::int64_t filled = 0;
    if (mMin < mPosition && mMax != mMin) {
        const std::int64_t range = std::int64_t(mMax) - mMin;
        filled = ExtendedRatio(std::int64_t(mPosition) - mMin, range < 0 ? -range : range, length);
    }
    const int rest = length - int(std::clamp<std::int64_t>(filled, 0, length));

    QRect back;
    switch (mDirection) {
    case pdLeftToRight:
        back = ToQRect(right - rest, top, right, bottom);
        break;
    case pdRightToLeft:
        back = ToQRect(left, top, left + rest, bottom);
        break;
    case pdBottomToTop:
        back = ToQRect(left, top, right, top + rest);
        break;
    case pdTopToBottom:
        back = ToQRect(left, bottom - rest, right, bottom);
        break;
    }
    if (back.isValid())
        painter.fillRect(back, ToQColor(mBackgroundColor));
}

void TALProgressBar::DrawFrame(QPainter &painter)
{
    const int w = width();
    const int h = height();
    const QColor c1 = ToQColor(mBorderColor1);
    const QColor c2 = ToQColor(mBorderColor2);
    painter.fillRect(0, 0, w, 1, c1);
    painter.fillRect(0, 0, 1, h, c1);
    painter.fillRect(1, h - 1, w - 1, 1, c2);
    painter.fillRect(w - 1, 1, 1, h - 1, c2);
}

void TALProgressBar::DrawText(QPainter &painter)
{
    const QString text = PosText();
    const QFontMetrics fm(font());
    const int x = width() / 2 - fm.horizontalAdvance(text) / 2;
    const int y = height() / 2 - fm.height() / 2;
    painter.setFont(font());
    painter.setPen(ToQColor(mFontColor));
    painter.drawText(x, y + fm.ascent(), text);
}

void TALProgressBar::Compose()
{
    if (size().isEmpty())
        return;
    if (mFrameBuffer.size() != size())
        mFrameBuffer = QImage(size(), QImage::Format_RGB32);
    if (mFrameBuffer.isNull())
        return;
    QPainter painter(&mFrameBuffer);
    DrawBar(painter);
    if (mShowBorder)
        DrawFrame(painter);
    if (mShowPosText)
        DrawText(painter);
}

void TALProgressBar::paintEvent(QPaintEvent *event)
{
    Compose();
    QPainter p(this);
    // A control too large for its picture shows only its background.
    if (mFrameBuffer.isNull())
        p.fillRect(event->rect(), ToQColor(mBackgroundColor));
    else
        p.drawImage(0, 0, mFrameBuffer);
}

void TALProgressBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        repaint();
    QWidget::changeEvent(event);
}
