#include "progress/charactermappainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace progress {

namespace {

constexpr double Margin = 2; // around the keys, in the area's pixels

} // namespace

QColor CharacterMapPainter::fill(Grade grade)
{
    switch (grade) {
    case Grade::Green:
        return QColor(46, 160, 67);
    case Grade::Amber:
        return QColor(242, 169, 0);
    case Grade::Red:
        return QColor(207, 34, 46);
    case Grade::Unknown:
        break;
    }
    return QColor(178, 178, 178);
}

QColor CharacterMapPainter::caption(Grade grade)
{
    // White where black would read worse.
    return grade == Grade::Red ? QColor(Qt::white) : QColor(Qt::black);
}

CharacterMapPainter::CharacterMapPainter(QList<KeyCap> keys, QList<Grade> grades, int selected,
                                         int hovered)
    : m_keys(std::move(keys)), m_grades(std::move(grades)), m_selected(selected), m_hovered(hovered)
{
    for (const KeyCap &k : std::as_const(m_keys))
        m_bounds |= k.rect;
}

double CharacterMapPainter::scale(const QRect &area) const
{
    if (m_bounds.isEmpty())
        return 1;
    const double s = std::min((area.width() - 2 * Margin) / m_bounds.width(),
                              (area.height() - 2 * Margin) / m_bounds.height());
    return std::max(s, 0.01);
}

QRectF CharacterMapPainter::keyRect(int index, const QRect &area) const
{
    if (index < 0 || index >= count())
        return {};
    const double s = scale(area);
    const QPointF origin(area.x() + (area.width() - s * m_bounds.width()) / 2,
                         area.y() + (area.height() - s * m_bounds.height()) / 2);
    const QRect &r = m_keys.at(index).rect;
    return QRectF(origin.x() + s * (r.x() - m_bounds.x()), origin.y() + s * (r.y() - m_bounds.y()),
                  s * r.width(), s * r.height());
}

int CharacterMapPainter::keyAt(const QPointF &pos, const QRect &area) const
{
    for (int i = 0; i < count(); ++i)
        if (keyRect(i, area).contains(pos))
            return i;
    return -1;
}

int CharacterMapPainter::neighbour(int index, int key) const
{
    if (m_keys.isEmpty())
        return -1;
    if (key == Qt::Key_Home)
        return 0;
    if (key == Qt::Key_End)
        return count() - 1;
    if (index < 0 || index >= count())
        return 0;
    const QPointF from = QRectF(m_keys.at(index).rect).center();
    const double halfRow = m_keys.at(index).rect.height() / 2.0;
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    const double sign = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
    // The nearest row in that direction first, then the nearest key in it.
    int best = index;
    double bestRow = 0;
    double bestAlong = 0;
    double bestLean = 0;
    for (int i = 0; i < count(); ++i) {
        const QPointF c = QRectF(m_keys.at(i).rect).center();
        const double dy = (c.y() - from.y()) * sign;
        const double dx = (c.x() - from.x()) * sign;
        double row = 0;
        double along = 0;
        if (vertical) {
            if (dy <= halfRow)
                continue;
            row = dy;
            along = std::abs(c.x() - from.x());
        } else {
            if (std::abs(c.y() - from.y()) >= halfRow || dx <= 0)
                continue;
            along = dx;
        }
        // Rows are staggered, so two keys may lie equally near: down takes
        // the right one and up the left one, so that down and up retrace.
        const double lean = dx;
        if (best == index || row < bestRow - halfRow ||
            (std::abs(row - bestRow) < halfRow &&
             (along < bestAlong - 0.5 || (along <= bestAlong + 0.5 && lean > bestLean)))) {
            best = i;
            bestRow = row;
            bestAlong = along;
            bestLean = lean;
        }
    }
    return best;
}

void CharacterMapPainter::paint(QPainter *painter, const QRect &area, const QPalette &palette,
                                const QFont &font) const
{
    painter->save();
    painter->fillRect(area, palette.color(QPalette::Window));
    painter->setRenderHint(QPainter::Antialiasing);
    const double s = scale(area);
    QFont keyFont = font;
    keyFont.setPixelSize(std::max(6, int(std::lround(18 * s))));
    painter->setFont(keyFont);
    const double radius = 3 * s;
    for (int i = 0; i < count(); ++i) {
        const QRectF r = keyRect(i, area).adjusted(0.5, 0.5, -0.5, -0.5);
        const Grade g = m_grades.value(i, Grade::Unknown);
        painter->setPen(QPen(palette.color(QPalette::Dark), 1));
        painter->setBrush(fill(g));
        painter->drawRoundedRect(r, radius, radius);
        painter->setPen(caption(g));
        painter->drawText(r, Qt::AlignCenter, m_keys.at(i).character.trimmed());
    }
    // Frames last, so a neighbour never covers them.
    const auto frame = [&](int i, const QColor &colour, double width) {
        if (i < 0 || i >= count())
            return;
        const double inset = width / 2 + 0.5;
        painter->setPen(QPen(colour, width));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(keyRect(i, area).adjusted(inset, inset, -inset, -inset), radius,
                                 radius);
    };
    if (m_hovered != m_selected)
        frame(m_hovered, palette.color(QPalette::Text), std::max(1.5, 2 * s));
    frame(m_selected, palette.color(QPalette::Highlight), std::max(2.0, 3 * s));
    painter->restore();
}

} // namespace progress
