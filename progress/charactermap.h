#pragma once

#include "progress/charactermappainter.h"
#include "progress/characterstats.h"

#include <QStringList>
#include <QWidget>

namespace progress {

// The keyboard's keys coloured by how well each character is known. Pointing
// at a key, or selecting it with a click or the arrow keys (Home and End reach
// the first and last), makes its description the map's info text, its
// tooltip and, for the selected key, the accessible description, so that a
// screen reader reads the key the learner moved to.
class CharacterMap : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CharacterMap)

public:
    explicit CharacterMap(QWidget *parent = nullptr);

    // The keys in the order keyboard navigation takes them (row by row).
    void setKeys(const QList<KeyCap> &keys);
    const QList<KeyCap> &keys() const { return m_keys; }
    void setStatistics(const CharacterStats &stats);

    int selectedIndex() const { return m_selected; }
    QString selectedCharacter() const;
    // -1 clears the selection.
    void setSelectedIndex(int index);
    bool selectCharacter(const QString &character);
    int hoveredIndex() const { return m_hovered; }

    Grade grade(int index) const { return m_grades.value(index, Grade::Unknown); }
    QString description(int index) const { return m_descriptions.value(index); }
    // The description of the key pointed at, else of the selected one.
    QString infoText() const;

    CharacterMapPainter painter() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void selectionChanged(const QString &character);
    void infoChanged(const QString &text);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setHovered(int index);
    void refreshInfo();
    // Grades and descriptions of the keys, from m_stats.
    void describeKeys();

    QList<KeyCap> m_keys;
    CharacterStats m_stats;
    QList<Grade> m_grades;
    QStringList m_descriptions;
    int m_selected = -1;
    int m_hovered = -1;
    QString m_info;
};

} // namespace progress
