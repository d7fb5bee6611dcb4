#include "controls/tdrlabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int MaxCaption = 255;
}

TDRLabel::TDRLabel(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(65, 17);
    mSavedFontColor = mFontColor;
    mTimer.setInterval(mBlinkInterval);
    connect(&mTimer, &QTimer::timeout, this, &TDRLabel::BlinkTick);
    // Room for the shadow.
    resize(width() + mDeep, height() + mDeep);
}

void TDRLabel::SetCaption(const QString &value)
{
    if (value == mCaption)
        return;
    mCaption = value;
    AdjustBounds();
    update();
}

void TDRLabel::SetAlignment(Qt::Alignment value)
{
    value &= Qt::AlignHorizontal_Mask;
    if (value == mAlignment)
        return;
    mAlignment = value;
    update();
}

void TDRLabel::SetAutoSize(bool value)
{
    if (value == mAutoSize)
        return;
    mAutoSize = value;
    AdjustBounds();
}

void TDRLabel::SetWordWrap(bool value)
{
    if (value == mWordWrap)
        return;
    mWordWrap = value;
    AdjustBounds();
    update();
}

void TDRLabel::SetShowAccelChar(bool value)
{
    if (value == mShowAccelChar)
        return;
    mShowAccelChar = value;
    AdjustBounds();
    update();
}

void TDRLabel::SetTransparent(bool value)
{
    if (value == mTransparent)
        return;
    mTransparent = value;
    update();
}

TColor TDRLabel::Color() const
{
    if (mParentColor && parentWidget())
        return FromQColor(parentWidget()->palette().color(parentWidget()->backgroundRole()));
    return mColor;
}

void TDRLabel::SetColor(TColor value)
{
    if (value == mColor && !mParentColor)
        return;
    mColor = value;
    mParentColor = false;
    update();
}

void TDRLabel::SetParentColor(bool value)
{
    if (value == mParentColor)
        return;
    mParentColor = value;
    update();
}

void TDRLabel::SetFontColor(TColor value)
{
    if (value == mFontColor)
        return;
    mFontColor = value;
    update();
}

void TDRLabel::UpdateTimer()
{
    // A zero or negative interval stops the blinking rather than spinning.
    if (mBlink != blNone && mBlinkInterval > 0) {
        if (!mTimer.isActive())
            mTimer.start();
    } else {
        mTimer.stop();
    }
}

void TDRLabel::SetBlink(TDRBlink value)
{
    if (value == mBlink)
        return;
    mBlink = value;
    if (value == blBlink)
        mSavedFontColor = mFontColor;
    else
        SetFontColor(mSavedFontColor);
    UpdateTimer();
    update();
}

void TDRLabel::SetBlinkInterval(int value)
{
    if (value == mBlinkInterval)
        return;
    mBlinkInterval = value;
    if (value > 0)
        mTimer.setInterval(value);
    UpdateTimer();
    update();
}

void TDRLabel::SetHiColor(TColor value)
{
    if (value == mHiColor)
        return;
    mHiColor = value;
    update();
}

void TDRLabel::SetLoColor(TColor value)
{
    if (value == mLoColor)
        return;
    mLoColor = value;
    update();
}

void TDRLabel::SetShadowColor(TColor value)
{
    if (value == mShadowColor)
        return;
    mShadowColor = value;
    update();
}

void TDRLabel::SetDeep(int value)
{
    if (value == mDeep || value < 1 || value > 2)
        return;
    mDeep = value;
    update();
}

void TDRLabel::SetCtl3D(bool value)
{
    if (value == mCtl3D)
        return;
    mCtl3D = value;
    update();
}

void TDRLabel::SetBorder(TDRBorder value)
{
    if (value == mBorder)
        return;
    mBorder = value;
    update();
}

void TDRLabel::BlinkTick()
{
    // Stored values are compared, system colours unresolved.
    switch (mBlink) {
    case blHiLo:
        SetFontColor(mFontColor == mHiColor ? mLoColor : mHiColor);
        break;
    case blBlink: {
        const TColor back = Color();
        SetFontColor(mFontColor == back ? mSavedFontColor : back);
        break;
    }
    case blNone:
        break;
    }
}

int TDRLabel::TextFlags() const
{
    int flags = int(mAlignment) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    if (mShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void TDRLabel::AdjustBounds()
{
    if (!mAutoSize)
        return;
    QString text = mCaption.left(MaxCaption);
    // An empty caption still takes one line's height.
    if (text.isEmpty() || (mShowAccelChar && text == QStringLiteral("&")))
        text += QLatin1Char(' ');
    int flags = Qt::TextExpandTabs;
    if (mShowAccelChar)
        flags |= Qt::TextShowMnemonic;
    const QFontMetrics fm(font());
    QSize s;
    if (mWordWrap)
        s = fm.boundingRect(QRect(0, 0, width(), 0), flags | Qt::TextWordWrap, text).size();
    else
        // Lines of the font's height, without the leading below the last.
        s = QSize(fm.size(flags, text).width(),
                  fm.height() + int(text.count(QLatin1Char('\n'))) * fm.lineSpacing());
    int x = pos().x();
    if (mAlignment & Qt::AlignRight)
        x += width() - s.width();
    setGeometry(x, pos().y(), s.width(), s.height());
}

void TDRLabel::PaintTo(QPainter &painter) const
{
    const int w = width();
    const int h = height();
    const TColor color = Color();
    painter.save();
    painter.setClipRect(0, 0, w, h);
    if (!mTransparent)
        painter.fillRect(0, 0, w, h, ToQColor(color));

    TColor top = clWindowFrame;
    TColor bottom = clWindowFrame;
    if (mBorder == boRaised) {
        top = clBtnHighlight;
        bottom = clBtnShadow;
    } else if (mBorder == boLowered) {
        top = clBtnShadow;
        bottom = clBtnHighlight;
    }
    if (mBorder != boNone) {
        // Corners (0, 0) and (W - 2, H - 2); the last column and row are
        // left for the shadow.
        painter.fillRect(0, 0, 1, h - 2, ToQColor(top));
        painter.fillRect(0, 0, w - 2, 1, ToQColor(top));
        painter.fillRect(w - 2, 0, 1, h - 1, ToQColor(bottom));
        painter.fillRect(0, h - 2, w - 1, 1, ToQColor(bottom));
    }

    const QString text = mCaption.left(MaxCaption);
    const int flags = TextFlags();
    const TColor c = mFontColor;
    painter.setFont(font());
    // A text in the background colour is the hidden phase of blBlink.
    if (c != color) {
        if (mCtl3D) {
            painter.setPen(ToQColor(mShadowColor));
            painter.drawText(QRect(mDeep, mDeep, w, h), flags, text);
        }
        painter.setPen(ToQColor(isEnabled() ? c : clGrayText));
        painter.drawText(QRect(0, 0, w, h), flags, text);
    }
    painter.restore();
}

void TDRLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    PaintTo(p);
}

void TDRLabel::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        AdjustBounds();
        update();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
