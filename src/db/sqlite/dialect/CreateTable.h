#pragma once
// Tables a statement creates keep their values as the bank's tables do.
//
// The bank substitute's own tables are made with date and number checks, the DATUM collation and
// a trigger that stores dates as keys (bank/BankSchema.cpp). A table an operator creates with
// CREATE TABLE gets the same: without them SQLite would keep '5.3.2024' as it was written and
// order it as text, take 'abc' into a NUMBER column, and keep 1.005 in a NUMBER(8,2).

#include "db/sqlite/dialect/TokenTree.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

/// CREATE TABLE name (columns): a DATE column compares as a date (COLLATE DATUM, unless the
/// statement names a collation) and takes only dates; a number column (NUMBER, INTEGER,
/// DECIMAL, ...) takes only numbers. Other statements stay as they are.
void rewriteCreateTable(Nodes& nodes);

/// The statements that complete a table created by `bankSql`: triggers that store its dates as
/// keys and round its numbers to their declared scale, named <TABLE>_DATUM_AI and _DATUM_AU as
/// the bank's own. Empty for any other statement and for a table without such columns.
std::vector<std::string> createTableTriggers(std::string_view bankSql);

} // namespace orv::sqlite
