#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

namespace record {

// What an answer was given in. Stored by name (see kindName), so the numbers
// may be reordered but a name, once stored, never changes.
enum class Kind
{
    Course,      // a Koch course run, typed as on paper
    Reception,   // the reception test window
    Drill,       // the weak-character drill
    Recognition, // instant recognition, one key per character
    Sending      // the learner keyed it; "answered" is what was decoded
};

// One character sent and what came back for it.
struct Answer
{
    QDateTime when; // UTC
    Kind kind = Kind::Course;
    QString sent;     // one character, or a prosign written as "<AR>"
    QString answered; // the same form; empty when nothing came back for it
    bool right = false;
    int answerMs = -1;       // answer time, -1 where none was measured
    double charWpm = 0;      // PARIS words per minute of the characters
    double effectiveWpm = 0; // PARIS words per minute with the gaps as played
};

// The name a kind is stored and exported under: "course", "reception",
// "drill", "recognition", "sending".
QString kindName(Kind kind);
// The kind of a stored name; nothing for a name no kind has.
std::optional<Kind> kindFromName(QStringView name);

} // namespace record
