#pragma once
// The row numbers of a query block: what ROWNUM reads.
//
// The bank's database numbers the rows of a query block 1, 2, 3, ... as the block produces them,
// after its WHERE and before its GROUP BY and ORDER BY. SQLite has no such number, and a counting
// function cannot stand in for it: in a grouped query SQLite evaluates the select list again
// after sorting, so a function would count the groups anew. A one-row table does it instead:
// joined last (CROSS JOIN keeps it the innermost loop), it is scanned once for every row the
// other tables produce, and each scan yields the next number. Its column is then an ordinary
// column that the sorter keeps with each row, so the select list reads the same number the
// GROUP BY grouped by. The count lives in the table's cursor, which every run of the statement
// (and of a correlated subquery) opens afresh.

#include <sqlite3.h>

namespace orv::sqlite {

/// The table's name, and the name under which a query block joins it.
inline constexpr const char* kRowNumberTable = "orv_rownum";

/// Its one column: the number of the current row.
inline constexpr const char* kRowNumberColumn = "value";

/// Registers the table on a connection; throws DatabaseError.
void registerRowNumbers(sqlite3* db);

} // namespace orv::sqlite
