#pragma once
// Ledger amounts and balances: sums of the postings of KNJIZBE over a period that ends on the
// reporting date (the date edit `eDan`). Net debit is debit minus credit; no postings give 0.
// Every value is spliced into the statement text; a failure shows the statement and raises.

#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "lookup/KontekstVrstice.h"

#include <string>

namespace orv {

/// Month-to-date net debit in domestic currency of one account, currency, contract and
/// security (account classes 7 and 8). Saves "vknt78.SQL" while debug SQL is on.
double ZnesekVal78(TDM& dm, Vmesnik& window, const std::string& valuta, int konto, int idpog,
                   int vp);

/// Month-to-date net debit in domestic currency on account 617 of a currency, contract and
/// security. Saves "konto617.SQL" while debug SQL is on.
double PrometKonto617(TDM& dm, Vmesnik& window, const std::string& valuta, int idpog, int vp);

/// Year-to-date net debit of a holding line on the accounts of an account class: the
/// domestic-currency amounts when the row's account is domestic (DevizenVrstice "N"), else the
/// transaction-currency amounts divided by the row's rate (a rate of 0 fails).
double StanjeECB52(TDM& dm, Vmesnik& window, const KontekstVrstice& kontekst, int idvp,
                   const std::string& vknt);

/// Year-to-date net debit of an account in one currency; when that is exactly 0, the
/// month-to-date net debit. The transfer writes a class 3 or 4 row only when it is not 0.
double Saldo34(TDM& dm, Vmesnik& window, const std::string& konto, const std::string& valuta);

/// Year-to-date net debit in domestic currency of an account and holding line.
double BeriZnesekSit(TDM& dm, Vmesnik& window, int konto, int idvp);

/// The average daily debit balance over the whole reporting month of a contract's security on
/// the accounts with a designation: the balance carried in from earlier months of the year plus
/// the month's postings, summed day by day and divided by the month's length. Saves
/// "Povprecje.SQL" while debug SQL is on.
double BeriPovprecje(TDM& dm, Vmesnik& window, int idpog, int vp, const std::string& oznaka);

} // namespace orv
