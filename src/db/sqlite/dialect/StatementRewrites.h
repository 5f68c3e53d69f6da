#pragma once
// Rewrites of the bank database's table-level constructs: the one-row table dual, table aliases
// in UPDATE and DELETE, the pseudo-column SYSDATE, date literals and the set operator
// MINUS.

#include "db/sqlite/dialect/TokenTree.h"

#include <string>
#include <vector>

namespace orv::sqlite {

/// FROM dual reads a one-row table: (SELECT 'X' AS DUMMY) dual. Needs no table, so it works on
/// read-only connections too.
void rewriteDual(Nodes& nodes);

/// UPDATE pod_orvel p SET ... and DELETE FROM pod_orvel p WHERE ...: SQLite needs AS before the
/// alias. Applies to the statement's top level.
void addUpdateDeleteAlias(Nodes& nodes);

/// SYSDATE, written without parentheses, becomes orv_sysdate() compared as a date, and USER
/// orv_user() (the connection registers it). A qualified name (t.sysdate) or a call named
/// sysdate stays as it is.
void rewriteSysdate(Nodes& nodes);

/// The ANSI date literal DATE 'yyyy-mm-dd' becomes the date text 'dd.mm.yyyy', compared as a
/// date; throws
/// DatabaseError (ORA-01861) when the text is no such date.
void rewriteDateLiterals(Nodes& nodes);

/// MINUS between two queries is SQLite's EXCEPT.
void rewriteMinus(Nodes& nodes);

/// Marks every CASE ... END to compare as a date (COLLATE DATUM). SQLite gives a CASE no
/// collation of its own, so a CASE whose branches are date columns would group and order by
/// bytes: 05.03.2025 before 28.11.2024 as texts, or a date key before a date text. Compared
/// through DATUM, date keys and date texts order chronologically, and other values as before
/// (numbers take no collation, other texts compare by bytes).
void markCaseResults(Nodes& nodes);

/// Marks a scalar subquery that is compared ((SELECT MAX(d) ...) > '4.3.2025') to compare as a
/// date: SQLite carries no collation out of a subquery.
void markComparedSubqueries(Nodes& nodes);

} // namespace orv::sqlite
