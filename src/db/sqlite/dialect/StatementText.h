#pragma once
// Writes a rewritten token tree back as SQLite text, optionally turning literals into
// parameters (the bank database's cursor sharing: statements that differ only in their literals
// then share one prepared statement).

#include "db/sqlite/dialect/Dialect.h"
#include "db/sqlite/dialect/TokenTree.h"

#include <string>
#include <vector>

namespace orv::sqlite {

/// The SQLite text of the nodes. With `shareLiterals`, shareable literals outside select lists,
/// ORDER BY and GROUP BY become parameters :orv_l1, :orv_l2, ... appended to `literals`.
std::string renderStatement(const Nodes& nodes, bool shareLiterals,
                            std::vector<SharedLiteral>& literals);

} // namespace orv::sqlite
