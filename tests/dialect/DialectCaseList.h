#pragma once
// The dialect suite's cases, one list for every backend: each case states its statement and the
// rows the bank's database returns once.

#include <ostream>
#include <string>
#include <vector>

namespace orv::test {

using CaseRow = std::vector<std::string>;
using CaseRows = std::vector<CaseRow>;

/// A statement and its rows; each value as text: NULL as "NULL", numbers as %.15g, dates as
/// dd.mm.yyyy. `setup` runs after the case table.
struct DialectCase {
    const char* name;
    std::string sql;
    CaseRows expected;
    std::vector<std::string> setup = {};
    /// Only for the embedded bank: the case checks its own check functions (orv_...).
    bool embeddedOnly = false;
    /// Why the server backend does not give these rows yet (nullptr: it does).
    const char* serverGap = nullptr;
};

inline void PrintTo(const DialectCase& c, std::ostream* os) {
    *os << c.name;
}

/// The statements that make the table t every case reads.
const std::vector<std::string>& dialectCaseTable();

const std::vector<DialectCase>& dialectCasesEmptyText();
const std::vector<DialectCase>& dialectCasesConcatenation();
const std::vector<DialectCase>& dialectCasesDivision();
const std::vector<DialectCase>& dialectCasesOrdering();
const std::vector<DialectCase>& dialectCasesFunctions();
const std::vector<DialectCase>& dialectCasesTables();
const std::vector<DialectCase>& dialectCasesDates();

} // namespace orv::test
