#include "progress/progresschartpainter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace progress {

namespace {

constexpr int Divisions = 4; // grid lines above the zero line

double MarkRadius(const QFontMetricsF &fm)
{
    return std::max(3.0, fm.height() / 4);
}

double LineWidth(const QFontMetricsF &fm)
{
    return std::max(2.0, fm.height() / 9);
}

QPen SpeedPen(const QFontMetricsF &fm)
{
    QPen pen(ProgressChartPainter::speedColour(), LineWidth(fm));
    pen.setStyle(Qt::DashLine);
    return pen;
}

void Mark(QPainter *p, const QPointF &at, double r, bool round)
{
    if (round)
        p->drawEllipse(at, r, r);
    else
        p->drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
}

} // namespace

ProgressChartPainter::ProgressChartPainter(QList<DayPoint> days) : m_days(std::move(days))
{
    double fastest = 0;
    for (const DayPoint &d : std::as_const(m_days))
        fastest = std::max(fastest, d.effectiveWpm);
    m_speedTop = std::max(Divisions, int(std::ceil(fastest / Divisions)) * Divisions);
}

QRectF ProgressChartPainter::plotArea(const QRect &area, const QFont &font) const
{
    const QFontMetricsF fm(font);
    const double pad = fm.height() / 2;
    const double left = fm.horizontalAdvance(QStringLiteral("100 %")) + pad;
    const double right = fm.horizontalAdvance(QString::number(m_speedTop)) + pad;
    const double top = 2 * fm.height() + pad;
    const double bottom = fm.height() + pad;
    return QRectF(area).adjusted(left, top, -right, -bottom);
}

double ProgressChartPainter::dayX(int index, const QRectF &plot) const
{
    const double inset = plot.width() / 20;
    const QRectF band = plot.adjusted(inset, 0, -inset, 0);
    const qint64 span = m_days.isEmpty() ? 0 : m_days.first().day.daysTo(m_days.last().day);
    if (span <= 0)
        return band.center().x();
    return band.left() +
           band.width() * double(m_days.first().day.daysTo(m_days.at(index).day)) / double(span);
}

QPointF ProgressChartPainter::accuracyPoint(int index, const QRect &area, const QFont &font) const
{
    const QRectF plot = plotArea(area, font);
    return {dayX(index, plot), plot.bottom() - m_days.at(index).accuracy() * plot.height()};
}

QPointF ProgressChartPainter::speedPoint(int index, const QRect &area, const QFont &font) const
{
    const QRectF plot = plotArea(area, font);
    const double share = std::min(1.0, m_days.at(index).effectiveWpm / m_speedTop);
    return {dayX(index, plot), plot.bottom() - share * plot.height()};
}

void ProgressChartPainter::paint(QPainter *p, const QRect &area, const QPalette &palette,
                                 const QFont &font) const
{
    p->save();
    p->fillRect(area, palette.color(QPalette::Window));
    p->setFont(font);
    p->setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(font);
    if (m_days.isEmpty()) {
        p->setPen(palette.color(QPalette::WindowText));
        p->drawText(area, Qt::AlignCenter | Qt::TextWordWrap, tr("No practice yet"));
        p->restore();
        return;
    }

    const QRectF plot = plotArea(area, font);
    const double pad = fm.height() / 2;
    const double r = MarkRadius(fm);

    // Legend: a sample of each line with its mark, then its name.
    const double legendY = area.top() + pad / 2 + fm.height() / 2;
    const double sample = 2 * fm.height();
    double x = area.left() + pad;
    const auto legend = [&](const QPen &pen, bool round, const QString &text) {
        p->setPen(pen);
        p->drawLine(QPointF(x, legendY), QPointF(x + sample, legendY));
        p->setPen(Qt::NoPen);
        p->setBrush(pen.color());
        Mark(p, QPointF(x + sample / 2, legendY), r, round);
        p->setPen(palette.color(QPalette::WindowText));
        p->drawText(QPointF(x + sample + pad / 2, legendY + fm.ascent() - fm.height() / 2), text);
        x += sample + pad / 2 + fm.horizontalAdvance(text) + 2 * pad;
    };
    legend(QPen(accuracyColour(), LineWidth(fm)), true, tr("Accuracy (%)"));
    legend(SpeedPen(fm), false, tr("Effective speed (WPM)"));

    // Grid and both axes' figures.
    p->setBrush(Qt::NoBrush);
    for (int i = 0; i <= Divisions; ++i) {
        const double y = plot.bottom() - plot.height() * i / Divisions;
        p->setPen(QPen(palette.color(QPalette::Mid), 1));
        p->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const QRectF label(area.left(), y - fm.height() / 2, plot.left() - area.left() - pad / 2,
                           fm.height());
        p->setPen(accuracyColour());
        p->drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("%1 %").arg(100 * i / Divisions));
        p->setPen(speedColour());
        p->drawText(QRectF(plot.right() + pad / 2, y - fm.height() / 2, area.right() - plot.right(),
                           fm.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, QString::number(m_speedTop * i / Divisions));
    }

    // First and last day beneath.
    const QLocale locale;
    p->setPen(palette.color(QPalette::WindowText));
    const QRectF dates(plot.left(), plot.bottom() + pad / 2, plot.width(), fm.height());
    p->drawText(dates, Qt::AlignLeft | Qt::AlignTop,
                locale.toString(m_days.first().day, QLocale::ShortFormat));
    if (m_days.size() > 1)
        p->drawText(dates, Qt::AlignRight | Qt::AlignTop,
                    locale.toString(m_days.last().day, QLocale::ShortFormat));

    // Speed first, so that where the two meet the accuracy shows.
    QPainterPath speed;
    QList<QPointF> speedMarks;
    for (int i = 0; i < m_days.size(); ++i) {
        if (m_days.at(i).effectiveWpm <= 0)
            continue;
        const QPointF at = speedPoint(i, area, font);
        // (A path holding one move still counts as empty.)
        speed.elementCount() == 0 ? speed.moveTo(at) : speed.lineTo(at);
        speedMarks.append(at);
    }
    p->setPen(SpeedPen(fm));
    p->drawPath(speed);
    p->setPen(Qt::NoPen);
    p->setBrush(speedColour());
    for (const QPointF &at : std::as_const(speedMarks))
        Mark(p, at, r, false);

    QPainterPath accuracy;
    for (int i = 0; i < m_days.size(); ++i) {
        const QPointF at = accuracyPoint(i, area, font);
        i == 0 ? accuracy.moveTo(at) : accuracy.lineTo(at);
    }
    p->setPen(QPen(accuracyColour(), LineWidth(fm)));
    p->setBrush(Qt::NoBrush);
    p->drawPath(accuracy);
    p->setPen(Qt::NoPen);
    p->setBrush(accuracyColour());
    for (int i = 0; i < m_days.size(); ++i)
        Mark(p, accuracyPoint(i, area, font), r, true);
    p->restore();
}

} // namespace progress
