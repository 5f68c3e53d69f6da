#pragma once
// The .conf file of the program folder, emptied when the operator leaves with "&Izhod".

#include <string>

namespace orv::gui {

/// ImePrograma + ".conf": ORVELNOST.conf.
std::string ConfDatoteka();

/// Deletes `path` (a missing file is no error) and creates it again empty. A failure is
/// swallowed: leaving the program must not be stopped by this file.
void PobrisiConf(const std::string& path);

} // namespace orv::gui
