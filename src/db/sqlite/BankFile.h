#pragma once
// Opening the file of the embedded bank substitute.
//
// A bank is two SQLite files: the bank itself at <path>, and the schema `skup` that every session
// has, attached from <path>.skup. A connection opened here speaks the bank's dialect (functions,
// collation, routines) and has the engine settings the transfer relies on.

#include <sqlite3.h>

#include <string>

namespace orv::sqlite {

/// The file that holds the attached schema `skup` of the bank at `bankPath`.
std::string skupSchemaPath(const std::string& bankPath);

/// An open connection to a bank; closes it when destroyed.
class BankFile {
public:
    /// Opens an existing bank (`create` false; a missing file is an error) or creates a new one
    /// (`create` true; an existing file is an error, nothing is written over). Throws
    /// DatabaseError.
    BankFile(const std::string& path, bool create);
    ~BankFile();
    BankFile(const BankFile&) = delete;
    BankFile& operator=(const BankFile&) = delete;

    sqlite3* handle() const { return db_; }
    const std::string& path() const { return path_; }

    /// Runs statements in SQLite's own syntax (no dialect translation); throws DatabaseError.
    void exec(const std::string& sql);

private:
    std::string path_;
    sqlite3* db_ = nullptr;
};

} // namespace orv::sqlite
