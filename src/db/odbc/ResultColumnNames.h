#pragma once
// The names of a query's result columns as the embedded bank gives them, read from the select
// list as the statement writes it, so that a query shows the same header on either backend
// (PostgreSQL would fold every unquoted name to lower case).

#include <string>
#include <string_view>
#include <vector>

namespace orv::odbc {

/// What each item of the first select list is called:
/// * its alias, as written;
/// * kServerName ("") for a plain column reference: the server's name of the column in upper
///   case, as the bank's tables declare their columns (ROWID stays "ROWID");
/// * kAllColumns ("*") for `*` or `t.*`: the table's columns, by their server names in upper case;
/// * else the expression's text as written.
/// Empty when the statement is no query or its list cannot be read.
std::vector<std::string> resultColumnNames(std::string_view sql);

inline constexpr const char* kServerName = "";
inline constexpr const char* kAllColumns = "*";

/// Names the `count` columns of a result: `listed` from resultColumnNames, `server` the names
/// the server gave. Columns a '*' brings keep their position; the key column that stands for
/// ROWID is marked with an empty name when a '*' brought it (the caller drops it).
std::vector<std::string> nameColumns(const std::vector<std::string>& listed,
                                     const std::vector<std::string>& server);

} // namespace orv::odbc
