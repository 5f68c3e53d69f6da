#pragma once
// Exchange rates, currency codes, reference indices and the foreign-currency flag of an
// account. Each is one query on its dataset of the data module; none keeps state.

#include "base/Vmesnik.h"
#include "db/TDM.h"

#include <string>

namespace orv {

/// The rate of list "0" of a currency valid on a date (the latest rate not after the day; a time
/// part of the text is ignored). The key "E" (exactly) is the domestic currency: 1 without a
/// query. 0 when the currency has no such rate. A failure shows the statement and raises.
double TecajValute(TDM& dm, Vmesnik& window, const std::string& sfvlt, const std::string& datum);

/// The value of a reference index valid on a date; 0 when it has none.
double VrednostIndeksa(TDM& dm, Vmesnik& window, const std::string& sfinx,
                       const std::string& datum);

/// The basis code OBD of a reference index; 0 when it is not registered.
int OsnovaIndeksa(TDM& dm, Vmesnik& window, const std::string& sfinx);

/// The name of a reference index; "" when it is not registered.
std::string NazivIndeksa(TDM& dm, Vmesnik& window, const std::string& sfinx);

/// The three-digit numeric code of a currency: "978", "840", "756" for E, U, C in either case
/// without a query; else IDBNK of the currency register ("978" for an unknown key). A failure
/// goes to the caller without a message.
std::string SifraValute(TDM& dm, Vmesnik& window, const std::string& sfvlt);

/// DEVIZEN of an account of the account register; "" when the account is not registered.
std::string BeriDevizen(TDM& dm, Vmesnik& window, int ctrl);

} // namespace orv
