#include "db/sqlite/Users.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"

#include <sodium.h>

namespace orv::sqlite {

namespace {

// The tables live in the bank file beside the bank's tables; their names cannot clash with
// theirs. VLOGA is the user's role: LASTNIK for the bank's owner, UPORABNIK for the others.
constexpr const char* kCreateTables =
    "CREATE TABLE IF NOT EXISTS ORV_UPORABNIKI (UPORABNIK TEXT PRIMARY KEY, GESLO_HASH TEXT, "
    "VLOGA TEXT);"
    "CREATE TABLE IF NOT EXISTS ORV_LASTNISTVO (TABELA TEXT PRIMARY KEY, UPORABNIK TEXT)";
constexpr const char* kOwnerRole = "LASTNIK";
constexpr const char* kUserRole = "UPORABNIK";

void exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw DatabaseError(text);
    }
}

bool hasRoleColumn(sqlite3* db) {
    return sqlite3_table_column_metadata(db, "main", "ORV_UPORABNIKI", "VLOGA", nullptr, nullptr,
                                         nullptr, nullptr, nullptr) == SQLITE_OK;
}

void initialiseSodium() {
    if (sodium_init() < 0) throw DatabaseError("libsodium could not be initialised");
}

class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK)
            throw DatabaseError(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return statement_; }
    int step() {
        const int rc = sqlite3_step(statement_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db_));
        return rc;
    }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

} // namespace

void createUsersTable(sqlite3* db) {
    exec(db, kCreateTables);
    // A bank made before roles were kept: its users are users.
    if (!hasRoleColumn(db)) exec(db, "ALTER TABLE ORV_UPORABNIKI ADD COLUMN VLOGA TEXT");
}

void setUserPassword(sqlite3* db, const std::string& userName, const std::string& password,
                     UserRole role) {
    initialiseSodium();
    char hash[crypto_pwhash_STRBYTES];
    // Argon2id with the interactive limits: a fraction of a second per logon, far too slow for
    // guessing. The salt is random and stored inside the hash text.
    if (crypto_pwhash_str(hash, password.c_str(), password.size(),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DatabaseError("out of memory while hashing a password");
    createUsersTable(db);
    Statement insert(db,
                     "INSERT OR REPLACE INTO main.ORV_UPORABNIKI (UPORABNIK, GESLO_HASH, VLOGA) "
                     "VALUES (?, ?, ?)");
    const std::string key = toUpper(userName);
    sqlite3_bind_text(insert.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 2, hash, -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 3, role == UserRole::Owner ? kOwnerRole : kUserRole, -1,
                      SQLITE_STATIC);
    insert.step();
}

UserRole userRole(sqlite3* db, const std::string& userName) {
    if (!hasRoleColumn(db)) return UserRole::User;
    Statement select(db, "SELECT VLOGA FROM main.ORV_UPORABNIKI WHERE UPORABNIK = ?");
    const std::string key = toUpper(userName);
    sqlite3_bind_text(select.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    if (select.step() != SQLITE_ROW) return UserRole::User;
    const auto* role = reinterpret_cast<const char*>(sqlite3_column_text(select.get(), 0));
    return role && std::string(role) == kOwnerRole ? UserRole::Owner : UserRole::User;
}

bool verifyUser(sqlite3* db, const std::string& userName, const std::string& password) {
    initialiseSodium();
    Statement select(db, "SELECT GESLO_HASH FROM main.ORV_UPORABNIKI WHERE UPORABNIK = ?");
    const std::string key = toUpper(userName);
    sqlite3_bind_text(select.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    if (select.step() != SQLITE_ROW) return false;
    const auto* hash = reinterpret_cast<const char*>(sqlite3_column_text(select.get(), 0));
    return hash && crypto_pwhash_str_verify(hash, password.c_str(), password.size()) == 0;
}

} // namespace orv::sqlite
