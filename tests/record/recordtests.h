#pragma once

// What the record's tests share: runs to store, and a raw connection to look
// at the database beside the record.

#include "record/record.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <atomic>

namespace recordtests {

// A run of kind with n answers, the i-th sending "A" + i % 26, answered
// right where i is even; each a second after the run's start.
inline record::Run Corrida(record::Kind kind, int n, const QDateTime &quando,
                           const QString &texto = QStringLiteral("corrida"))
{
    record::Run r;
    r.when = quando;
    r.kind = kind;
    r.charWpm = 20;
    r.effectiveWpm = 10;
    r.sent = texto;
    r.typed = texto;
    r.accuracy = 50;
    for (int i = 0; i < n; ++i) {
        record::Answer a;
        a.when = quando.addSecs(i + 1);
        a.sent = QString(QChar(u'A' + i % 26));
        a.answered = i % 2 == 0 ? a.sent : QStringLiteral("E");
        a.right = i % 2 == 0;
        a.answerMs = 300 + i;
        r.answers.append(a);
    }
    return r;
}

// A connection of its own to the file at path, closed and removed when it goes.
class Bruta
{
public:
    explicit Bruta(const QString &path) : nome(QStringLiteral("bruta-%1").arg(++contador))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(path);
        db.open();
    }
    ~Bruta()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(nome, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(nome);
    }
    Q_DISABLE_COPY_MOVE(Bruta)

    QSqlDatabase db() const { return QSqlDatabase::database(nome, false); }
    // The first value of the first row of sql; invalid on failure.
    QVariant valor(const QString &sql) const
    {
        QSqlQuery q(db());
        if (q.exec(sql) && q.next())
            return q.value(0);
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return {};
    }
    bool executa(const QString &sql) const
    {
        QSqlQuery q(db());
        return q.exec(sql);
    }

private:
    static inline std::atomic<int> contador{0};
    QString nome;
};

} // namespace recordtests
