#pragma once
// STDDEV and VARIANCE, the bank database's aggregates of spread.

#include <sqlite3.h>

namespace orv::sqlite {

/// Registers STDDEV and VARIANCE: the sample standard deviation and variance of the values that
/// are not NULL; 0 for one value (the bank's database gives 0, not NULL), NULL for none. A text
/// that is no number raises ORA-01722. Throws DatabaseError.
void registerSpreadAggregates(sqlite3* db);

} // namespace orv::sqlite
