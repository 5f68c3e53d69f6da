#pragma once
// Registration of the dialect's collation. The functions are registered from their catalogue
// (FunctionCatalogue.h).

#include <sqlite3.h>

namespace orv::sqlite {

/// The collation DATUM: date texts in chronological order.
void registerDateCollation(sqlite3* db);

} // namespace orv::sqlite
