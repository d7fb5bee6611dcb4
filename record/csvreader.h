#pragma once

#include <QString>
#include <QStringList>

namespace record {

// Reads records of comma-separated values as RFC 4180 writes them: a field
// holding a comma, a quote or a line break is quoted, its quotes doubled.
// Records end with CRLF or LF; empty lines are passed over.
class CsvReader
{
public:
    explicit CsvReader(QString text);

    // The next record's fields. False at the end of the text, and on a
    // malformed record, when error() says what is wrong.
    bool next(QStringList *fields);
    // The line (from 1) on which the record last read began.
    int line() const { return m_recordLine; }
    QString error() const { return m_error; }

private:
    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_recordLine = 0;
    QString m_error;
};

} // namespace record
