#pragma once
// Tables of statement cases: each case runs on a fresh database prepared by the table's setup and
// its own, and compares the rows (or the error) with what the bank's database returns.

#include "DialectHarness.h"

#include <ostream>
#include <string>
#include <vector>

namespace orv::sqlite::test {

struct QueryCase {
    const char* name;
    std::string sql;
    Rows expected;
    std::vector<std::string> setup = {};
};

struct QueryErrorCase {
    const char* name;
    std::string sql;
    /// The beginning of the error text, e.g. "ORA-01722".
    std::string error;
};

inline void PrintTo(const QueryCase& c, std::ostream* os) {
    *os << c.name;
}
inline void PrintTo(const QueryErrorCase& c, std::ostream* os) {
    *os << c.name;
}

/// Runs the statements of `setup` and then the case, and checks its rows.
void expectRows(const std::vector<std::string>& setup, const QueryCase& c);

/// Runs the statements of `setup` and then the case, and checks that it fails with the error.
void expectError(const std::vector<std::string>& setup, const QueryErrorCase& c);

} // namespace orv::sqlite::test
