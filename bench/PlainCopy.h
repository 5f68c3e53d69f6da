#pragma once
// The yardstick of the source statement: the same data in a plain SQLite design, and the same
// statement shaped for it.
//
// The copy holds every row of the demo bank with dates as integers (seconds from 30.12.1899),
// integer primary keys on the code tables whose keys are unique integers, the bank's other
// lookup keys as plain indexes, one covering ledger index (account, date, then the other
// columns) and statistics. The statement is the dialect's translation of the source statement
// with its date comparisons left to the integers: COLLATE DATUM dropped, date literals bound as
// integers, and the dialect's functions replaced by plain ones that do what SQLite's built-in
// operators and functions do (no checks of dates and numbers, ROUND of SQLite).

#include <sqlite3.h>

#include <string>

namespace orv::bench {

/// Writes the plain copy of the bank at `bankPath` to `plainPath` (and its skup schema beside).
void writePlainCopy(const std::string& bankPath, const std::string& plainPath);

/// A connection to a plain copy with the plain functions, and one statement prepared on it.
class PlainStatement {
public:
    /// Opens the copy and prepares the plain form of a statement of the bank's dialect.
    PlainStatement(const std::string& plainPath, const std::string& bankSql);
    ~PlainStatement();
    PlainStatement(const PlainStatement&) = delete;
    PlainStatement& operator=(const PlainStatement&) = delete;

    /// Runs the statement and reads every value of every row; returns the rows.
    long run();

    /// The SQLite text that runs.
    const std::string& sql() const { return sql_; }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    std::string sql_;
};

} // namespace orv::bench
