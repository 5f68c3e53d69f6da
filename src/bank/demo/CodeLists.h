#pragma once
// The demo bank's fixed registers: code lists (SIF, ECB_SIFRANTI), settings (INISET), kinds of
// instrument (FIN), markets (TRG), currencies with their rates (VLT, VLN) and reference indices
// (SFINX, INX). Their size does not depend on the bank's size.

#include "bank/demo/DemoCalendar.h"
#include "bank/demo/DemoTables.h"

#include <string>
#include <vector>

namespace orv::demo {

/// Currency keys that postings use: EUR first, then foreign ones that have rates.
const std::vector<std::string>& valuteKnjizb();

/// Units of the currency per euro, valid on the day (what VLN's list '0' holds for it).
double tecaj(const std::string& valuta, Dan day);

/// Index keys: EURIBOR6M, EURIBOR3M, TOM (basis 2, named with "TOM").
extern const char* const kIndeksi[3];

void writeCodeLists(DemoTables& tables);
void writeCurrencies(DemoTables& tables);
void writeIndices(DemoTables& tables);

} // namespace orv::demo
