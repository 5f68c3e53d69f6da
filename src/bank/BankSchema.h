#pragma once
// The tables of the bank substitute: every table and column that the program's statements name.

#include <sqlite3.h>

namespace orv::sqlite {

/// Creates every table and index of the bank (the write-down table in the attached schema
/// `skup`). The connection must come from BankFile, which registers the check functions.
void createBankSchema(sqlite3* db);

} // namespace orv::sqlite
