#pragma once
// Maturity bands: the code of list '014' of ECB_SIFRANTI whose interval holds a number of days.

#include "base/Vmesnik.h"
#include "db/TDM.h"

namespace orv {

/// The band code for a number of days: bounds inclusive, an empty upper bound open upwards.
/// 1 when no band holds the days or the query fails (never raises). The row writer classifies
/// the days from opening to maturity with it.
int EcbSifra14(TDM& dm, Vmesnik& window, double dni);

/// The same classification by the same list, under the column alias COL15; the row writer and
/// the derivation classify residual days with it.
int EcbSifra15(TDM& dm, Vmesnik& window, double dni);

} // namespace orv
