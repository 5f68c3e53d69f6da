#pragma once
// The bank database's SQL dialect on a PostgreSQL server.
//
// The statements are read by the same tokenizer and token tree as on the embedded bank, and
// rewritten with PostgreSQL's own rules. Most of the bank's functions come from the server's
// orafce extension (DECODE's lookalikes, NVL, ADD_MONTHS, LAST_DAY, INSTR, SUBSTR, TO_CHAR, the
// table dual), which the session puts on its search path; date texts are read as dates because
// the session reads dates day first (DateStyle ISO, DMY). What is left is syntax:
//
// * `a || b` treats NULL as empty text and a result without text is NULL:
//   NULLIF(CONCAT(orv_text(a), orv_text(b)), ''), where orv_text writes numbers and dates as
//   the bank's database does; TO_CHAR(x) of one argument is orv_text(x) too;
// * NVL is COALESCE, and a subquery in FROM gets a name;
// * `x / y` is exact: the divisor is made a numeric, so that 1/100 is 0.01;
// * DECODE becomes a CASE that matches NULL with NULL and evaluates only the chosen result;
// * the outer-join marker (+) becomes LEFT JOIN ... ON (the embedded bank's rewrite);
// * ROWNUM compared with a number in a plain query becomes a LIMIT, elsewhere a row number;
// * ROWID is the column orv_rowid, a stable key every table of the bank has;
// * SYSDATE is the local time to the second, MINUS is EXCEPT, and the dotted names of the
//   bank's routines are joined with '_' (the server functions carry those names);
// * CREATE TABLE declares NUMBER as numeric, DATE as a timestamp to the second, and adds
//   orv_rowid.
//
// Named variables (:NAME) become the ODBC markers '?', bound in the order they stand.

#include <string>
#include <string_view>
#include <vector>

namespace orv::odbc {

/// The server's text of one statement and how to run it.
struct PostgresStatement {
    std::string sql;
    /// The named variable of each '?' marker, in order: upper case, without the colon.
    std::vector<std::string> parameters;
    /// Where each '?' marker stands in `sql`, in the same order.
    std::vector<size_t> markers;
    /// The column names of a query as the embedded bank names them (the select list as written:
    /// the alias, or a column's name, or the expression's text); empty when the list has a '*',
    /// where the server's names are used.
    std::vector<std::string> columnNames;
    /// The one table a query reads (FROM a single table, no join or set operator); empty
    /// otherwise. Rows appended to the query's dataset go into this table.
    std::string sourceTable;
    /// False for a query (SELECT, WITH, or a parenthesised query): it changes nothing.
    bool changes = true;
};

/// Rewrites one statement of the bank's dialect for PostgreSQL. Throws DatabaseError on a
/// statement that cannot be tokenized.
PostgresStatement translateForPostgres(std::string_view bankSql);

/// A statement for a server that speaks the bank's dialect itself: the text as it is but for
/// its named variables, which become '?' markers as ODBC wants them.
PostgresStatement withMarkersOnly(std::string_view bankSql);

/// The session's function that writes a value as text as the bank's database does (numbers
/// without trailing zeros or a leading zero, .5; dates as dd.mm.yyyy); the connection creates it
/// at logon.
inline constexpr const char* kTextFunction = "pg_temp.orv_text";

/// The session's function for TO_CHAR(x) and CAST(x AS VARCHAR2(n)): as kTextFunction, except
/// that a date is written without its time of day (the bank's date format, DD.MM.YYYY).
inline constexpr const char* kToCharFunction = "pg_temp.orv_to_char";

/// The name of the column that serves as ROWID in every table of a bank on the server.
inline constexpr const char* kRowidColumn = "orv_rowid";

} // namespace orv::odbc
