#pragma once
// SUM and AVG of the bank database's numbers, which are decimal.
//
// SQLite adds doubles: 0.1 added a thousand times is 99.9999999999986, and a column of amounts in
// cents drifts in its last printed digits. The bank's database adds decimals exactly. These
// aggregates add each value as the decimal it was written as (0.1 is one tenth, 12.34 is 1234
// hundredths) in a wide integer, and only values that have no short decimal form (the result of
// 1/3) as doubles, with compensated addition.

#include <sqlite3.h>

namespace orv::sqlite {

/// Registers SUM and AVG (one argument, also as window functions) on a connection, in place of
/// SQLite's own. A SUM of integers only is an integer, as SQLite gives it; any other SUM and
/// every AVG is a real; no value gives NULL.
void registerDecimalSums(sqlite3* db);

} // namespace orv::sqlite
