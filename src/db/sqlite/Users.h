#pragma once
// The users of the bank substitute and their passwords, kept as salted slow hashes.

#include <sqlite3.h>

#include <string>

namespace orv::sqlite {

/// What a user may do to the bank's structure (see Privileges.h). The bank's owner is the
/// user the bank is made with; every other user works in the bank's tables and on tables of
/// their own.
enum class UserRole { User, Owner };

/// The users table and the table of which user made which of the tables that users made.
/// Both are read and written only by the program's own logon and user administration, never
/// by a statement a user gives.
inline constexpr const char* kUsersTable = "ORV_UPORABNIKI";
inline constexpr const char* kTableOwnersTable = "ORV_LASTNISTVO";

/// Creates the users table and the table owners' table when they are missing.
void createUsersTable(sqlite3* db);

/// Adds a user, or gives an existing one a new password and role. User names are
/// case-insensitive.
void setUserPassword(sqlite3* db, const std::string& userName, const std::string& password,
                     UserRole role = UserRole::User);

/// The role of a user; a bank made before roles were kept has users only.
UserRole userRole(sqlite3* db, const std::string& userName);

/// True when the user exists and the password is theirs.
bool verifyUser(sqlite3* db, const std::string& userName, const std::string& password);

} // namespace orv::sqlite
