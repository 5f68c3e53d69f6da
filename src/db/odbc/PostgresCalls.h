#pragma once
// Function calls of the bank's dialect that PostgreSQL (with orafce) does not read alike:
// DECODE as a CASE that matches NULL with NULL and evaluates only the chosen result; NVL as
// COALESCE; NVL2; GREATEST and LEAST that are NULL when any argument is; REPLACE without a
// replacement; TO_CHAR of one argument as the bank's database writes the value.

#include "db/odbc/PostgresNodes.h"

namespace orv::odbc::pg {

/// Rewrites the calls of one level of the tree.
void rewriteCalls(Nodes& nodes);

} // namespace orv::odbc::pg
