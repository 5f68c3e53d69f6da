#pragma once
// Classification of instruments, securities, holdings, deals, contracts and counterparties:
// each one query on its dataset of the data module.

#include "base/Vmesnik.h"
#include "db/TDM.h"

#include <string>

namespace orv {

/// True when the financial instrument has a listing code "D", "K" or "k" (case matters) that is
/// a code of list 'LST' with a non-empty KRT.
bool SteviloListFin(TDM& dm, Vmesnik& window, const std::string& sffin);

/// The listing code SFLST of a financial instrument; "" when it is not registered.
std::string ListFin(TDM& dm, Vmesnik& window, const std::string& sffin);

/// BAN_TRG of a contract; "" when it is not registered or the query fails (never raises).
std::string BanTrg(TDM& dm, Vmesnik& window, int idpog);

/// True when the contract's holding of the security on the reporting date (SFDJV 'L') was bought
/// by a purchase deal (SFPDG N, A, B or 3) on a primary market (SFTRZ "1"); the first matching
/// line decides.
bool PrimarniTrg(TDM& dm, Vmesnik& window, int sfvp, int idpog);

/// VRSTA_OBVEZNICE of a security; "".
std::string VrstaObveznice(TDM& dm, Vmesnik& window, int sfvp);

/// JAMSTVO of a security; "".
std::string BeriJamstvo(TDM& dm, Vmesnik& window, int sfvp);

/// "D" when the security's ECB_ELIGIBLE_DN is exactly "D", else "N" (also when the query fails;
/// never raises).
std::string ELIGIBLE(TDM& dm, Vmesnik& window, int sfvp);

/// The purchase date DANNKP of a listed holding line on the reporting date, as a date text.
std::string BeriVPHST112(TDM& dm, Vmesnik& window, int sfvp, int idvp);

/// The quantity LOT of a listed holding line on the reporting date; sets `iddoggen` to the
/// line's IDDOGGEN. Both 0 when the line does not exist.
int BeriVPHSTlot(TDM& dm, Vmesnik& window, int sfvp, int idvp, int& iddoggen);

/// The deal type SFDOG of a deal; 0 when it does not exist.
int BeriDogSfdog(TDM& dm, Vmesnik& window, int iddog);

/// The rating class SFBON of a counterparty by its client number; "" when it does not exist.
/// Saves "A.SQL" while debug SQL is on.
std::string PosebniSfbon(TDM& dm, Vmesnik& window, const std::string& krtbnk);

} // namespace orv
