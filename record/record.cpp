#include "record/record.h"

#include "record/answercsv.h"
#include "record/csvreader.h"
#include "record/databasefile.h"
#include "record/schema.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <limits>
#include <vector>

namespace record {

namespace {

using Fault = DatabaseFile::Fault;

// A file larger than this is no exported record (over three million answers).
constexpr qint64 LargestImport = qint64(256) << 20;

const QString AnswerColumns =
    QStringLiteral("when_ms, kind, sent, answered, right, answer_ms, char_wpm, effective_wpm");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString tag(Fault fault)
{
    switch (fault) {
    case Fault::Foreign:
        return QStringLiteral("foreign");
    case Fault::Unreadable:
    case Fault::NotAFile:
        return QStringLiteral("unreadable");
    case Fault::Locked:
        return QStringLiteral("locked");
    default:
        return QStringLiteral("damaged");
    }
}

QString reason(const DatabaseFile::Outcome &o)
{
    switch (o.fault) {
    case Fault::Damaged:
        return Record::tr("the file is damaged (%1)").arg(o.detail);
    case Fault::Foreign:
        return Record::tr("the file is no record of this trainer (%1)").arg(o.detail);
    case Fault::Unreadable:
        return Record::tr("the file cannot be read or written (%1)").arg(o.detail);
    case Fault::NotAFile:
        return Record::tr("something other than a file stands in its place");
    case Fault::Locked:
        return Record::tr("another program keeps it locked");
    case Fault::Newer:
        return Record::tr("it was written by a newer version of Zirvano (format %1; this version "
                          "knows formats up to %2) and is left as it is")
            .arg(o.version)
            .arg(Schema::Version);
    case Fault::NoDriver:
        return Record::tr("Qt's SQLite driver is not installed (Debian package libqt6sql6-sqlite)");
    case Fault::NoFolder:
        return Record::tr("its folder %1 cannot be created").arg(shown(o.detail));
    default:
        return o.detail;
    }
}

QVariant orNull(qint64 value)
{
    return value >= 0 ? QVariant(value) : QVariant(QMetaType::fromType<qint64>());
}

// Qt binds a null string as NULL; the record's texts are never NULL.
QString text(const QString &s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

qint64 msOf(const QDateTime &t)
{
    return t.toMSecsSinceEpoch();
}

QDateTime timeOf(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

// An answer from AnswerColumns, starting at column first.
Answer answerAt(const QSqlQuery &q, int first)
{
    Answer a;
    a.when = timeOf(q.value(first).toLongLong());
    a.kind = kindFromName(q.value(first + 1).toString()).value_or(Kind::Course);
    a.sent = q.value(first + 2).toString();
    a.answered = q.value(first + 3).toString();
    a.right = q.value(first + 4).toInt() != 0;
    a.answerMs = q.value(first + 5).isNull() ? -1 : q.value(first + 5).toInt();
    a.charWpm = q.value(first + 6).toDouble();
    a.effectiveWpm = q.value(first + 7).toDouble();
    return a;
}

void bindAnswer(QSqlQuery &q, const Answer &a)
{
    q.addBindValue(msOf(a.when));
    q.addBindValue(kindName(a.kind));
    q.addBindValue(text(a.sent));
    q.addBindValue(text(a.answered));
    q.addBindValue(a.right ? 1 : 0);
    q.addBindValue(orNull(a.answerMs));
    q.addBindValue(a.charWpm);
    q.addBindValue(a.effectiveWpm);
}

const QString InsertAnswer = QStringLiteral(
    "INSERT INTO answer (run_id, when_ms, kind, sent, answered, right, answer_ms, char_wpm,"
    " effective_wpm) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");

// Ends a write transaction: committed when ok, else rolled back. On failure
// error holds why (the caller's reason, or the commit's).
bool finishWrite(QSqlDatabase &db, bool ok, QSqlError *error)
{
    QSqlQuery end(db);
    if (ok && end.exec(QStringLiteral("COMMIT")))
        return true;
    if (ok)
        *error = end.lastError();
    end.exec(QStringLiteral("ROLLBACK"));
    return false;
}

} // namespace

Record::Record(QObject *parent) : QObject(parent)
{
    static std::atomic<int> made{0};
    m_connection = QStringLiteral("zirvano-record-%1").arg(++made);
}

Record::~Record()
{
    close();
}

QString Record::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Brevanto/Zirvano/record.sqlite");
}

QSqlDatabase Record::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

void Record::say(const QString &message)
{
    if (m_told.contains(message))
        return;
    m_told.insert(message);
    emit problem(message);
}

bool Record::open(const QString &path)
{
    close();
    m_path = path;
    m_setAside.clear();
    m_toldNoRecord = false;
    const DatabaseFile::Outcome first = DatabaseFile::open(m_connection, path, m_busyTimeoutMs);
    if (first.fault == Fault::None) {
        m_open = true;
        flush();
        return true;
    }
    // Every message below tells that no record is kept, where that is so; a
    // store then says nothing more.
    m_toldNoRecord = true;
    if (!DatabaseFile::mendable(first.fault)) {
        say(tr("The learner's record %1 cannot be used: %2. The trainer goes on without keeping "
               "a record.")
                .arg(shown(path), reason(first)));
        return false;
    }
    QString error;
    const QString aside = DatabaseFile::setAside(path, tag(first.fault), &error);
    if (aside.isEmpty()) {
        say(tr("The learner's record %1 cannot be used: %2. Nor can it be set aside (%3), so the "
               "trainer goes on without keeping a record.")
                .arg(shown(path), reason(first), shown(error)));
        return false;
    }
    m_setAside = aside;
    const DatabaseFile::Outcome fresh = DatabaseFile::open(m_connection, path, m_busyTimeoutMs);
    if (fresh.fault != Fault::None) {
        say(tr("The learner's record %1 cannot be used: %2. It was kept as %3, but no new record "
               "can be started (%4), so the trainer goes on without keeping a record.")
                .arg(shown(path), reason(first), QFileInfo(aside).fileName(), reason(fresh)));
        return false;
    }
    m_open = true;
    m_toldNoRecord = false;
    say(tr("The learner's record %1 cannot be used: %2. It was kept as %3, and a new record was "
           "started.")
            .arg(shown(path), reason(first), QFileInfo(aside).fileName()));
    flush();
    return true;
}

void Record::close()
{
    if (m_open && !m_pending.isEmpty())
        flush();
    m_open = false;
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = database();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

bool Record::store(const Run &run)
{
    Run r = run;
    if (!r.when.isValid())
        r.when = QDateTime::currentDateTimeUtc();
    for (Answer &a : r.answers) {
        a.kind = r.kind;
        if (!a.when.isValid())
            a.when = r.when;
        if (a.charWpm == 0)
            a.charWpm = r.charWpm;
        if (a.effectiveWpm == 0)
            a.effectiveWpm = r.effectiveWpm;
    }
    if (!m_open) {
        if (!m_toldNoRecord)
            say(tr("Results are not being stored: the trainer is working without a record."));
        m_toldNoRecord = true;
        return false;
    }
    m_pending.append(r);
    return flush();
}

bool Record::flush()
{
    bool wrote = false;
    while (!m_pending.isEmpty()) {
        QSqlError error;
        if (write(m_pending.constFirst(), &error)) {
            wrote = true;
        } else if (DatabaseFile::classify(error) == Fault::Refused) {
            // Trying again would fail again, and hold up every run after it.
            say(tr("A result could not be stored in the learner's record (%1).").arg(error.text()));
        } else {
            say(tr("A result could not be stored in the learner's record (%1). It is kept, and "
                   "stored with the next one.")
                    .arg(error.text()));
            break;
        }
        m_pending.removeFirst();
    }
    if (wrote)
        emit changed();
    return m_pending.isEmpty();
}

bool Record::write(const Run &run, QSqlError *error)
{
    QSqlDatabase db = database();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *error = q.lastError();
        return false;
    }
    bool ok = q.prepare(QStringLiteral(
        "INSERT INTO run (kind, started_ms, char_wpm, effective_wpm, lesson, sent, typed,"
        " accuracy) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    if (ok) {
        q.addBindValue(kindName(run.kind));
        q.addBindValue(msOf(run.when));
        q.addBindValue(run.charWpm);
        q.addBindValue(run.effectiveWpm);
        q.addBindValue(orNull(run.lesson));
        q.addBindValue(text(run.sent));
        q.addBindValue(text(run.typed));
        q.addBindValue(run.accuracy);
        ok = q.exec();
    }
    const qint64 id = ok ? q.lastInsertId().toLongLong() : 0;
    ok = ok && q.prepare(InsertAnswer);
    for (qsizetype i = 0; ok && i < run.answers.size(); ++i) {
        q.addBindValue(id);
        bindAnswer(q, run.answers[i]);
        ok = q.exec();
    }
    if (!ok)
        *error = q.lastError();
    q.finish();
    return finishWrite(db, ok, error);
}

QList<Answer> Record::answers(const AnswerFilter &filter) const
{
    QList<Answer> result;
    if (!m_open)
        return result;
    QString where = QStringLiteral("WHERE when_ms >= ?");
    if (!filter.kinds.isEmpty()) {
        QStringList marks(filter.kinds.size(), QStringLiteral("?"));
        where += QStringLiteral(" AND kind IN (%1)").arg(marks.join(u','));
    }
    const auto bind = [&](QSqlQuery &q) {
        q.addBindValue(filter.since.isValid() ? msOf(filter.since)
                                              : std::numeric_limits<qint64>::min());
        for (Kind k : filter.kinds)
            q.addBindValue(kindName(k));
    };
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (filter.lastPerCharacter <= 0) {
        q.prepare(QStringLiteral("SELECT %1 FROM answer %2 ORDER BY when_ms, id")
                      .arg(AnswerColumns, where));
        bind(q);
        if (q.exec()) {
            while (q.next())
                result.append(answerAt(q, 0));
        }
        return result;
    }

    // Each character's newest answers come from the index by character and
    // time, one short walk each, rather than from sorting every answer.
    QStringList characters;
    if (q.exec(QStringLiteral("SELECT DISTINCT sent FROM answer"))) {
        while (q.next())
            characters.append(q.value(0).toString());
    }
    q.prepare(QStringLiteral("SELECT %1, id FROM answer %2 AND sent = ?"
                             " ORDER BY when_ms DESC, id DESC LIMIT ?")
                  .arg(AnswerColumns, where));
    std::vector<std::pair<qint64, Answer>> found;
    for (const QString &c : std::as_const(characters)) {
        bind(q);
        q.addBindValue(c);
        q.addBindValue(filter.lastPerCharacter);
        if (q.exec()) {
            while (q.next())
                found.emplace_back(q.value(8).toLongLong(), answerAt(q, 0));
        }
    }
    std::sort(found.begin(), found.end(), [](const auto &x, const auto &y) {
        return std::pair(msOf(x.second.when), x.first) < std::pair(msOf(y.second.when), y.first);
    });
    result.reserve(qsizetype(found.size()));
    for (auto &f : found)
        result.append(std::move(f.second));
    return result;
}

QList<Run> Record::runs(Kind kind, const QDate &day) const
{
    return runsBetween(kind, msOf(day.startOfDay()), msOf(day.addDays(1).startOfDay()));
}

QList<Run> Record::runs(Kind kind, const QDateTime &since) const
{
    return runsBetween(kind, since.isValid() ? msOf(since) : std::numeric_limits<qint64>::min(),
                       std::numeric_limits<qint64>::max());
}

QList<Run> Record::runsBetween(Kind kind, qint64 fromMs, qint64 toMs) const
{
    QList<Run> result;
    if (!m_open)
        return result;
    const QString chosen =
        QStringLiteral("FROM run WHERE kind = ? AND started_ms >= ? AND started_ms < ?");
    const auto bind = [&](QSqlQuery &q) {
        q.addBindValue(kindName(kind));
        q.addBindValue(fromMs);
        q.addBindValue(toMs);
    };
    QSqlQuery q(database());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT id, started_ms, char_wpm, effective_wpm, lesson, sent, typed,"
                             " accuracy %1 ORDER BY started_ms, id")
                  .arg(chosen));
    bind(q);
    if (!q.exec())
        return result;
    QHash<qint64, qsizetype> byId;
    while (q.next()) {
        Run r;
        r.id = q.value(0).toLongLong();
        r.when = timeOf(q.value(1).toLongLong());
        r.kind = kind;
        r.charWpm = q.value(2).toDouble();
        r.effectiveWpm = q.value(3).toDouble();
        r.lesson = q.value(4).isNull() ? -1 : q.value(4).toInt();
        r.sent = q.value(5).toString();
        r.typed = q.value(6).toString();
        r.accuracy = q.value(7).toDouble();
        byId.insert(r.id, result.size());
        result.append(r);
    }
    q.prepare(QStringLiteral("SELECT run_id, %1 FROM answer WHERE run_id IN (SELECT id %2)"
                             " ORDER BY id")
                  .arg(AnswerColumns, chosen));
    bind(q);
    if (q.exec()) {
        while (q.next()) {
            const auto at = byId.constFind(q.value(0).toLongLong());
            if (at != byId.constEnd())
                result[*at].answers.append(answerAt(q, 1));
        }
    }
    return result;
}

bool Record::exportCsv(const QString &path, QString *error) const
{
    if (!m_open) {
        *error = tr("There is no record to export: the trainer is working without one.");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = tr("%1 cannot be written: %2").arg(shown(path), file.errorString());
        return false;
    }
    QTextStream out(&file);
    AnswerCsv::write(out, AnswerCsv::header());
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM answer ORDER BY when_ms, id").arg(AnswerColumns))) {
        *error = tr("The record cannot be read: %1").arg(q.lastError().text());
        file.cancelWriting();
        return false;
    }
    while (q.next())
        AnswerCsv::write(out, AnswerCsv::fields(answerAt(q, 0)));
    out.flush();
    if (!file.commit()) {
        *error = tr("%1 cannot be written: %2").arg(shown(path), file.errorString());
        return false;
    }
    return true;
}

