#include "record/databasefile.h"

#include "record/schema.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QThread>

namespace record {

namespace {

const QString Driver = QStringLiteral("QSQLITE");
// What SQLite keeps beside a database: the write-ahead log, its index, and a
// rollback journal where the file was last written without WAL. They belong
// to the file and move with it.
const QStringList Companions{QStringLiteral("-wal"), QStringLiteral("-shm"),
                             QStringLiteral("-journal")};

using Fault = DatabaseFile::Fault;
using Outcome = DatabaseFile::Outcome;

Outcome failure(const QSqlError &error)
{
    return {DatabaseFile::classify(error), error.databaseText(), 0};
}

bool taken(const QString &name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

// Reads what the file is, all in one snapshot: a second trainer creating the
// schema meanwhile must not make it look half made.
Outcome inspect(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return failure(q.lastError());
    const int version = q.value(0).toInt();
    if (version < 0)
        return {Fault::Foreign, QStringLiteral("user_version %1").arg(version), version};
    if (version > Schema::Version)
        return {Fault::Newer, {}, version};
    if (!q.exec(QStringLiteral("PRAGMA quick_check")))
        return failure(q.lastError());
    if (!q.next() || q.value(0).toString() != QLatin1String("ok"))
        return {Fault::Damaged, q.value(0).toString(), version};
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
        return failure(q.lastError());
    if (version == 0 && q.value(0).toInt() > 0)
        return {Fault::Foreign, QStringLiteral("tables, but no version"), version};
    if (version > 0 && !Schema::matches(db))
        return {Fault::Foreign, QStringLiteral("tables or columns missing"), version};
    return {Fault::None, {}, version};
}

// Checks an open connection and brings its schema up to date. Nothing is
// written to a file found unusable, so that it is set aside as it was.
Outcome prepare(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN")))
        return failure(q.lastError());
    const Outcome found = inspect(db);
    q.exec(QStringLiteral("COMMIT"));
    if (found.fault != Fault::None)
        return found;
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !q.next())
        return failure(q.lastError());
    if (q.value(0).toString() != QLatin1String("wal"))
        return {Fault::Unreadable, QStringLiteral("journal mode %1").arg(q.value(0).toString()),
                found.version};
    // A run is committed to the disk, not only to the system's cache, before
    // the trainer goes on: a power cut then loses at most the run under way.
    if (!q.exec(QStringLiteral("PRAGMA synchronous = FULL")))
        return failure(q.lastError());

    // Writing proves the file writable and takes the lock that keeps a second
    // trainer starting at the same moment from migrating it twice.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failure(q.lastError());
    Outcome outcome;
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        outcome = failure(q.lastError());
    } else {
        const int version = q.value(0).toInt();
        outcome.version = version;
        QString error;
        if (version > Schema::Version)
            outcome.fault = Fault::Newer;
        else if (version < Schema::Version &&
                 !Schema::migrate(db, version, Schema::Version, &error))
            outcome = {Fault::Foreign, error, version};
        else if (!Schema::matches(db))
            outcome = {Fault::Foreign, QStringLiteral("tables or columns missing"), version};
    }
    q.finish();
    if (outcome.fault != Fault::None) {
        q.exec(QStringLiteral("ROLLBACK"));
        return outcome;
    }
    if (!q.exec(QStringLiteral("COMMIT"))) {
        const Outcome failed = failure(q.lastError());
        q.exec(QStringLiteral("ROLLBACK"));
        return failed;
    }
    return {Fault::None, {}, Schema::Version};
}

Outcome openOnce(const QString &connection, const QString &path, int busyTimeoutMs)
{
    const QFileInfo info(path);
    if (taken(path) && !info.isFile())
        return {Fault::NotAFile, {}, 0};
    if (!QDir().mkpath(info.absolutePath()))
        return {Fault::NoFolder, info.absolutePath(), 0};
    if (!QSqlDatabase::isDriverAvailable(Driver))
        return {Fault::NoDriver, {}, 0};
    Outcome outcome;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Driver, connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        outcome = db.open() ? prepare(db) : failure(db.lastError());
        if (outcome.fault != Fault::None)
            db.close();
    }
    if (outcome.fault != Fault::None)
        QSqlDatabase::removeDatabase(connection);
    return outcome;
}

} // namespace

Outcome DatabaseFile::open(const QString &connection, const QString &path, int busyTimeoutMs)
{
    // Two trainers switching a new file to WAL at the same moment: SQLite
    // tells one of them "busy" at once, without waiting, so a lock counts
    // only once it has lasted the whole busy timeout.
    const QDeadlineTimer deadline(busyTimeoutMs);
    for (;;) {
        const Outcome outcome = openOnce(connection, path, busyTimeoutMs);
        if (outcome.fault != Fault::Locked || deadline.hasExpired())
            return outcome;
        QThread::msleep(20);
    }
}

bool DatabaseFile::mendable(Fault fault)
{
    switch (fault) {
    case Fault::Damaged:
    case Fault::Foreign:
    case Fault::Unreadable:
    case Fault::NotAFile:
    case Fault::Locked:
        return true;
    default:
        return false;
    }
}

QString DatabaseFile::setAside(const QString &path, const QString &tag, QString *error)
{
    const QString base = path + u'.' + tag + u'-' +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmm"));
    QString aside = base;
    const auto free = [](const QString &name) {
        if (taken(name))
            return false;
        for (const QString &c : Companions) {
            if (taken(name + c))
                return false;
        }
        return true;
    };
    for (int n = 2; !free(aside); ++n)
        aside = base + u'-' + QString::number(n);

    // The journals first: a fresh file must never find the old one's log.
    QDir dir;
    QStringList moved;
    const auto undo = [&] {
        for (const QString &c : std::as_const(moved))
            dir.rename(aside + c, path + c);
    };
    for (const QString &c : Companions) {
        if (!taken(path + c))
            continue;
        if (!dir.rename(path + c, aside + c)) {
            undo();
            *error = QStringLiteral("%1 cannot be renamed").arg(path + c);
            return {};
        }
        moved.append(c);
    }
    if (!dir.rename(path, aside)) {
        undo();
        *error = QStringLiteral("%1 cannot be renamed").arg(path);
        return {};
    }
    return aside;
}

DatabaseFile::Fault DatabaseFile::classify(const QSqlError &error)
{
    // The driver reports SQLite's result code; the low byte is the primary one.
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xff;
    if (!number)
        return Fault::Other;
    switch (code) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return Fault::Locked;
    case 3:  // SQLITE_PERM
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
    case 23: // SQLITE_AUTH
        return Fault::Unreadable;
    case 10: // SQLITE_IOERR
    case 11: // SQLITE_CORRUPT
    case 24: // SQLITE_FORMAT
    case 26: // SQLITE_NOTADB
        return Fault::Damaged;
    case 18: // SQLITE_TOOBIG
    case 19: // SQLITE_CONSTRAINT
    case 20: // SQLITE_MISMATCH
    case 25: // SQLITE_RANGE
        return Fault::Refused;
    default:
        return Fault::Other;
    }
}

} // namespace record
