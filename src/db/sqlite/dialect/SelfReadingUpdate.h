#pragma once
// An UPDATE whose SET clause reads the table it changes.
//
// The bank's database computes every new value, and decides every row to change, from the table
// as it was before the statement. SQLite computes a row's new values, and may test its WHERE
// condition, only when it reaches that row, so a subquery that reads the target table sees the
// rows the statement has already changed. (DELETE is not affected: SQLite finds every row to
// delete before it deletes the first one whenever the condition holds a subquery.)

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// When the SET clause or the WHERE condition of a top-level UPDATE holds a subquery that names
/// the target table, adds the join `FROM (SELECT 1) AS orv_before`. SQLite runs an UPDATE with a
/// FROM clause in two passes: it first finds every row to change and computes its new values into
/// a temporary table, then writes them. It stays one statement: the same transaction, the same
/// count of changed rows and the same errors. Other statements stay as they are, written in one
/// pass.
void readTargetBeforeUpdate(Nodes& nodes);

} // namespace orv::sqlite
