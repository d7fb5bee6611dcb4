#pragma once

#include <QString>
#include <QStringList>

namespace sending {

// The characters a learner may send, and their patterns ('.' and '-'):
// A-Z, 0-9, . , ? / = + -, Ç É Ã and the prosigns <AR> <SK> <BT> <KN>.
// The table is the standard alphabet's (MorseAlphabet); a character is one QString token: a letter
// ("A"), or a prosign written in angle brackets ("<AR>"). <AR> is keyed as +, and <BT> as =.
namespace SendingAlphabet {

// The pattern of token, case-insensitive; empty when it has none.
QString pattern(const QString &token);
// The token keyed as pattern; "*" (Unknown) when none is. Where a prosign and
// a sign share a pattern, preferProsigns picks the prosign.
QString token(const QString &pattern, bool preferProsigns = false);
inline const QString Unknown = QStringLiteral("*");

// Splits a text into tokens: a prosign in angle brackets is one token, a run
// of white space one " ", anything else one character each (upper case).
QStringList tokens(const QString &text);
// True when a and b are keyed alike (case-insensitive, + and <AR>, = and <BT>).
bool sameKeying(const QString &a, const QString &b);
// Every token of the alphabet, prosigns last.
QStringList all();

} // namespace SendingAlphabet

} // namespace sending
