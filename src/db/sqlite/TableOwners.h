#pragma once
// Which user made which of the tables that users made (ORV_LASTNISTVO). A table that is not
// listed belongs to the bank and its owner. The program keeps the list itself, in the
// transaction of the statement that made, renamed or dropped the table, so that a rollback
// takes back the entry with the table.

#include <sqlite3.h>

#include <set>
#include <string>

namespace orv::sqlite {

/// The tables of the main schema that `userName` made, in upper case; none when the bank keeps
/// no list yet.
std::set<std::string> tablesMadeBy(sqlite3* db, const std::string& userName);

/// Notes that `userName` made `table` (creating the list when the bank has none yet).
void recordTableMaker(sqlite3* db, const std::string& table, const std::string& userName);

/// A table renamed: its entry follows it.
void renameTableEntry(sqlite3* db, const std::string& from, const std::string& to);

/// A table dropped: its entry goes.
void forgetTable(sqlite3* db, const std::string& table);

} // namespace orv::sqlite
