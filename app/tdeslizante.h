#pragma once

#include <QSlider>

// The main window's vertical slider: its minimum is at the top, and the Up
// key moves towards it. What it sets is the inverse of its position, so its
// groove fills from the bottom up to the handle, growing with the value the
// window shows beside it.
class TDeslizante : public QSlider
{
    Q_OBJECT

public:
    explicit TDeslizante(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TDeslizante)

protected:
    void paintEvent(QPaintEvent *event) override;
};
