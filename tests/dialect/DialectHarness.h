#pragma once
// An in-memory SQLite connection with the bank database's dialect, for running statements written
// in that dialect and reading their rows as texts.

#include "db/sqlite/dialect/Dialect.h"

#include <sqlite3.h>

#include <string>
#include <utility>
#include <vector>

namespace orv::sqlite::test {

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

/// A named variable and its value, bound as text (NULL when `isNull`).
struct Bind {
    std::string name;
    std::string value;
};

class DialectDatabase {
public:
    DialectDatabase();
    ~DialectDatabase();
    DialectDatabase(const DialectDatabase&) = delete;
    DialectDatabase& operator=(const DialectDatabase&) = delete;

    sqlite3* handle() const { return db_; }

    /// Translates and runs a statement; throws DatabaseError with SQLite's error text.
    void execute(const std::string& bankSql);

    /// Translates and runs a query; each value as text: NULL as "NULL", numbers as %.15g without
    /// negative zero, texts as they are.
    Rows query(const std::string& bankSql, const std::vector<Bind>& binds = {},
               bool shareLiterals = false);

private:
    sqlite3* db_ = nullptr;
};

/// A value as the tests compare it.
std::string valueText(sqlite3_stmt* statement, int column);

} // namespace orv::sqlite::test
