#include "record/answercsv.h"

#include <QCoreApplication>
#include <QTextStream>

namespace record::AnswerCsv {

namespace {

bool needsQuotes(const QString &field)
{
    for (const QChar c : field) {
        if (c == u',' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

QString speed(double wpm)
{
    return QString::number(wpm, 'g', 6);
}

} // namespace

QStringList header()
{
    return {QStringLiteral("time"),     QStringLiteral("kind"),         QStringLiteral("sent"),
            QStringLiteral("answered"), QStringLiteral("right"),        QStringLiteral("answer_ms"),
            QStringLiteral("char_wpm"), QStringLiteral("effective_wpm")};
}

void write(QTextStream &out, const QStringList &fields)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out << u',';
        const QString &f = fields[i];
        if (needsQuotes(f)) {
            QString doubled = f;
            doubled.replace(u'"', QStringLiteral("\"\""));
            out << u'"' << doubled << u'"';
        } else {
            out << f;
        }
    }
    out << "\r\n";
}

QStringList fields(const Answer &a)
{
    return {a.when.toUTC().toString(Qt::ISODateWithMs),
            kindName(a.kind),
            a.sent,
            a.answered,
            a.right ? QStringLiteral("1") : QStringLiteral("0"),
            a.answerMs >= 0 ? QString::number(a.answerMs) : QString(),
            speed(a.charWpm),
            speed(a.effectiveWpm)};
}

std::optional<Answer> answer(const QStringList &f, QString *error)
{
    static const qsizetype columns = header().size();
    if (f.size() != columns) {
        *error =
            QCoreApplication::translate("record::AnswerCsv", "%1 fields where there should be %2")
                .arg(f.size())
                .arg(header().size());
        return std::nullopt;
    }
    Answer a;
    a.when = QDateTime::fromString(f[0], Qt::ISODateWithMs);
    if (!a.when.isValid()) {
        *error = QCoreApplication::translate("record::AnswerCsv", "\"%1\" is not a time").arg(f[0]);
        return std::nullopt;
    }
    if (a.when.timeSpec() == Qt::LocalTime)
        a.when.setTimeSpec(Qt::UTC);
    a.when = a.when.toUTC();
    const std::optional<Kind> kind = kindFromName(f[1]);
    if (!kind) {
        *error = QCoreApplication::translate("record::AnswerCsv", "\"%1\" is not a kind").arg(f[1]);
        return std::nullopt;
    }
    a.kind = *kind;
    a.sent = f[2];
    a.answered = f[3];
    if (f[4] != QLatin1String("0") && f[4] != QLatin1String("1")) {
        *error = QCoreApplication::translate("record::AnswerCsv", "right is \"%1\", not 1 or 0")
                     .arg(f[4]);
        return std::nullopt;
    }
    a.right = f[4] == QLatin1String("1");
    bool ok = true;
    a.answerMs = f[5].isEmpty() ? -1 : f[5].toInt(&ok);
    if (!ok || a.answerMs < -1) {
        *error =
            QCoreApplication::translate("record::AnswerCsv", "\"%1\" is not an answer time in ms")
                .arg(f[5]);
        return std::nullopt;
    }
    bool okChar = false;
    bool okEffective = false;
    a.charWpm = f[6].toDouble(&okChar);
    a.effectiveWpm = f[7].toDouble(&okEffective);
    if (!okChar || !okEffective || !(a.charWpm >= 0 && a.charWpm <= 1000) ||
        !(a.effectiveWpm >= 0 && a.effectiveWpm <= 1000)) {
        *error =
            QCoreApplication::translate("record::AnswerCsv", "\"%1\" and \"%2\" are not speeds")
                .arg(f[6], f[7]);
        return std::nullopt;
    }
    return a;
}

} // namespace record::AnswerCsv