ImportResult Record::importCsv(const QString &path)
{
    ImportResult r;
    if (!m_open) {
        r.error = tr("There is no record to import into: the trainer is working without one.");
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = tr("%1 cannot be read: %2").arg(shown(path), file.errorString());
        return r;
    }
    if (file.size() > LargestImport) {
        r.error = tr("%1 is too large to be an exported record.").arg(shown(path));
        return r;
    }
    QTextStream in(&file);
    CsvReader reader(in.readAll());
    const auto malformed = [&](const QString &why) {
        r.error = tr("%1, line %2: %3").arg(shown(path)).arg(reader.line()).arg(why);
        return r;
    };
    QStringList fields;
    if (!reader.next(&fields)) {
        if (!reader.error().isEmpty())
            return malformed(reader.error());
        r.error = tr("%1 is empty: it lacks even the header line.").arg(shown(path));
        return r;
    }
    if (fields != AnswerCsv::header())
        return malformed(
            tr("the first line must be the header %1").arg(AnswerCsv::header().join(u',')));
    QList<Answer> answers;
    while (reader.next(&fields)) {
        QString why;
        const std::optional<Answer> a = AnswerCsv::answer(fields, &why);
        if (!a)
            return malformed(why);
        answers.append(*a);
    }
    if (!reader.error().isEmpty())
        return malformed(reader.error());
    r.read = int(answers.size());

    QSqlDatabase db = database();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        r.error = tr("The record cannot be written: %1").arg(q.lastError().text());
        return r;
    }
    // How many of each natural key the record holds within the file's span of
    // time, read at once, then how many the file has shown so far.
    QSqlError error;
    QHash<QString, std::pair<int, int>> seen;
    const auto key = [](qint64 ms, const QString &kind, const QString &sent,
                        const QString &answered) {
        return QString::number(ms) + u'\x1f' + kind + u'\x1f' + sent + u'\x1f' + answered;
    };
    qint64 first = std::numeric_limits<qint64>::max();
    qint64 last = std::numeric_limits<qint64>::min();
    for (const Answer &a : std::as_const(answers)) {
        first = std::min(first, msOf(a.when));
        last = std::max(last, msOf(a.when));
    }
    q.setForwardOnly(true);
    bool ok = q.prepare(QStringLiteral("SELECT when_ms, kind, sent, answered FROM answer"
                                       " WHERE when_ms BETWEEN ? AND ?"));
    q.addBindValue(first);
    q.addBindValue(last);
    ok = ok && q.exec();
    while (ok && q.next())
        ++seen[key(q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
                   q.value(3).toString())]
              .first;
    ok = ok && q.prepare(InsertAnswer);
    if (!ok)
        error = q.lastError();
    for (qsizetype i = 0; ok && i < answers.size(); ++i) {
        const Answer &a = answers[i];
        auto &[stored, shown] =
            seen[key(msOf(a.when), kindName(a.kind), text(a.sent), text(a.answered))];
        if (++shown <= stored) {
            ++r.present;
            continue;
        }
        q.addBindValue(QVariant(QMetaType::fromType<qint64>()));
        bindAnswer(q, a);
        ok = q.exec();
        if (!ok)
            error = q.lastError();
        r.added += ok ? 1 : 0;
    }
    q.finish();
    if (!finishWrite(db, ok, &error)) {
        r.added = r.present = 0;
        r.error = tr("The record cannot be written: %1").arg(error.text());
        return r;
    }
    r.ok = true;
    if (r.added > 0)
        emit changed();
    return r;
}

} // namespace record
