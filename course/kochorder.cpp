#include "course/kochorder.h"

#include <QSet>

namespace course {
namespace {

const QString DefaultOrder =
    QStringLiteral("K M U R E S N A P T L W I . J Z = F O Y , V G 5 / Q 9 2 H 3 8 B ? 4 7 C 1 D "
                   "6 0 X");

// Cuts typed text into characters: a prosign in angle brackets is one, white
// space separates nothing.
QStringList Split(const QString &text)
{
    QStringList result;
    const QString upper = text.toUpper();
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const QChar c = upper.at(i);
        if (c.isSpace())
            continue;
        if (c == QLatin1Char('<')) {
            const qsizetype end = upper.indexOf(QLatin1Char('>'), i + 1);
            if (end > i) {
                result << upper.mid(i, end - i + 1);
                i = end;
                continue;
            }
        }
        result << QString(c);
    }
    return result;
}

} // namespace

KochOrder::KochOrder() : chars(Split(DefaultOrder)) {}

const QStringList &KochOrder::Known()
{
    static const QStringList known = [] {
        QStringList list;
        for (char c = 'A'; c <= 'Z'; ++c)
            list << QString(QLatin1Char(c));
        for (char c = '0'; c <= '9'; ++c)
            list << QString(QLatin1Char(c));
        list << QStringLiteral(".") << QStringLiteral(",") << QStringLiteral("?")
             << QStringLiteral("/") << QStringLiteral("=") << QStringLiteral("+")
             << QStringLiteral("-") << QStringLiteral("Ç") << QStringLiteral("É")
             << QStringLiteral("Ã") << QStringLiteral("<AR>") << QStringLiteral("<SK>")
             << QStringLiteral("<BT>") << QStringLiteral("<KN>");
        return list;
    }();
    return known;
}

KochOrder KochOrder::parse(const QString &text, QString *error)
{
    const QStringList chars = Split(text);
    QString problem;
    QSet<QString> seen;
    for (const QString &c : chars) {
        if (!Known().contains(c)) {
            problem = tr("“%1” is not a character the course can key.").arg(c);
            break;
        }
        if (seen.contains(c)) {
            problem = tr("“%1” comes twice: each character once.").arg(c);
            break;
        }
        seen.insert(c);
    }
    if (problem.isEmpty() && chars.size() < 2)
        problem = tr("An order needs at least two characters.");
    if (error)
        *error = problem;
    return problem.isEmpty() ? KochOrder(chars) : KochOrder();
}

bool KochOrder::fromKnownIndexes(const QList<int> &indexes, KochOrder &order)
{
    QStringList chars;
    for (const int i : indexes) {
        if (i < 0 || i >= Known().size() || chars.contains(Known().at(i)))
            return false;
        chars << Known().at(i);
    }
    if (chars.size() < 2)
        return false;
    order = KochOrder(chars);
    return true;
}

QList<int> KochOrder::knownIndexes() const
{
    QList<int> indexes;
    for (const QString &c : chars)
        indexes << int(Known().indexOf(c));
    return indexes;
}

bool KochOrder::isDefault() const
{
    return *this == KochOrder();
}

int KochOrder::clampLesson(int lesson) const
{
    return qBound(1, lesson, lastLesson());
}

QStringList KochOrder::lessonCharacters(int lesson) const
{
    return chars.first(clampLesson(lesson) + 1);
}

QString KochOrder::newCharacter(int lesson) const
{
    return chars.at(clampLesson(lesson));
}

} // namespace course
