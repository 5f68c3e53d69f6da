#pragma once
// The bank's database sorts NULL after every value: last when ascending, first when descending.
// SQLite sorts NULL first when ascending, so every ordering term without its own NULLS clause
// gets the bank database's one.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// Adds NULLS LAST / NULLS FIRST to the terms of the ORDER BY clauses of one level.
void addNullsOrdering(Nodes& nodes);

} // namespace orv::sqlite
