#pragma once
// The bank database's SQL dialect, run on SQLite.
//
// Statements are written in the bank database's dialect and run as the program builds them.
// `translateStatement` rewrites one statement's tokens into SQLite's syntax; `registerDialect`
// gives a connection the functions, the collation and the settings that make SQLite behave as
// the bank's database does.

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

/// A literal of a statement that was turned into a parameter (see `translateStatement`).
struct SharedLiteral {
    enum class Kind { Integer, Real, Text };
    Kind kind = Kind::Text;
    long long integer = 0;
    double real = 0.0;
    std::string text;
};

/// The SQLite text of a statement, and the literals that became parameters of it.
struct TranslatedStatement {
    std::string sql;
    /// Literal number i (from 1) is bound to the parameter named ":orv_l<i>".
    std::vector<SharedLiteral> literals;
};

/// Rewrites one statement of the bank's dialect into SQLite's. With `shareLiterals`, literals
/// whose value does not change the statement's shape become parameters, so that statements that
/// differ only in their literals share one prepared statement. Throws DatabaseError on a statement
/// that cannot be tokenized (an unterminated string, unbalanced parentheses).
TranslatedStatement translateStatement(std::string_view bankSql, bool shareLiterals = false);

/// Registers the dialect's collation, functions and settings on a connection.
void registerDialect(sqlite3* db);

/// The bank's error for a date compared with a text that is no date ('abc', '31.02.2024') on
/// this thread since the last call, or nullptr; the call forgets it. The bank's database fails
/// such a comparison; SQLite's collations cannot, so whoever steps a statement asks after each
/// step (and calls it once before, to forget an earlier statement's comparison).
const char* takeDateComparisonError();

} // namespace orv::sqlite
