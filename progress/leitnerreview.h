#pragma once

#include "record/answer.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace progress {

// A spaced review in Leitner boxes. A character in box b is due once
// Intervals[b - 1] days have passed since its last review. After a run, a
// character with at least MinAnswers copying answers in it has been reviewed:
// at 90 % or more it moves up a box (the top box keeps it), below 70 % it goes
// back to the first, else it stays; its last review becomes that day. A
// character with fewer answers in the run is left as it was, since a slip or
// two among a handful would say little. A learned character never reviewed
// is due, and so is one whose last review is dated after today. The day is
// always a parameter, so nothing here reads the clock.
class LeitnerReview
{
public:
    static constexpr int Boxes = 5;
    static constexpr int Intervals[Boxes] = {1, 2, 4, 8, 16}; // days
    static constexpr int MinAnswers = 10;

    struct Entry
    {
        int box = 1;
        QDate lastReview; // null: never reviewed
    };

    // 1 for a character never seen.
    int box(const QString &character) const;
    Entry entry(const QString &character) const;
    void setEntry(const QString &character, Entry e);

    // The first day the character is due; null when it is due already:
    // never reviewed, or last reviewed on a day after today.
    QDate dueDate(const QString &character, QDate today) const;
    bool isDue(const QString &character, QDate today) const;
    // The learned characters due today, in the order given.
    QStringList due(const QStringList &learned, QDate today) const;

    // Moves the characters of one run's answers (sending answers are left out).
    void applyRun(const QList<record::Answer> &run, QDate today);

    // The state, small enough for a settings value: each character with its
    // box and last review ("3 2024-05-01"). Reading back, a damaged box gives
    // box 1 and a damaged date "never reviewed"; damaged text gives nothing.
    QVariantMap toVariantMap() const;
    static LeitnerReview fromVariantMap(const QVariantMap &map);
    QString toString() const; // the same map as compact JSON
    static LeitnerReview fromString(const QString &text);

    bool operator==(const LeitnerReview &other) const;

private:
    QHash<QString, Entry> m_entries;
};

} // namespace progress
