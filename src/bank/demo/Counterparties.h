#pragma once
// Counterparties and issuers (OSB) and organisational units (ORG).

#include "bank/demo/DemoContext.h"

namespace orv::demo::oseba {

// Counterparties the output treats by their client number, grade rules or status.
constexpr long kKrt4790 = 1, kKrt44229 = 2, kKrt25283 = 3, kKrt9814 = 4, kKrt11908 = 5,
               kBankaPa = 6, kHranilnica = 7, kMts5214246 = 8, kCentralnaBanka = 9, kDrzava = 10,
               kTujaDrzava = 11, kFinancna = 12;

} // namespace orv::demo::oseba

namespace orv::demo {

/// Writes the organisational units and the counterparties: the special ones above and a pool
/// that grows with the bank's size; fills `osebe`, `izdajatelji` and `enote`.
void writeCounterparties(DemoContext& ctx);

} // namespace orv::demo
