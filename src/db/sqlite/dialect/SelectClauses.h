#pragma once
// Where the clauses of the SELECTs of one level of the tree lie.

#include "db/sqlite/dialect/TokenTree.h"

#include <string>
#include <vector>

namespace orv::sqlite {

/// Positions in one level; `none` when the clause is missing.
struct SelectClauses {
    static constexpr size_t none = static_cast<size_t>(-1);
    size_t select = none;
    size_t from = none;     // the FROM keyword
    size_t where = none;    // the WHERE keyword
    size_t whereEnd = none; // one past the WHERE condition (GROUP BY, ORDER BY, ... or the end)
    size_t fromEnd = none;  // one past the FROM list
    size_t end = none;      // one past this SELECT (UNION, ... or the end of the level)
};

/// The SELECTs of a level, in order (the branches of a UNION are separate SELECTs).
std::vector<SelectClauses> findSelects(const Nodes& nodes);

/// The terms of a condition between top-level ANDs (the AND of BETWEEN stays inside its term).
std::vector<Nodes> splitOnAnd(const Nodes& condition);

/// The terms joined by AND again.
Nodes joinWithAnd(const std::vector<Nodes>& terms);

/// The name by which a FROM item is referred to: its alias, else the last part of its table name;
/// empty when it has none (a subquery without alias).
std::string fromItemName(const Nodes& item);

/// Upper case of ASCII letters, for comparing names.
std::string upperName(const std::string& name);

} // namespace orv::sqlite
