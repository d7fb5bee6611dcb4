#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace course {

// Lines up what was sent with what the learner typed, by least edit cost,
// so that a skipped or an extra character costs only itself and the rest
// still lines up. The spaces between groups take part (they anchor the
// groups) but cost less than characters, so a missed space never throws
// characters out of line; a space is never paired with a character.
class Alignment
{
public:
    enum class Kind : quint8
    {
        Right,   // sent and typed the same
        Wrong,   // typed another character in its place
        Skipped, // sent, nothing typed for it
        Extra    // typed, nothing sent there
    };

    struct Step
    {
        QString sent;  // empty for Extra
        QString typed; // empty for Skipped
        Kind kind = Kind::Right;
        // A space between groups, sent or typed: never scored.
        bool isSpace() const { return (sent.isEmpty() ? typed : sent) == QLatin1String(" "); }
    };

    // Text as the alignment sees it: upper case, a prosign in angle brackets
    // one character, any run of white space one " ", none at either end.
    static QStringList tokens(const QString &text);

    static QList<Step> align(const QString &sent, const QString &typed);
    static QList<Step> align(const QStringList &sent, const QStringList &typed);

    // The same with a chosen limit on the cells of the full cost matrix:
    // longer texts are split in halves (Hirschberg), in memory linear in
    // their length, with the same least cost.
    static QList<Step> align(const QStringList &sent, const QStringList &typed,
                             qint64 fullMatrixCells);

    // The edit cost of an alignment: characters cost 2 to skip, add or
    // change, spaces 1 to skip or add.
    static int cost(const QList<Step> &steps);

    static constexpr qint64 DefaultFullMatrixCells = 4'000'000;
};

} // namespace course
