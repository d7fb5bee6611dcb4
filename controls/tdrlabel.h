#pragma once

#include "controls/colors.h"

#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>

enum TDRBlink : std::uint8_t
{
    blNone,
    blBlink,
    blHiLo
};

enum TDRBorder : std::uint8_t
{
    boNone,
    boSingle,
    boRaised,
    boLowered
};

// A text label with a drop shadow, an optional one-pixel frame and blinking:
// a timer switches the text colour at BlinkInterval. Lines always break at
// word boundaries to fit the width, and the text is drawn from the top.
// Like any label it starts with AutoSize on: a new caption or font resizes it
// to one line of text. Call SetAutoSize(false) for a label of fixed size.
class TDRLabel : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(TDRLabel)

public:
    explicit TDRLabel(QWidget *parent = nullptr);

    // Shown up to its first 255 characters.
    QString Caption() const { return mCaption; }
    void SetCaption(const QString &value);

    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    Qt::Alignment Alignment() const { return mAlignment; }
    void SetAlignment(Qt::Alignment value);

    bool AutoSize() const { return mAutoSize; }
    void SetAutoSize(bool value);

    // Only how AutoSize measures; painting always breaks lines.
    bool WordWrap() const { return mWordWrap; }
    void SetWordWrap(bool value);

    // With it, "&x" underlines x and "&&" shows one ampersand.
    bool ShowAccelChar() const { return mShowAccelChar; }
    void SetShowAccelChar(bool value);

    // No background fill when on.
    bool Transparent() const { return mTransparent; }
    void SetTransparent(bool value);

    // The background. While ParentColor is on (the default) it is the
    // parent's background colour; setting it turns ParentColor off.
    TColor Color() const;
    void SetColor(TColor value);
    bool ParentColor() const { return mParentColor; }
    void SetParentColor(bool value);

    // The text colour (the font's colour); the blink timer switches it.
    TColor FontColor() const { return mFontColor; }
    void SetFontColor(TColor value);

    TDRBlink Blink() const { return mBlink; }
    void SetBlink(TDRBlink value);

    int BlinkInterval() const { return mBlinkInterval; }
    void SetBlinkInterval(int value);

    TColor HiColor() const { return mHiColor; }
    void SetHiColor(TColor value);

    TColor LoColor() const { return mLoColor; }
    void SetLoColor(TColor value);

    TColor ShadowColor() const { return mShadowColor; }
    void SetShadowColor(TColor value);

    // Shadow offset right and down, 1 or 2; other values are ignored.
    int Deep() const { return mDeep; }
    void SetDeep(int value);

    bool Ctl3D() const { return mCtl3D; }
    void SetCtl3D(bool value);

    TDRBorder Border() const { return mBorder; }
    void SetBorder(TDRBorder value);

    // Whether the blink timer runs: Blink set and a positive interval.
    bool Blinking() const { return mTimer.isActive(); }

    // The colour switch the timer runs on each tick.
    void BlinkTick();

    // Draws the label as its paint does onto painter, within (0, 0, W, H).
    void PaintTo(QPainter &painter) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void AdjustBounds();
    void UpdateTimer();
    int TextFlags() const;

    QTimer mTimer;
    QString mCaption;
    Qt::Alignment mAlignment = Qt::AlignLeft;
    bool mAutoSize = true;
    bool mWordWrap = false;
    bool mShowAccelChar = true;
    bool mTransparent = false;
    TColor mColor = clBtnFace;
    bool mParentColor = true;
    TColor mFontColor = clWindowText;
    TColor mHiColor = clBlue;
    TColor mLoColor = clNavy;
    TColor mSavedFontColor = clWindowText;
    bool mCtl3D = true;
    int mDeep = 1;
    TDRBorder mBorder = boNone;
    int mBlinkInterval = 300;
    TDRBlink mBlink = blNone;
    TColor mShadowColor = clBtnHighlight;
};
