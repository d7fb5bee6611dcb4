#pragma once

#include "controls/colors.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

enum TBarColorStyle : std::uint8_t
{
    cs1Color,
    cs2Colors,
    cs3Colors
};

enum TProgressDirection : std::uint8_t
{
    pdLeftToRight,
    pdRightToLeft,
    pdBottomToTop,
    pdTopToBottom
};

// A bar showing Position between Min and Max: a solid colour, a two- or
// three-colour gradient or a tiled picture, the part beyond Position covered
// with BackgroundColor, a sunken frame and a centred text over it. Every
// setter repaints at once. The full-length bar is kept between paints; a
// change of Position only copies it and covers the rest.
class TALProgressBar : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TALProgressBar)

public:
    explicit TALProgressBar(QWidget *parent = nullptr);

    // Min and Max do not move Position into a new range; a Position outside
    // it is drawn as if clamped.
    int Min() const { return mMin; }
    void SetMin(int value);
    int Max() const { return mMax; }
    void SetMax(int value);

    // A value equal to the current one or outside Min .. Max is ignored.
    int Position() const { return mPosition; }
    void SetPosition(int value);

    TBarColorStyle BarColorStyle() const { return mBarColorStyle; }
    void SetBarColorStyle(TBarColorStyle value);

    // Origin colour; far end with cs2Colors, middle with cs3Colors; far end
    // with cs3Colors.
    TColor BarColor1() const { return mBarColor1; }
    void SetBarColor1(TColor value);
    TColor BarColor2() const { return mBarColor2; }
    void SetBarColor2(TColor value);
    TColor BarColor3() const { return mBarColor3; }
    void SetBarColor3(TColor value);

    // When not null, tiled as the bar instead of the colours. The control
    // keeps its own copy; a null image brings the colours back.
    const QImage &BarBitmap() const { return mBarBitmap; }
    void SetBarBitmap(const QImage &value);

    TColor BackgroundColor() const { return mBackgroundColor; }
    void SetBackgroundColor(TColor value);

    // Top and left frame lines; bottom and right frame lines.
    TColor BorderColor1() const { return mBorderColor1; }
    void SetBorderColor1(TColor value);
    TColor BorderColor2() const { return mBorderColor2; }
    void SetBorderColor2(TColor value);

    bool ShowBorder() const { return mShowBorder; }
    void SetShowBorder(bool value);

    TProgressDirection Direction() const { return mDirection; }
    void SetDirection(TProgressDirection value);

    bool ShowPosText() const { return mShowPosText; }
    void SetShowPosText(bool value);
    QString PosTextPrefix() const { return mPosTextPrefix; }
    void SetPosTextPrefix(const QString &value);
    QString PosTextSuffix() const { return mPosTextSuffix; }
    void SetPosTextSuffix(const QString &value);

    // The number shown is Position / Max x 100 (0 when Max is 0).
    bool Percentage() const { return mPercentage; }
    void SetPercentage(bool value);

    TColor FontColor() const { return mFontColor; }
    void SetFontColor(TColor value);

    // The text drawn over the bar: prefix, number, suffix.
    QString PosText() const;

    // Colour index of count from start to end, channel by channel with
    // MulDiv rounding. Throws std::out_of_range for an index outside 1..count.
    static TColor GradientStep(TColor start, TColor end, int index, int count);

    // The picture the last paint composed and copied to the screen; null when
    // the control was too large for one to be allocated (it then shows its
    // background colour).
    const QImage &FrameBuffer() const { return mFrameBuffer; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Changed(bool patternChanged);
    void Compose();
    void DrawBar(QPainter &painter);
    void BuildGradient();
    void TileBitmap();
    void DrawFrame(QPainter &painter);
    void DrawText(QPainter &painter);

    int mMin = 0;
    int mMax = 100;
    int mPosition = 0;
    TBarColorStyle mBarColorStyle = cs3Colors;
    TColor mBarColor1 = clGreen;
    TColor mBarColor2 = clYellow;
    TColor mBarColor3 = clRed;
    QImage mBarBitmap;
    TColor mBackgroundColor = clBtnFace;
    TColor mBorderColor1 = clBtnShadow;
    TColor mBorderColor2 = clBtnHighlight;
    bool mShowBorder = true;
    TProgressDirection mDirection = pdLeftToRight;
    bool mShowPosText = true;
    QString mPosTextPrefix;
    QString mPosTextSuffix;
    bool mPercentage = false;
    TColor mFontColor = clWindowText;

    QImage mFrameBuffer;
    QImage mBarPattern;
    // False only during the paint a change of Position causes.
    bool mRebuild = true;
    // A setter changed what the pattern shows (or a paint was skipped).
    bool mPatternStale = true;
};
