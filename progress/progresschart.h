#pragma once

#include "progress/progresschartpainter.h"

#include <QWidget>

namespace progress {

// Accuracy and effective speed per day. It takes the keyboard focus by Tab
// only, so that a screen reader reaches it and reads its accessible
// description: the first and last day and the last day's figures.
class ProgressChart : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ProgressChart)

public:
    explicit ProgressChart(QWidget *parent = nullptr);

    void setDays(const QList<DayPoint> &days);
    const QList<DayPoint> &days() const { return m_days; }

    // What the chart shows, in a sentence or two.
    static QString summary(const QList<DayPoint> &days);

    ProgressChartPainter painter() const { return ProgressChartPainter(m_days); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QList<DayPoint> m_days;
};

} // namespace progress
