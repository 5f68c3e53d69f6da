#pragma once
// What a logged-on user's statements may do to the bank, decided as SQLite prepares them (its
// authorizer), as the bank database's grants decide it:
//
// * The users table and the table owners' table are no part of any user's view of the bank:
//   a statement that names them fails with ORA-00942, as for a table that does not exist. Only
//   the program's own logon and user administration read and write them.
// * Every user reads and changes the rows of the bank's tables (main and skup).
// * Only the bank's owner changes their structure: DROP, ALTER, TRUNCATE, CREATE INDEX and
//   CREATE TRIGGER on a bank table fail with ORA-01031 for anyone else.
// * A user creates tables (and views) of their own in the bank's main schema, never in skup,
//   and drops, alters, indexes and triggers those; temporary objects are always their own.
// * Nobody attaches or detaches files, runs a pragma or makes a virtual table, and nobody
//   reaches the engine's functions that take or return pointers or touch files
//   (unsafeFunctions()): they fail as functions the bank's database does not know.

#include "db/sqlite/Users.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

/// The engine's functions and virtual tables that no statement may use, in lower case.
const std::vector<std::string_view>& unsafeFunctions();
const std::vector<std::string_view>& unsafeVirtualTables();

class Privileges {
public:
    /// `ownTables`: the tables of the main schema that this user made, in upper case.
    Privileges(UserRole role, std::set<std::string> ownTables);

    /// The authorizer's answer (SQLITE_OK or SQLITE_DENY) for one action of a statement; the
    /// arguments are SQLite's. On a denial `denial` holds the bank database's error text.
    int decide(int action, const char* first, const char* second, const char* database,
               std::string& denial);

    /// True when this user may change the structure of the table (drop, alter, truncate,
    /// index it or put triggers on it): the owner any table, a user their own.
    bool mayRestructure(const std::string& upperTable, const std::string& database) const;

    /// The user's own tables, after a statement made, renamed or dropped one.
    void setOwnTables(std::set<std::string> tables) { ownTables_ = std::move(tables); }

    UserRole role() const { return role_; }

private:
    int decideTableAction(int action, const std::string& table, const std::string& database,
                          std::string& denial);

    UserRole role_;
    std::set<std::string> ownTables_;
    std::set<std::string> temporaryTables_;
};

} // namespace orv::sqlite
