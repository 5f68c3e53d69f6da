#pragma once
// The demo bank's ledger accounts (MATRIKA and SIFKONT): a fixed chart with every account class,
// and the account numbers and designations that the program treats specially.

#include "bank/demo/DemoTables.h"

namespace orv::demo::konto {

// Class 1: own-portfolio securities.
constexpr long k1Vp = 101, k1Vp2 = 102, k1Oznaka171 = 103, k1Oznaka9903007 = 104, k1Odpis99 = 106,
               k1Grupiran = 109, k1DrugiVprc = 199, k1Zava910 = 910, k1Zava911 = 911;
// Class 2: accrued coupons of own bonds; class 5: fees and movements on securities.
constexpr long k2Kupon = 201, k2Oznaka0909051 = 202;
constexpr long k5Provizije = 501, k5Konto617 = 617, k5Konto618 = 618;
// Classes 3 and 4: deposits taken and placed.
constexpr long k3Vloge = 301, k3Vloge2 = 302, k4Plasma = 401, k4Plasma2 = 402;
// Class 6: loans of deal kind "Z".
constexpr long k6Posojila = 601, k6Posojila2 = 602, k6Oznaka0900 = 603;
// Classes 7 and 8: off-balance items per currency.
constexpr long k7Jamstva = 701, k7Jamstva2 = 702, k8Obveznosti = 801;
// Class 9: other securities; 902 has a designation beginning with 9788.
constexpr long k9Vp = 901, k9Oznaka9788 = 902;
// Class A: credit lines tied to deals.
constexpr long kAKrediti = 1101, kAKrediti2 = 1102;
// Class B grouped ('D'): the five accounts with fixed counterparties, and one more.
constexpr long kB78 = 78, kB611 = 611, kB308 = 308, kB257 = 257, kB379 = 379, kBGrupiran = 1201;
// Class B not grouped, and class C.
constexpr long kBTerjatve = 1202, kBObveznosti = 1203;
constexpr long kCRazlicniIvd = 1301, kCEnakIvd = 1302, kCGrupiran = 1303;
// Class D: write-downs of loans.
constexpr long kDSlabitve = 1401, kDSlabitve2 = 1402;
// Class E: domestic-currency ('N') and foreign-currency accounts.
constexpr long kEDomaci = 1501, kEDevizni = 1502;
// Class F: own-portfolio equity.
constexpr long kFDelnice = 1601, kFOznaka9953007 = 1602;

} // namespace orv::demo::konto

namespace orv::demo {

/// Writes the chart of accounts: MATRIKA and SIFKONT, and the ECBIVD codes that MATRIKA names.
void writeAccounts(DemoTables& tables);

} // namespace orv::demo
