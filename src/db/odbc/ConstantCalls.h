#pragma once
// Calls of the bank's functions whose arguments are all literals, computed by the embedded
// bank's dialect while a statement is translated for the server.
//
// The server's functions (orafce's and its own) differ from the bank database's at the edges:
// which texts TO_DATE refuses and with which error, how TRUNC and GREATEST read a date text,
// what CHR and ASCII count in, how ROUND takes places that are no whole number. The embedded
// dialect computes these as the bank's database does. A call such as TO_DATE('05.13.2024',
// 'DD.MM.YYYY') or TRUNC('15.05.2024', 'MM') depends on nothing in the database, so the
// translation computes it once with the embedded dialect and writes the result as a typed
// literal. A call that fails becomes a call of pg_temp.orv_raise with the bank's error text,
// which raises it when the server evaluates it, so that a branch never taken fails nothing.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::odbc::pg {

/// The name of the session function that raises its argument as the statement's error.
inline constexpr const char* kRaiseFunction = "pg_temp.orv_raise";

/// Replaces every outermost call of a bank function whose arguments are literals (or such calls)
/// by its value, and every ANSI date literal by a checked one.
void foldConstantCalls(sqlite::Nodes& nodes);

} // namespace orv::odbc::pg
