#pragma once
// The users of the bank substitute and their passwords, kept as salted slow hashes.

#include <sqlite3.h>

#include <string>

namespace orv::sqlite {

/// Creates the users table when it is missing.
void createUsersTable(sqlite3* db);

/// Adds a user, or gives an existing one a new password. User names are case-insensitive.
void setUserPassword(sqlite3* db, const std::string& userName, const std::string& password);

/// True when the user exists and the password is theirs.
bool verifyUser(sqlite3* db, const std::string& userName, const std::string& password);

} // namespace orv::sqlite
