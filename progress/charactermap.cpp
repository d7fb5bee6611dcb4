#include "progress/charactermap.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

namespace progress {

CharacterMap::CharacterMap(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("Character map"));
}

void CharacterMap::setKeys(const QList<KeyCap> &keys)
{
    m_keys = keys;
    m_hovered = -1;
    describeKeys();
    updateGeometry();
    if (m_selected >= m_keys.size())
        setSelectedIndex(-1);
    else
        refreshInfo();
    update();
}

void CharacterMap::setStatistics(const CharacterStats &stats)
{
    m_stats = stats;
    describeKeys();
    refreshInfo();
    update();
}

void CharacterMap::describeKeys()
{
    m_grades.clear();
    m_descriptions.clear();
    for (const KeyCap &k : std::as_const(m_keys)) {
        m_grades.append(m_stats.copying(k.character).grade);
        m_descriptions.append(m_stats.description(k.character));
    }
}

QString CharacterMap::selectedCharacter() const
{
    return m_selected >= 0 ? m_keys.at(m_selected).character : QString();
}

void CharacterMap::setSelectedIndex(int index)
{
    if (index < -1 || index >= m_keys.size())
        index = -1;
    if (index == m_selected)
        return;
    m_selected = index;
    update();
    refreshInfo();
    emit selectionChanged(selectedCharacter());
}

bool CharacterMap::selectCharacter(const QString &character)
{
    for (int i = 0; i < m_keys.size(); ++i) {
        if (m_keys.at(i).character.compare(character, Qt::CaseInsensitive) == 0) {
            setSelectedIndex(i);
            return true;
        }
    }
    return false;
}

QString CharacterMap::infoText() const
{
    const int shown = m_hovered >= 0 ? m_hovered : m_selected;
    return description(shown);
}

CharacterMapPainter CharacterMap::painter() const
{
    return CharacterMapPainter(m_keys, m_grades, m_selected, m_hovered);
}

QSize CharacterMap::sizeHint() const
{
    // Keys as large as the keyboard's at least, larger with a larger font.
    const QRect b = painter().bounds();
    const double s = std::max(1.0, fontMetrics().height() * 1.6 / 30);
    return QSize(int(std::ceil(b.width() * s)) + 4, int(std::ceil(b.height() * s)) + 4);
}

QSize CharacterMap::minimumSizeHint() const
{
    const QSize s = sizeHint();
    return QSize(s.width() * 2 / 3, s.height() * 2 / 3);
}

bool CharacterMap::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int i = painter().keyAt(help->pos(), rect());
        if (i >= 0)
            QToolTip::showText(help->globalPos(), description(i), this,
                               painter().keyRect(i, rect()).toAlignedRect());
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CharacterMap::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    painter().paint(&p, rect(), palette(), font());
}

void CharacterMap::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!m_keys.isEmpty()) {
            setSelectedIndex(m_selected < 0 && event->key() != Qt::Key_End
                                 ? 0
                                 : painter().neighbour(m_selected, event->key()));
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void CharacterMap::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(painter().keyAt(event->position(), rect()));
    QWidget::mouseMoveEvent(event);
}

void CharacterMap::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int i = painter().keyAt(event->position(), rect());
        if (i >= 0)
            setSelectedIndex(i);
    }
    QWidget::mousePressEvent(event);
}

void CharacterMap::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void CharacterMap::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setAccessibleName(tr("Character map"));
        describeKeys();
        refreshInfo();
    }
    QWidget::changeEvent(event);
}

void CharacterMap::setHovered(int index)
{
    if (index == m_hovered)
        return;
    m_hovered = index;
    update();
    refreshInfo();
}

void CharacterMap::refreshInfo()
{
    const QString selected = description(m_selected);
    if (accessibleDescription() != selected) {
        setAccessibleDescription(selected);
        QAccessibleEvent e(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&e);
    }
    const QString info = infoText();
    if (info != m_info) {
        m_info = info;
        emit infoChanged(m_info);
    }
}

} // namespace progress
