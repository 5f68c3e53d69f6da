#pragma once
// The twelve branches of the source statement and the statement that joins them.
//
// Each branch selects the 78 columns of the source row for one family of account classes. The
// statement is their UNION in the order 1 to 12, ordered by contract, account, amount and class.

#include "transfer/IzvorniOkvir.h"

#include <string>

namespace orv {

inline constexpr int SteviloIzvornihVej = 12;

/// 1: every class but A, B, C, D, 6, 3, 4, 7 and 8, per security, account, contract and deal.
std::string veja01Splosna(const IzvornaIzbira& izbira);
/// 2: class A postings of master deals still open on the reporting day, since 1.1.2007.
std::string veja02OdprtiPosliA(const IzvornaIzbira& izbira);
/// 3: class A deals with a state whose state deal is dated on or after the reporting day.
std::string veja03PosliSStanjemA(const IzvornaIzbira& izbira);
/// 4: classes 7 and 8, per currency.
std::string veja04Razreda78(const IzvornaIzbira& izbira);
/// 5: class B grouped accounts, per currency, five accounts with fixed counterparties.
std::string veja05RazredBZdruzen(const IzvornaIzbira& izbira);
/// 6: class B ungrouped and class C, postings whose activity is not L.
std::string veja06RazredaBCBrezL(const IzvornaIzbira& izbira);
/// 7: class B ungrouped and class C, postings of activity L, per security and deal.
std::string veja07RazredaBCDejavnostL(const IzvornaIzbira& izbira);
/// 8: class 6 deals of kind Z with their outstanding amount, since 1.1.2007.
std::string veja08Razred6PosliZ(const IzvornaIzbira& izbira);
/// 9: classes 3 and 4 from the start of the previous year.
std::string veja09Razreda34(const IzvornaIzbira& izbira);
/// 10: zero rows of class 6 for contracts with postings in the reporting month.
std::string veja10NicelniRazred6(const IzvornaIzbira& izbira);
/// 11: zero rows of class A for contracts with postings in the reporting month.
std::string veja11NicelniRazredA(const IzvornaIzbira& izbira);
/// 12: class D, the sum of two inner selections by the related deal's payment plan.
std::string veja12RazredD(const IzvornaIzbira& izbira);

/// Branch `stevilka` (1 to 12).
std::string izvornaVeja(int stevilka, const IzvornaIzbira& izbira);

/// The whole source statement: the twelve branches joined by UNION, then the final ordering.
std::string izvorniStavek(const IzvornaIzbira& izbira);

} // namespace orv
