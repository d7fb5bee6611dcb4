#include "record/csvreader.h"

#include <utility>

namespace record {

CsvReader::CsvReader(QString text) : m_text(std::move(text)) {}

bool CsvReader::next(QStringList *fields)
{
    fields->clear();
    if (!m_error.isEmpty())
        return false;
    const qsizetype n = m_text.size();
    // Empty lines carry no record.
    while (m_pos < n && (m_text[m_pos] == u'\n' || m_text[m_pos] == u'\r')) {
        if (m_text[m_pos] == u'\n')
            ++m_line;
        ++m_pos;
    }
    if (m_pos >= n)
        return false;
    m_recordLine = m_line;

    QString field;
    for (;;) {
        if (m_pos < n && m_text[m_pos] == u'"') {
            ++m_pos;
            for (;;) {
                if (m_pos >= n) {
                    m_error = QStringLiteral("a quoted field is not closed");
                    return false;
                }
                const QChar c = m_text[m_pos++];
                if (c == u'"') {
                    if (m_pos < n && m_text[m_pos] == u'"') {
                        field += u'"';
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                if (c == u'\n')
                    ++m_line;
                field += c;
            }
            if (m_pos < n && m_text[m_pos] != u',' && m_text[m_pos] != u'\n' &&
                !(m_text[m_pos] == u'\r' && m_pos + 1 < n && m_text[m_pos + 1] == u'\n')) {
                m_error = QStringLiteral("text follows a quoted field");
                return false;
            }
        } else {
            const qsizetype start = m_pos;
            while (m_pos < n && m_text[m_pos] != u',' && m_text[m_pos] != u'\n' &&
                   !(m_text[m_pos] == u'\r' && m_pos + 1 < n && m_text[m_pos + 1] == u'\n')) {
                if (m_text[m_pos] == u'"') {
                    m_error = QStringLiteral("a quote inside a field that is not quoted");
                    return false;
                }
                ++m_pos;
            }
            field = m_text.mid(start, m_pos - start);
        }
        fields->append(std::exchange(field, QString()));
        if (m_pos >= n)
            return true;
        if (m_text[m_pos] == u',') {
            ++m_pos;
            continue;
        }
        // The end of the record: LF or CRLF.
        m_pos += m_text[m_pos] == u'\r' ? 2 : 1;
        ++m_line;
        return true;
    }
}

} // namespace record
