#include "record/schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <array>
#include <initializer_list>

namespace record {

namespace {

// Times are milliseconds since the epoch, UTC; an answer's run is NULL where
// it came in from an imported file, which knows answers but no runs. Answers
// repeat their run's kind and speeds, so that they are read without a join.
constexpr std::array Step1{
    "CREATE TABLE run ("
    " id INTEGER PRIMARY KEY,"
    " kind TEXT NOT NULL,"
    " started_ms INTEGER NOT NULL,"
    " char_wpm REAL NOT NULL,"
    " effective_wpm REAL NOT NULL,"
    " lesson INTEGER,"
    " sent TEXT NOT NULL,"
    " typed TEXT NOT NULL,"
    " accuracy REAL NOT NULL)",
    "CREATE TABLE answer ("
    " id INTEGER PRIMARY KEY,"
    " run_id INTEGER REFERENCES run(id),"
    " when_ms INTEGER NOT NULL,"
    " kind TEXT NOT NULL,"
    " sent TEXT NOT NULL,"
    " answered TEXT NOT NULL,"
    " right INTEGER NOT NULL,"
    " answer_ms INTEGER,"
    " char_wpm REAL NOT NULL,"
    " effective_wpm REAL NOT NULL)",
};

// The queries the statistics and the import make: each character's latest
// answers, an answer by its natural key (which leads with the time, so it
// also serves "since"), a kind's runs by day, a run's answers.
constexpr std::array Step2{
    "CREATE INDEX answer_by_sent ON answer(sent, when_ms)",
    "CREATE INDEX answer_by_key ON answer(when_ms, kind, sent, answered)",
    "CREATE INDEX answer_by_run ON answer(run_id)",
    "CREATE INDEX run_by_kind ON run(kind, started_ms)",
};

template <std::size_t N>
bool run(QSqlDatabase &db, const std::array<const char *, N> &statements, QString *error)
{
    QSqlQuery q(db);
    for (const char *sql : statements) {
        if (!q.exec(QString::fromLatin1(sql))) {
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

bool Schema::migrate(QSqlDatabase &db, int from, int to, QString *error)
{
    for (int v = from; v < to; ++v) {
        bool ok = false;
        switch (v) {
        case 0:
            ok = run(db, Step1, error);
            break;
        case 1:
            ok = run(db, Step2, error);
            break;
        default:
            *error = QStringLiteral("no step from version %1").arg(v);
            break;
        }
        if (!ok)
            return false;
    }
    // A pragma takes no bound value; the number is this code's own.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(to))) {
        *error = q.lastError().text();
        return false;
    }
    return true;
}

bool Schema::matches(QSqlDatabase &db)
{
    // Preparing a statement that names every column fails for a missing one.
    QSqlQuery q(db);
    return q.prepare(QStringLiteral("SELECT id, kind, started_ms, char_wpm, effective_wpm, lesson,"
                                    " sent, typed, accuracy FROM run LIMIT 0")) &&
           q.prepare(QStringLiteral("SELECT id, run_id, when_ms, kind, sent, answered, right,"
                                    " answer_ms, char_wpm, effective_wpm FROM answer LIMIT 0"));
}

} // namespace record
