#pragma once
// The bank's holdings of securities on the reporting date (VPHST): purchase dates, quantities
// and the effective annual yield of a holding line.

#include "base/Datum.h"
#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "lookup/KontekstVrstice.h"

namespace orv {

/// Sets DanNKP to the earliest purchase date of a contract's holding of a security on the
/// reporting date (the zero date when it holds none).
void RacunajDanNKP(TDM& dm, Vmesnik& window, KontekstVrstice& kontekst, int sfvp, int idpog);

/// The latest purchase date of a contract's holding of a security on the reporting date.
DateValue RacunajDanNKPMAX(TDM& dm, Vmesnik& window, int sfvp, int idpog);

/// The earliest purchase date of a contract's holding of a security on the reporting date.
DateValue RacunajDanNKPMIN(TDM& dm, Vmesnik& window, int sfvp, int idpog);

/// The quantity of a security held on the reporting date: of one holding line when `idvp` is
/// above 0, else of all lines; of one contract when `idpog` is above 0, else of all contracts.
double KolicinaVP(TDM& dm, Vmesnik& window, int sfvp, int idvp, int idpog);

/// The effective annual yield in percent of a holding line, from the coupon rate of the period
/// open in `dm.Qkpn` (BeriKupon) plus REVAL_OBRM, compounded by the interest-period code
/// (1 monthly, 3 quarterly, 6 half-yearly as one period of twice the rate, anything else once
/// a year). A listed security ("D") gives the compounded rate; "K" scales it by the purchase
/// price; any other listing gives 0. Sets `danNakupa` to the line's purchase date. Rounded to
/// 4 places, halves to even.
double NabavniTecajNKP(TDM& dm, Vmesnik& window, const KontekstVrstice& kontekst, int sfvp,
                       int sfobd, int idpog, int idvp, DateValue dan, DateValue& danNakupa);

} // namespace orv
