#pragma once
// Sums, differences, concatenation and division as the bank's database computes them.
//
// `a + b` and `a - b` become orv_plus(a, b) and orv_minus(a, b), which add dates and numbers as
// the bank's database does (date + 1 is the next day, date - date a number of days); a sum of
// number literals alone stays as it is. The calls compare as dates (COLLATE DATUM).
//
// `a || b || c` becomes one call orv_concat(a, b, c): NULL counts as empty text, and a result
// without any text is NULL. `||` binds like + and -, left to right, and lower than * and /, so
// its operands are whole products (`a * b || c` joins a*b and c).
//
// `x / y` becomes x / orv_divisor(y): the divisor is made a real number, so that 1/100 is 0.01,
// and a zero divisor raises ORA-01476.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// Rewrites the sums, differences, concatenations and divisions of one level of the tree.
void rewriteArithmetic(Nodes& nodes);

} // namespace orv::sqlite
