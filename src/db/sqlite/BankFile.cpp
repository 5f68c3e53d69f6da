#include "db/sqlite/BankFile.h"

#include "db/DatabaseError.h"
#include "db/sqlite/BankRoutines.h"
#include "db/sqlite/dialect/BankErrorTexts.h"
#include "db/sqlite/dialect/Dialect.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <unistd.h>

namespace orv::sqlite {

namespace {

// SQLite counts the memory it allocates under a global mutex unless told not to before it starts.
// Nothing here reads those counts, and a transfer allocates millions of times (this build of
// SQLite has no per-connection lookaside memory). When SQLite has already started, the call is
// refused and the counts stay on, which only costs time.
void configureSqliteOnce() {
    static std::once_flag configured;
    std::call_once(configured, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

std::string quoteSqlText(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') quoted += '\'';
        quoted += c;
    }
    return quoted + "'";
}

// A file name as an SQLite URI with parameters: every byte but the unreserved ones and '/' is
// percent-encoded, so that '?', '#' or '%' in a folder name stay part of the path.
std::string fileUri(const std::string& path, const std::string& parameters) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[u >> 4];
            uri += kHex[u & 0x0F];
        }
    }
    return uri + "?" + parameters;
}

// How a file of a read-only bank is opened. When no session has the bank open, it has no -wal
// file: opening it the ordinary way would create the -wal and -shm files as this user's, and
// the owner could not write the bank afterwards. Such a bank is read as immutable (no lock
// files at all). When a session has it open, its -wal and -shm exist already and are shared.
std::string readOnlyUri(const std::string& file) {
    std::error_code ignored;
    const bool inUse = std::filesystem::exists(file + "-wal", ignored);
    return fileUri(file, inUse ? "mode=ro" : "mode=ro&immutable=1");
}

// 30000 -> "30", 1500 -> "1.5".
std::string seconds(int milliseconds) {
    std::string text = std::to_string(milliseconds / 1000);
    if (milliseconds % 1000 != 0) {
        std::string fraction = std::to_string(1000 + milliseconds % 1000).substr(1);
        while (fraction.back() == '0')
            fraction.pop_back();
        text += "." + fraction;
    }
    return text;
}

bool mayWrite(const std::string& file) {
    return access(file.c_str(), W_OK) == 0;
}

// A new bank file, empty, readable and writable by its owner only (the files hold the users'
// password hashes). O_EXCL makes "never written over" hold even against a file that appears
// between the check and the creation. SQLite gives the -wal and -shm files the same mode.
void createPrivateFile(const std::string& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            throw DatabaseError("the file " + file +
                                " exists already; a bank is never written over");
        throw DatabaseError("cannot create " + file + ": " + std::strerror(errno));
    }
    ::close(fd);
}

} // namespace

std::string skupSchemaPath(const std::string& bankPath) {
    return bankPath + ".skup";
}

BankFile::BankFile(const std::string& path, bool create, int busyTimeoutMilliseconds)
    : path_(path), busyTimeoutMilliseconds_(busyTimeoutMilliseconds) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (create) {
        if (fs::exists(path, ignored) || fs::exists(skupSchemaPath(path), ignored))
            throw DatabaseError("the file " + path +
                                " exists already; a bank is never written over");
        createPrivateFile(path);
        try {
            createPrivateFile(skupSchemaPath(path));
        } catch (...) {
            fs::remove(path, ignored);
            throw;
        }
    } else if (!fs::is_regular_file(path, ignored)) {
        throw DatabaseError("cannot open the bank database " + path + ": no such file");
    }
    try {
        open(create);
    } catch (...) {
        if (create)
            for (const std::string& file : {path, skupSchemaPath(path)})
                for (const char* suffix : {"", "-wal", "-shm", "-journal"})
                    fs::remove(file + suffix, ignored);
        throw;
    }
}

void BankFile::open(bool create) {
    // A missing schema file is reported once the bank file has been read (see setUp).
    std::error_code ignored;
    const std::string skup = skupSchemaPath(path_);
    readOnly_ = !create &&
                (!mayWrite(path_) || (std::filesystem::exists(skup, ignored) && !mayWrite(skup)));
    configureSqliteOnce();
    // A connection is used by one thread at a time (the program's own), so SQLite need not lock
    // its mutexes on every call: a transfer makes millions of calls to read values.
    int rc;
    if (readOnly_)
        rc = sqlite3_open_v2(readOnlyUri(path_).c_str(), &db_,
                             SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    else
        rc = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    if (rc != SQLITE_OK) {
        const std::string text = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("cannot open the bank database " + path_ + ": " + text);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds_);
    closeEngineDoors();
    try {
        setUp();
    } catch (const DatabaseError& error) {
        releaseBankRoutines(db_);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("cannot open the bank database " + path_ + ": " + error.what());
    }
}

// What the engine offers past SQL that no session of the bank needs: fts3_tokenizer() taking and
// returning a tokenizer's code address, loading shared libraries, and writes that corrupt the
// files (writable_schema, the raw pages). A value is kept to kMaxValueBytes, so that a short
// statement (randomblob, zeroblob, printf with a huge width) cannot claim gigabytes.
void BankFile::closeEngineDoors() {
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, static_cast<int>(kMaxValueBytes));
}

void BankFile::setUp() {
    // Reading the schema first makes a file that is no database fail here, clearly.
    exec("SELECT count(*) FROM sqlite_schema");
    const std::string skup = skupSchemaPath(path_);
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(skup, ignored))
        throw DatabaseError("the schema file " + skup + " is missing");
    if (readOnly_) {
        exec("ATTACH DATABASE " + quoteSqlText(readOnlyUri(skup)) + " AS skup");
    } else {
        exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF");
        exec("ATTACH DATABASE " + quoteSqlText(skup) + " AS skup");
        exec("PRAGMA skup.journal_mode=WAL; PRAGMA skup.synchronous=NORMAL");
    }
    // The page cache: 4 MB, twice SQLite's default. SQLite lets every sort of a statement hold
    // as much as the cache in memory, and the source statement keeps a sort per branch and one
    // for its union. Measured with --izvor on a demo bank of size 100000: peak memory 113 MB at
    // 2 MB of cache, 187 MB at 8, 244 MB at 16, 365 MB at 64, while the larger caches saved
    // about a seventh of the processor time (fewer reads of the deal and security pages that
    // the joins probe per posting). A memory map would count the bank's pages as the program's
    // memory as well.
    exec("PRAGMA cache_size = -4096");
    registerDialect(db_);
    registerBankRoutines(db_);
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
        sqlite3_free(error);
        throw DatabaseError(errorText());
    }
}

std::string BankFile::errorText() const {
    switch (sqlite3_extended_errcode(db_) & 0xFF) {
    case SQLITE_BUSY:
        return "ORA-00054: resource busy and acquire with NOWAIT specified or timeout expired: "
               "the bank " +
               path_ + " is busy; another session held it for more than " +
               seconds(busyTimeoutMilliseconds_) + " s";
    case SQLITE_READONLY:
        return "ORA-16000: database open for read-only access: this user may not write the bank " +
               path_;
    case SQLITE_AUTH:
        return refusalText_.empty() ? "ORA-01031: insufficient privileges" : refusalText_;
    default:
        // A function the authorizer refused comes as a plain error in SQLite's words.
        if (!refusalText_.empty() &&
            std::string_view(sqlite3_errmsg(db_)).rfind("not authorized", 0) == 0)
            return refusalText_;
        return bankWordsFor(sqlite3_errmsg(db_));
    }
}

} // namespace orv::sqlite
