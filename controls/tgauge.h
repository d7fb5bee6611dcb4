#pragma once

#include "controls/colors.h"

#include <QImage>
#include <QWidget>
#include <cstdint>

enum TGaugeKind : std::uint8_t
{
    gkText,
    gkHorizontalBar,
    gkVerticalBar,
    gkPie,
    gkNeedle
};

enum TBorderStyle : std::uint8_t
{
    bsNone,
    bsSingle
};

// An opaque level gauge: how far Progress lies between MinValue and MaxValue,
// as a whole percentage, drawn as a bar, a pie, a needle or text only. It
// takes no focus. Setters compare, store and repaint at once; Progress
// repaints only when the whole percentage changes.
class TGauge : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TGauge)

public:
    explicit TGauge(QWidget *parent = nullptr);

    TGaugeKind Kind() const { return mKind; }
    void SetKind(TGaugeKind value);

    bool ShowText() const { return mShowText; }
    void SetShowText(bool value);

    TBorderStyle BorderStyle() const { return mBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    TColor ForeColor() const { return mForeColor; }
    void SetForeColor(TColor value);

    TColor BackColor() const { return mBackColor; }
    void SetBackColor(TColor value);

    // The colour around the pie and the needle. While ParentColor is on (the
    // default) it is the parent's background colour; setting it turns
    // ParentColor off.
    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return mParentColor; }
    void SetParentColor(bool value);

    // Refuses (EInvalidOperation, "Valor deve estar entre %d e %d") a
    // minimum above MaxValue, unless loading; pulls Progress up with it.
    int MinValue() const { return mMinValue; }
    void SetMinValue(int value);

    // Refuses a maximum below MinValue, unless loading; pulls Progress down.
    int MaxValue() const { return mMaxValue; }
    void SetMaxValue(int value);

    // Clamped to MinValue .. MaxValue.
    int Progress() const { return mProgress; }
    void SetProgress(int value);

    // The whole percentage p shown, 0 .. 100 (0 when MinValue = MaxValue).
    int PercentDone() const;

    // While loading, MinValue and MaxValue may be set in either order: the
    // range checks are skipped.
    bool Loading() const { return mLoading; }
    void SetLoading(bool value) { mLoading = value; }

    // Composes the control's picture as a paint would: the figure, the black
    // frame of bsSingle, and the text XOR-ed over them.
    QImage Compose() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Changed();
    QRect PaintRect() const;
    void PaintFigure(QImage &overlay, const QRect &paintRect) const;
    void PaintText(QImage &image, const QRect &paintRect) const;

    TGaugeKind mKind = gkHorizontalBar;
    bool mShowText = true;
    TBorderStyle mBorderStyle = bsSingle;
    TColor mForeColor = clBlack;
    TColor mBackColor = clWhite;
    TColor mColor = clBtnFace;
    bool mParentColor = true;
    int mMinValue = 0;
    int mMaxValue = 100;
    int mProgress = 0;
    bool mLoading = false;
};
