#pragma once

#include "record/answer.h"

#include <QStringList>
#include <optional>

class QTextStream;

// The record's answers as comma-separated values, one answer a line after a
// header line:
//   time,kind,sent,answered,right,answer_ms,char_wpm,effective_wpm
//   2026-12-09T15:30:12.345Z,reception,K,R,0,840,9.6,7.86885
// The time is ISO 8601 in UTC to the millisecond, the kind its stored name
// (record::kindName), right 1 or 0, answer_ms empty where none was measured,
// the speeds PARIS words per minute. Fields holding a comma, a quote or a line
// break are quoted as RFC 4180 says, lines end with CRLF.
namespace record::AnswerCsv {

QStringList header();
// Writes one record, quoting what needs it.
void write(QTextStream &out, const QStringList &fields);
QStringList fields(const Answer &answer);
// The answer one record holds; nothing, with error set, for a malformed one.
// A time without a zone is taken as UTC.
std::optional<Answer> answer(const QStringList &fields, QString *error);

} // namespace record::AnswerCsv
