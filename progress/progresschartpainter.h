#pragma once

#include "progress/characterstats.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QList>
#include <QPalette>
#include <QRect>

class QPainter;

namespace progress {

// The picture of the progress chart, apart from any widget so that tests can
// paint it on an image. Days run left to right at their calendar distance,
// so a week without practice shows as a gap. Accuracy (0-100 %) is a solid
// line with round marks on the left axis, effective speed a dashed line with
// square marks on the right axis, whose top is the next multiple of four WPM
// above the fastest day. A legend at the top names both in their colours.
// Sizes follow the font, so the chart stays readable when fonts or the
// screen scale grow.
class ProgressChartPainter
{
    Q_DECLARE_TR_FUNCTIONS(ProgressChartPainter)

public:
    static QColor accuracyColour() { return QColor(0, 92, 197); }
    static QColor speedColour() { return QColor(200, 90, 0); }

    explicit ProgressChartPainter(QList<DayPoint> days);

    const QList<DayPoint> &days() const { return m_days; }
    // The effective speed at the right axis's top, in WPM.
    int speedTop() const { return m_speedTop; }

    // Where the axes enclose the lines when the chart is painted in area.
    QRectF plotArea(const QRect &area, const QFont &font) const;
    QPointF accuracyPoint(int index, const QRect &area, const QFont &font) const;
    QPointF speedPoint(int index, const QRect &area, const QFont &font) const;

    void paint(QPainter *painter, const QRect &area, const QPalette &palette,
               const QFont &font) const;

private:
    double dayX(int index, const QRectF &plot) const;

    QList<DayPoint> m_days;
    int m_speedTop = 4;
};

} // namespace progress
