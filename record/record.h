#pragma once

#include "record/answer.h"
#include "record/run.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

class QSqlDatabase;
class QSqlError;

namespace record {

// Which answers to read.
struct AnswerFilter
{
    QList<Kind> kinds;        // empty: every kind
    QDateTime since;          // unset: from the first answer on
    int lastPerCharacter = 0; // > 0: only each sent character's newest N answers
};

// What an import did.
struct ImportResult
{
    bool ok = false;
    int read = 0;    // answers in the file
    int added = 0;   // stored now
    int present = 0; // already in the record, so left out
    QString error;   // when not ok: the file and, for a malformed one, the line
};

// The learner's record: every run of every kind and each of its answers, in
// an SQLite database in the user's data folder. A run is written in one
// transaction when it ends, so a crash loses at most the run under way.
// Several trainers may keep the same record open (WAL journal, busy timeout).
//
// Faults never reach the caller as exceptions and never end the program. A
// file that is damaged, unreadable, not a record or locked beyond the busy
// timeout is set aside under a new name beside it (never deleted) and a fresh
// record is started; a record of a newer version is left untouched; where no
// record can be had, the trainer works without one and every store is a
// no-op. Each such fault is told once through problem(), whose text the user
// interface shows.
//
// Used from one thread (the user interface's): its connection is that
// thread's.
class Record : public QObject
{
    Q_OBJECT

public:
    explicit Record(QObject *parent = nullptr);
    ~Record() override; // stores what is still pending, then closes
    Q_DISABLE_COPY_MOVE(Record)

    // <data>/Brevanto/Zirvano/record.sqlite, where <data> is the user's data
    // folder ($XDG_DATA_HOME, usually ~/.local/share): the AppDataLocation of
    // organisation "Brevanto", application "Zirvano", whatever names the
    // running application has.
    static QString defaultPath();

    // How long a statement waits for another trainer's write; beyond it the
    // file counts as locked. Takes effect at the next open().
    static constexpr int DefaultBusyTimeoutMs = 3000;
    void setBusyTimeout(int ms) { m_busyTimeoutMs = ms; }

    // Opens the record at path, closing one open before. True when a record
    // is in use, which may be a fresh one after the old file was set aside.
    bool open(const QString &path = defaultPath());
    void close();
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    // The name the unusable file was given at the last open, or empty.
    QString setAsideAs() const { return m_setAside; }

    // Stores a run and its answers in one transaction. False when it was not
    // stored: without a record (said once); or when the write failed (said
    // once), and then the run is kept and stored before the next run, or when
    // the record is closed.
    bool store(const Run &run);
    // Runs kept after a failed write, not yet stored.
    int pending() const { return int(m_pending.size()); }

    // Answers, oldest first.
    QList<Answer> answers(const AnswerFilter &filter = {}) const;
    // The runs of a kind begun on a day of the local calendar, oldest first,
    // each with its answers.
    QList<Run> runs(Kind kind, const QDate &day) const;
    // The runs of a kind begun at since or later (all for an unset since).
    QList<Run> runs(Kind kind, const QDateTime &since = {}) const;

    // Writes every stored answer to path as comma-separated values (see
    // AnswerCsv), whole or not at all. False, with error set, on failure.
    bool exportCsv(const QString &path, QString *error) const;
    // Merges the answers of a file written by exportCsv. An answer is the
    // same as a stored one when time, kind, character sent and answer agree;
    // a file is a bag of answers, so one present n times in the record and m
    // times in the file is added m - n times. A malformed file is rejected
    // whole, naming its line; nothing stored is ever changed or removed.
    ImportResult importCsv(const QString &path);

signals:
    // A fault the learner should hear of, told once per text.
    void problem(const QString &message);
    // Something was stored: a run, or answers from an import.
    void changed();

private:
    QSqlDatabase database() const;
    void say(const QString &message);
    bool write(const Run &run, QSqlError *error);
    bool flush();
    QList<Run> runsBetween(Kind kind, qint64 fromMs, qint64 toMs) const;

    QString m_connection;
    QString m_path;
    QString m_setAside;
    int m_busyTimeoutMs = DefaultBusyTimeoutMs;
    bool m_open = false;
    bool m_toldNoRecord = false;
    QList<Run> m_pending;
    QSet<QString> m_told;
};

} // namespace record
