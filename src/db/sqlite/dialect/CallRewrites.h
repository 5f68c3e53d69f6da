#pragma once
// Rewrites of function calls on one level of the tree.

#include "db/sqlite/dialect/TokenTree.h"

namespace orv::sqlite {

/// Routines of the bank's database named with their package and schema, such as
/// skup.p_ecb_pd.f_orig_zapad(...) or qev_utils.GetSfKpn(...), are registered under their parts
/// joined by '_': skup_p_ecb_pd_f_orig_zapad(...). Dotted names not followed by '(' (columns,
/// schema-qualified tables) stay as they are.
void joinRoutineNames(Nodes& nodes);

/// EXTRACT(YEAR FROM x) becomes orv_extract('YEAR', x).
void rewriteExtract(Nodes& nodes);

/// TRIM([LEADING | TRAILING | BOTH] [c] FROM text) becomes LTRIM(text, c), RTRIM(text, c) or
/// both (c a blank when left out).
void rewriteTrimFrom(Nodes& nodes);

/// DECODE(e, s1, r1, ..., default) becomes (CASE WHEN (e) IS (s1) THEN (r1) ... ELSE (default)
/// END). IS matches NULL with NULL as DECODE does, and like DECODE only the chosen result is
/// evaluated (DECODE(y, 0, 0, x / y) must not divide by zero).
void rewriteDecode(Nodes& nodes);

/// Marks the results of date functions, of MIN/MAX and of NVL with a date argument to compare as
/// dates (COLLATE DATUM), and keeps the format masks of TO_CHAR, TO_DATE and TO_NUMBER and the
/// units of TRUNC as literals.
void markDateResultsAndMasks(Nodes& nodes);

} // namespace orv::sqlite
