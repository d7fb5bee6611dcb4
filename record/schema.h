#pragma once

#include <QString>

class QSqlDatabase;

namespace record {

// The layout of the record's database, versioned by SQLite's user_version.
// Each migration is one step from version n to n + 1, kept forever, so a
// record of any earlier version is brought up to date in order.
class Schema
{
public:
    // The version this code writes and understands.
    static constexpr int Version = 2;

    // Brings db from version `from` to `to` (from < to <= Version) and sets
    // user_version. The caller holds a write transaction, so a failure leaves
    // the database as it was. On failure returns false and fills error.
    static bool migrate(QSqlDatabase &db, int from, int to, QString *error);

    // True when db has every table and column this version reads and writes;
    // every version so far has the same ones.
    static bool matches(QSqlDatabase &db);
};

} // namespace record
