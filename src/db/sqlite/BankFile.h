#pragma once
// Opening the file of the embedded bank substitute.
//
// A bank is two SQLite files: the bank itself at <path>, and the schema `skup` that every session
// has, attached from <path>.skup. A connection opened here speaks the bank's dialect (functions,
// collation, routines) and has the engine settings the transfer relies on.

#include <sqlite3.h>

#include <cstddef>
#include <string>

namespace orv::sqlite {

/// The file that holds the attached schema `skup` of the bank at `bankPath`.
std::string skupSchemaPath(const std::string& bankPath);

/// How long a connection waits for a lock that another session holds, unless told otherwise.
inline constexpr int kDefaultBusyTimeoutMilliseconds = 30000;

/// The longest text or blob a statement may make, in bytes.
inline constexpr size_t kMaxValueBytes = 64u << 20;

/// An open connection to a bank; closes it when destroyed.
class BankFile {
public:
    /// Opens an existing bank (`create` false; a missing file is an error) or creates a new one
    /// (`create` true; an existing file is an error, nothing is written over; the new files are
    /// readable and writable by their owner only). A bank whose files this user may not write
    /// is opened read-only and left in its journal mode. A statement that meets a lock of
    /// another session waits up to `busyTimeoutMilliseconds` for it. Throws DatabaseError.
    BankFile(const std::string& path, bool create,
             int busyTimeoutMilliseconds = kDefaultBusyTimeoutMilliseconds);
    ~BankFile();
    BankFile(const BankFile&) = delete;
    BankFile& operator=(const BankFile&) = delete;

    sqlite3* handle() const { return db_; }
    const std::string& path() const { return path_; }
    /// True when this user may not write the bank: every change fails with ORA-16000.
    bool readOnly() const { return readOnly_; }

    /// Runs statements in SQLite's own syntax (no dialect translation); throws DatabaseError.
    void exec(const std::string& sql);

    /// The text of the connection's last error. Where SQLite's own words would not tell the
    /// operator what happened (a busy bank, a bank this user may only read, a refused
    /// statement) it is the bank database's error text, naming the file where that helps.
    std::string errorText() const;

    /// The bank database's text for the statement that the authorizer refuses next (ORA-01031
    /// unless set): set by the authorizer as it refuses.
    void setRefusalText(std::string text) { refusalText_ = std::move(text); }

private:
    void open(bool create);
    void closeEngineDoors();
    void setUp();

    std::string path_;
    int busyTimeoutMilliseconds_;
    bool readOnly_ = false;
    std::string refusalText_;
    sqlite3* db_ = nullptr;
};

} // namespace orv::sqlite
