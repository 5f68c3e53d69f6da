#pragma once
// Reading the source rows of a transfer: the source statement for the date of the main window,
// opened in Q1.

#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "transfer/IzvorniOkvir.h"

#include <string>

namespace orv {

/// The debug file that holds the source statement while the debug-SQL switch is on.
std::string izvornaDebugDatoteka();

/// The date texts and filters of the window's date edit, test-contract edit and class edit.
IzvornaIzbira izvornaIzbira(const Vmesnik& window);

/// Builds the source statement for the window's date and options and opens it in `dm.Q1`, on its
/// first row; the row count goes to lblStevec. On a failure of the opening the statement text is
/// shown as a message and the error raised again, the progress labels staying as they are.
void BeriPodatke(TDM& dm, Vmesnik& window);

/// The referent identification of the last BeriPodatke; empty before the first.
const std::string& DBSReferent();

} // namespace orv
