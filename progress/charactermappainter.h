#pragma once

#include "progress/characterstats.h"

#include <QColor>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace progress {

// A key of the map: its character and where it lies in the keyboard it
// copies, in that keyboard's pixels.
struct KeyCap
{
    QString character;
    QRect rect;
};

// The picture of the character map, apart from any widget so that tests can
// paint it on an image. The keys are scaled as one to fit the area and
// centred in it; each is filled with its grade's colour and carries its
// character, the selected one a thick frame in the palette's highlight and
// the one under the pointer a thinner one in its text colour.
class CharacterMapPainter
{
public:
    // Fills and captions stand for grades and do not follow the palette.
    static QColor fill(Grade grade);
    static QColor caption(Grade grade);

    CharacterMapPainter(QList<KeyCap> keys, QList<Grade> grades, int selected = -1,
                        int hovered = -1);

    int count() const { return int(m_keys.size()); }
    // The keys' bounding box in keyboard pixels.
    QRect bounds() const { return m_bounds; }
    // Where key index lies when the map is painted in area.
    QRectF keyRect(int index, const QRect &area) const;
    // The key at pos, or -1.
    int keyAt(const QPointF &pos, const QRect &area) const;
    // The key an arrow key (Qt::Key_Left, _Right, _Up, _Down, _Home, _End)
    // leads to from key index: the nearest in that direction on the same row,
    // or on the next row up or down the one nearest in x; index itself when
    // there is none.
    int neighbour(int index, int key) const;

    void paint(QPainter *painter, const QRect &area, const QPalette &palette,
               const QFont &font) const;

private:
    double scale(const QRect &area) const;

    QList<KeyCap> m_keys;
    QList<Grade> m_grades;
    int m_selected = -1;
    int m_hovered = -1;
    QRect m_bounds;
};

} // namespace progress
