#pragma once
// CAST(x AS type) with the bank's types, in the dialect's own conversions.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// CAST(x AS NUMBER), NUMBER(p), INTEGER, DECIMAL, FLOAT become TO_NUMBER(x), rounded to the
/// type's scale when it has one; CAST(x AS VARCHAR2(n)), CHAR, VARCHAR become TO_CHAR(x);
/// CAST(x AS DATE) reads x as a date. SQLite's own CAST knows none of these types: it would
/// read a date as 0 and a number as an empty text. Other types stay as they are.
void rewriteCast(Nodes& nodes);

} // namespace orv::sqlite
