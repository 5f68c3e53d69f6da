#pragma once
// ROWNUM, the number of a row within its query block.
//
// Each query block that reads ROWNUM joins the row-number table last (see RowNumbers.h) and
// reads its column instead. Conditions that compare ROWNUM with a number keep the rows the bank's
// database keeps: it gives a row the next number only when the row passes the whole WHERE, so
// such a condition lets through the first rows up to the first number it rejects (ROWNUM <= 3 the
// first three, ROWNUM = 1 the first, ROWNUM > 1 and ROWNUM = 2 none). A block that neither
// groups, nor orders, nor aggregates, nor removes duplicates, and stands alone on its level,
// takes those rows with a LIMIT, which stops the scan early; any other block compares the number.
//
// A GROUP BY term that computes its value from ROWNUM and from other values, as
// CASE WHEN ... THEN k.idmaster ELSE ROWNUM END does, means to give each row a group of its own
// beside the groups of the real keys. A row number that equalled a real key would put the row into
// that key's group, so in such a block the numbers are negative (-1, -2, ...), which no key is.
//
// SQLite reads a bare ROWID only in a block of one table, and the row-number table makes a second
// one: in a block of one table that reads ROWNUM, ROWID is written with that table's name.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// Rewrites ROWNUM in the query blocks of one level. Call after the level's groups are rewritten:
/// the ROWNUM of a block inside its groups (CASE, calls) is replaced from the block's level.
void rewriteRownum(Nodes& nodes);

/// Throws DatabaseError (ORA-00904) when a ROWNUM is left outside any query block.
void checkNoRownumLeft(const Nodes& nodes);

} // namespace orv::sqlite
