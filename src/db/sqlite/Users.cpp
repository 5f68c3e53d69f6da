#include "db/sqlite/Users.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"

#include <sodium.h>

namespace orv::sqlite {

namespace {

// The table lives in the bank file beside the bank's tables; its name cannot clash with theirs.
constexpr const char* kCreateTable =
    "CREATE TABLE IF NOT EXISTS ORV_UPORABNIKI (UPORABNIK TEXT PRIMARY KEY, GESLO_HASH TEXT)";

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
    char* error = nullptr;
    if (sqlite3_exec(db, kCreateTable, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : "cannot create the users table";
        sqlite3_free(error);
        throw DatabaseError(text);
    }
}

void setUserPassword(sqlite3* db, const std::string& userName, const std::string& password) {
    initialiseSodium();
    char hash[crypto_pwhash_STRBYTES];
    // Argon2id with the interactive limits: a fraction of a second per logon, far too slow for
    // guessing. The salt is random and stored inside the hash text.
    if (crypto_pwhash_str(hash, password.c_str(), password.size(),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw DatabaseError("out of memory while hashing a password");
    Statement insert(db,
                     "INSERT OR REPLACE INTO ORV_UPORABNIKI (UPORABNIK, GESLO_HASH) VALUES (?, ?)");
    const std::string key = toUpper(userName);
    sqlite3_bind_text(insert.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(insert.get(), 2, hash, -1, SQLITE_TRANSIENT);
    insert.step();
}

bool verifyUser(sqlite3* db, const std::string& userName, const std::string& password) {
    initialiseSodium();
    Statement select(db, "SELECT GESLO_HASH FROM ORV_UPORABNIKI WHERE UPORABNIK = ?");
    const std::string key = toUpper(userName);
    sqlite3_bind_text(select.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
    if (select.step() != SQLITE_ROW) return false;
    const auto* hash = reinterpret_cast<const char*>(sqlite3_column_text(select.get(), 0));
    return hash && crypto_pwhash_str_verify(hash, password.c_str(), password.size()) == 0;
}

} // namespace orv::sqlite
