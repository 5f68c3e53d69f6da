#pragma once
// The names of a query's result columns as the bank's database gives them.
//
// A column the select list gives no alias is named by the bank's database after the expression
// as the statement writes it, in upper case and without blanks: `nvl(x, 0)` is "NVL(X,0)",
// `a || ' b'` is "A||'B'". SQLite would name it after the rewritten text it runs, which the
// operator never wrote, so the translation gives such columns that name as an alias.

#include "db/sqlite/dialect/Tokenizer.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

/// The bank database's name of the expression written in `text`: upper case, blanks removed
/// (inside string literals too; quoted names stay as written), cut to 128 bytes.
std::string expressionColumnName(std::string_view text);

/// The tokens of `sql` (read by tokenizePlaced), with `AS "name"` added after each item of the
/// query's first select list that is an expression without alias. Plain columns (a, t.a), `*`
/// and `t.*` keep the names SQLite gives them; statements other than queries stay as they are.
std::vector<Token> nameExpressionColumns(std::string_view sql,
                                         const std::vector<PlacedToken>& placed);

} // namespace orv::sqlite
