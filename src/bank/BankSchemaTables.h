#pragma once
// The tables of the bank substitute as data: every table, its columns with their kinds and
// widths, and the lookup keys that get an index. createBankSchema generates the DDL from this;
// the demo generator and tests may read it too.

#include <string>
#include <vector>

namespace orv::sqlite {

/// How a column is declared: a text keeps what it is given (codes keep their leading zeros),
/// a number holds amounts, rates, quantities and numeric ids, a date holds a calendar day.
enum class ColumnKind { Text, Number, Date };

struct BankColumn {
    const char* name;
    ColumnKind kind;
    int width; ///< characters of a text column; 0 for numbers and dates
};

struct BankTable {
    const char* schema; ///< "main" for the bank itself, "skup" for the attached schema
    const char* name;
    const char* holds; ///< what the table holds, written into the DDL as a comment
    std::vector<BankColumn> columns;
    /// Lookup keys, each an ordered list of columns; each becomes a plain index. A key that ends
    /// in kEveryOtherColumn carries the table's other columns after its own (a covering index).
    std::vector<std::vector<const char*>> keys;
};

/// The last "column" of a key whose index carries every other column of the table too.
inline constexpr const char* kEveryOtherColumn = "*";

/// All tables of the bank, in creation order.
const std::vector<BankTable>& bankTables();

/// The declared type of a column: "VARCHAR2(n)", "NUMBER" or "DATE".
std::string declaredType(const BankColumn& column);

} // namespace orv::sqlite
