#include "db/sqlite/BankFile.h"

#include "db/DatabaseError.h"
#include "db/sqlite/BankRoutines.h"
#include "db/sqlite/dialect/Dialect.h"

#include <algorithm>
#include <filesystem>

namespace orv::sqlite {

namespace {

std::string quoteSqlText(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') quoted += '\'';
        quoted += c;
    }
    return quoted + "'";
}

} // namespace

// The page cache of a connection. SQLite's default (2 MB) makes a statement that scans a large
// part of the bank read the same pages from the file again and again; a cache as large as the
// bank keeps them, up to a ceiling that bounds the memory a transfer needs on a large bank
// (the ledger scans read their indexes in order, so pages past the ceiling are read once).
void BankFile::sizeCache(std::uintmax_t fileBytes) {
    constexpr std::uintmax_t kMinimumKiB = 2 * 1024;
    constexpr std::uintmax_t kMaximumKiB = 64 * 1024;
    const std::uintmax_t kib =
        std::clamp<std::uintmax_t>(fileBytes / 1024, kMinimumKiB, kMaximumKiB);
    exec("PRAGMA cache_size = -" + std::to_string(kib));
}

std::string skupSchemaPath(const std::string& bankPath) {
    return bankPath + ".skup";
}

BankFile::BankFile(const std::string& path, bool create) : path_(path) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (create) {
        if (fs::exists(path, ignored) || fs::exists(skupSchemaPath(path), ignored))
            throw DatabaseError("the file " + path +
                                " exists already; a bank is never written over");
    } else if (!fs::is_regular_file(path, ignored)) {
        throw DatabaseError("cannot open the bank database " + path + ": no such file");
    }
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string text = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("cannot open the bank database " + path + ": " + text);
    }
    sqlite3_extended_result_codes(db_, 1);
    try {
        // Reading the schema first makes a file that is no database fail here, clearly.
        exec("SELECT count(*) FROM sqlite_schema");
        exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF");
        if (!create && !fs::is_regular_file(skupSchemaPath(path), ignored))
            throw DatabaseError("the schema file " + skupSchemaPath(path) + " is missing");
        exec("ATTACH DATABASE " + quoteSqlText(skupSchemaPath(path)) + " AS skup");
        exec("PRAGMA skup.journal_mode=WAL; PRAGMA skup.synchronous=NORMAL");
        sizeCache(create ? 0 : fs::file_size(path, ignored));
        registerDialect(db_);
        registerBankRoutines(db_);
    } catch (const DatabaseError& error) {
        releaseBankRoutines(db_);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("cannot open the bank database " + path + ": " + error.what());
    }
}

BankFile::~BankFile() {
    if (!db_) return;
    // The routines hold prepared queries; SQLite closes no connection that still has any.
    releaseBankRoutines(db_);
    if (sqlite3_close(db_) != SQLITE_OK) sqlite3_close_v2(db_);
}

void BankFile::exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw DatabaseError(text);
    }
}

} // namespace orv::sqlite
