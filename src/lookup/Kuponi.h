#pragma once
// Coupon periods of a security (KPN) and whole-day differences. BeriKupon and RacunajSteviloDni
// hand their results over through open datasets (Qkpn, Qkpn2) that the derivation reads by name.

#include "base/Datum.h"
#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "lookup/KontekstVrstice.h"

#include <string>

namespace orv {

/// Opens in `dm.Qkpn` the coupon period of a security that covers the reporting date (both ends
/// included): one row with ZDNDAN, SFOBD, SFINX, REFOBM, GLVOBR, ZDNDANTRG, OBRPRC, OBROBR, all
/// empty when no period covers it. The row stays open until the next call.
void BeriKupon(TDM& dm, Vmesnik& window, int sfvp);

/// ZDNDAN of the coupon period that covers a date, as text; "" when none does.
std::string ZadnjiDanKupona(TDM& dm, Vmesnik& window, int sfvp, DateValue datum);

/// Measures the coupon schedule: PrviDanKPN (first period's start), DniKPN (from it to the last
/// period's end) and PreostaliDniKPN (from the reporting date to the last period's end). Leaves
/// `dm.Qkpn2` open on MIN(PRVDAN).
void RacunajSteviloDni(TDM& dm, Vmesnik& window, KontekstVrstice& kontekst, int sfvp);

/// PRVDANTRG of the security's first coupon period, as text; "" when it has none.
std::string BeriPrvDan1(TDM& dm, Vmesnik& window, int sfvp);

/// The whole days from `od` to `do_`, rounded up (a partial day counts whole); 0 when the result
/// does not fit 32 bits. Never fails.
int RazlikaDni(DateValue od, DateValue do_);

} // namespace orv
