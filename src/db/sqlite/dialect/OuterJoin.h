#pragma once
// The bank database's outer-join marker in comma joins:
//
//   FROM k, d, v WHERE k.a = d.b (+) AND k.c = v.d (+) AND v.e = 'x' (+) AND k.f = 1
//
// becomes
//
//   FROM k LEFT JOIN d ON (k.a = d.b) LEFT JOIN v ON (k.c = v.d AND v.e = 'x') WHERE k.f = 1
//
// The conditions that carry the marker move into the ON clause of their table; every other
// condition stays in WHERE, where it filters the joined rows as it does in the bank's database.
// Outer-joined tables follow the tables that their conditions refer to.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// Rewrites the outer-join markers of the SELECTs of one level.
void rewriteOuterJoins(Nodes& nodes);

} // namespace orv::sqlite
