#pragma once
// ROWNUM on PostgreSQL. In a level of one plain SELECT a condition that compares ROWNUM with a
// number becomes a LIMIT of the rows the bank's database lets through (it numbers a row only
// when the row passes the whole WHERE, so ROWNUM <= 3 keeps three rows and ROWNUM = 2 none).
// Any other ROWNUM is a row number: row_number() OVER (), or in a grouped SELECT a fresh negative
// number from the session's sequence orv_rownum, which gives each row a group of its own that no
// real key shares.

#include "db/odbc/PostgresNodes.h"

namespace orv::odbc::pg {

/// Rewrites ROWNUM in the SELECTs of one level; call after the level's groups are rewritten.
void rewriteRownum(Nodes& nodes);

} // namespace orv::odbc::pg
