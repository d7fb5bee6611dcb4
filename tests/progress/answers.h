#pragma once

#include "record/answer.h"

#include <QDateTime>
#include <QList>
#include <QTimeZone>

// Answers made up for the tests: one a minute from a fixed moment, so their
// order is the order they were made in.
namespace answers {

inline const QDateTime Start(QDate(2024, 3, 9), QTime(12, 0), Qt::UTC);

struct Maker
{
    QDateTime when = Start;
    record::Kind kind = record::Kind::Course;

    record::Answer operator()(const QString &sent, const QString &answered, int ms = -1,
                              double effectiveWpm = 0)
    {
        record::Answer a;
        a.when = when;
        when = when.addSecs(60);
        a.kind = kind;
        a.sent = sent;
        a.answered = answered;
        a.right = sent == answered;
        a.answerMs = ms;
        a.effectiveWpm = effectiveWpm;
        return a;
    }

    // n answers of sent, the first `right` of them right, the rest taken for wrong.
    QList<record::Answer> many(const QString &sent, int n, int right,
                               const QString &wrong = QStringLiteral("?"))
    {
        QList<record::Answer> list;
        for (int i = 0; i < n; ++i)
            list.append((*this)(sent, i < right ? sent : wrong));
        return list;
    }
};

} // namespace answers
