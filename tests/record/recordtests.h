#pragma once

// What the record's tests share: runs to store, and a connection of their own
// to look at the file beside the record.

#include "record/record.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <atomic>

namespace recordtests {

// A run of kind with n answers, the i-th sending "A" + i, answered right
// where i is even (else "E"), i + 1 seconds after the start.
inline record::Run Corrida(record::Kind kind, int n, const QDateTime &quando,
                           const QString &texto = QStringLiteral("corrida"))
{
    record::Run r{0, quando, kind, 20, 10, -1, texto, texto, 50, {}};
    for (int i = 0; i < n; ++i) {
        const QString enviado(QChar(u'A' + i % 26));
        r.answers.append({quando.addSecs(i + 1), kind, enviado,
                          i % 2 == 0 ? enviado : QStringLiteral("E"), i % 2 == 0, 300 + i, 0, 0});
    }
    return r;
}

inline QByteArray Le(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool Escreve(const QString &path, const QByteArray &conteudo)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(conteudo) == conteudo.size();
}

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
        QSqlDatabase::database(nome, false).close();
        QSqlDatabase::removeDatabase(nome);
    }
    Q_DISABLE_COPY_MOVE(Bruta)

    QSqlDatabase db() const { return QSqlDatabase::database(nome, false); }
    // The first value sql gives; invalid on failure.
    QVariant valor(const QString &sql) const
    {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    bool executa(const QString &sql) const { return QSqlQuery(db()).exec(sql); }

private:
    static inline std::atomic<int> contador{0};
    QString nome;
};

} // namespace recordtests
