#pragma once

#include <QString>

class QSqlError;

namespace record {

// Opening the SQLite file behind the record, and putting aside one that
// cannot be used.
class DatabaseFile
{
public:
    // Why a file could not be used, from the most to the least mendable.
    enum class Fault
    {
        None,
        Damaged,    // not an SQLite file, or one whose pages are broken
        Foreign,    // a sound SQLite file, but not laid out as a record
        Unreadable, // cannot be read or written (permissions, a read-only file)
        NotAFile,   // a folder or another non-file stands in its place
        Locked,     // another program holds it beyond the busy timeout
        Newer,      // written by a newer version of the trainer: left untouched
        NoDriver,   // Qt's SQLite driver is not installed
        NoFolder,   // its folder cannot be created
        Refused,    // the data written, not the file, is at fault (too big, a constraint)
        Other       // anything else (a full disk): nothing to mend by setting aside
    };

    struct Outcome
    {
        Fault fault = Fault::None;
        QString detail;  // SQLite's or the system's own words
        int version = 0; // the file's schema version, where it was read
    };

    // Opens path as the Qt SQL connection named connection, with a busy
    // timeout of busyTimeoutMs, WAL journal and full syncs; checks the file
    // and brings its schema up to date. On any fault the connection is
    // closed and removed again.
    static Outcome open(const QString &connection, const QString &path, int busyTimeoutMs);

    // True for the faults that a fresh file in place of the old one mends.
    static bool mendable(Fault fault);

    // Renames path, with the journal files beside it, to
    // "<path>.<tag>-yyyyMMdd-HHmm" (a "-2", "-3"... after it where that is
    // taken) and returns the new name; nothing is ever deleted. On failure
    // everything keeps its name, and the result is empty with error set.
    static QString setAside(const QString &path, const QString &tag, QString *error);

    // The fault an SQLite error means.
    static Fault classify(const QSqlError &error);
};

} // namespace record
