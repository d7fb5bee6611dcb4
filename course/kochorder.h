#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace course {

// The order in which the Koch course brings in its characters. Lesson n
// uses the first n + 1 of them, so lesson 1 has two characters and the last
// lesson all of them; lesson n's new character is its (n + 1)th.
//
// A character is one of the keyable ones (Known()), upper case, or a prosign
// written in angle brackets ("<AR>").
class KochOrder
{
    Q_DECLARE_TR_FUNCTIONS(course::KochOrder)

public:
    // The order most web trainers share.
    KochOrder();

    // The characters the course can key, in a fixed order: a stored order
    // refers to them by position, so new ones only ever go at the end.
    static const QStringList &Known();

    // Reads an order the learner typed: characters with or without spaces
    // between them, in any case. A valid order has only known characters,
    // none twice, and at least two; otherwise error gets a sentence saying
    // what is wrong, and the result is the default order.
    static KochOrder parse(const QString &text, QString *error = nullptr);

    // The order from positions in Known(); false for a position out of
    // range, a repeat or fewer than two.
    static bool fromKnownIndexes(const QList<int> &indexes, KochOrder &order);
    QList<int> knownIndexes() const;

    const QStringList &characters() const { return chars; }
    // The characters with one space between them, as the learner reads it.
    QString text() const { return chars.join(QLatin1Char(' ')); }
    bool isDefault() const;

    // Lessons run from 1 to lastLesson().
    int lastLesson() const { return int(chars.size()) - 1; }
    // A lesson outside 1..lastLesson() is taken as the nearest one.
    int clampLesson(int lesson) const;
    QStringList lessonCharacters(int lesson) const;
    QString newCharacter(int lesson) const;

    bool operator==(const KochOrder &other) const { return chars == other.chars; }

private:
    explicit KochOrder(QStringList characters) : chars(std::move(characters)) {}

    QStringList chars;
};

} // namespace course
