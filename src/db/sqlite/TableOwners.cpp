#include "db/sqlite/TableOwners.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "db/sqlite/Users.h"

#include <initializer_list>

namespace orv::sqlite {

namespace {

bool listExists(sqlite3* db) {
    return sqlite3_table_column_metadata(db, "main", kTableOwnersTable, "TABELA", nullptr, nullptr,
                                         nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Runs one statement with its texts bound, to the end.
void run(sqlite3* db, const char* sql, std::initializer_list<std::string> texts) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(db));
    int index = 0;
    for (const std::string& text : texts)
        sqlite3_bind_text(statement, ++index, text.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
}

} // namespace

std::set<std::string> tablesMadeBy(sqlite3* db, const std::string& userName) {
    std::set<std::string> tables;
    if (!listExists(db)) return tables;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT TABELA FROM main.ORV_LASTNISTVO WHERE UPORABNIK = ?", -1,
                           &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(db));
    const std::string user = toUpper(userName);
    sqlite3_bind_text(statement, 1, user.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW)
        if (const auto* name = sqlite3_column_text(statement, 0))
            tables.insert(reinterpret_cast<const char*>(name));
    sqlite3_finalize(statement);
    return tables;
}

void recordTableMaker(sqlite3* db, const std::string& table, const std::string& userName) {
    if (!listExists(db))
        run(db, "CREATE TABLE main.ORV_LASTNISTVO (TABELA TEXT PRIMARY KEY, UPORABNIK TEXT)", {});
    run(db, "INSERT OR REPLACE INTO main.ORV_LASTNISTVO (TABELA, UPORABNIK) VALUES (?, ?)",
        {toUpper(table), toUpper(userName)});
}

void renameTableEntry(sqlite3* db, const std::string& from, const std::string& to) {
    if (!listExists(db)) return;
    run(db, "UPDATE main.ORV_LASTNISTVO SET TABELA = ? WHERE TABELA = ?",
        {toUpper(to), toUpper(from)});
}

void forgetTable(sqlite3* db, const std::string& table) {
    if (!listExists(db)) return;
    run(db, "DELETE FROM main.ORV_LASTNISTVO WHERE TABELA = ?", {toUpper(table)});
}

} // namespace orv::sqlite
