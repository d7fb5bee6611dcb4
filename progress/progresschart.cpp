#include "progress/progresschart.h"

#include <QEvent>
#include <QLocale>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace progress {

ProgressChart::ProgressChart(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    retranslate();
}

void ProgressChart::setDays(const QList<DayPoint> &days)
{
    m_days = days;
    setAccessibleDescription(summary(m_days));
    update();
}

QString ProgressChart::summary(const QList<DayPoint> &days)
{
    if (days.isEmpty())
        return tr("No practice yet.");
    const QLocale locale;
    const DayPoint &last = days.last();
    return tr("Accuracy and effective speed per day from %1 to %2, %n day(s) with practice.",
              nullptr, int(days.size()))
               .arg(locale.toString(days.first().day, QLocale::LongFormat),
                    locale.toString(last.day, QLocale::LongFormat)) +
           QLatin1Char(' ') +
           tr("On the last day: accuracy %1 %, effective speed %2 WPM.")
               .arg(qRound(100 * last.accuracy()))
               .arg(locale.toString(last.effectiveWpm, 'f', 1));
}

QSize ProgressChart::sizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(40 * h, 16 * h);
}

QSize ProgressChart::minimumSizeHint() const
{
    const int h = fontMetrics().height();
    return QSize(24 * h, 10 * h);
}

void ProgressChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    painter().paint(&p, rect(), palette(), font());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

void ProgressChart::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ProgressChart::retranslate()
{
    setAccessibleName(tr("Progress chart"));
    setAccessibleDescription(summary(m_days));
}

} // namespace progress
