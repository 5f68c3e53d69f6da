#pragma once
// The options of a run as the main window starts with them, for ports that keep them as values.

#include <string>

namespace orv {

struct RunOptions {
    std::string eDanText;
    bool cbBrisanje = true;
    bool cbINT_NEW = true;
    bool cbFifo = true;
    std::string eVKNT;
    std::string eIdpog;
    bool DebugSQL = false;
    /// --dodaj: add to the stored rows of the date without being asked.
    bool dodaj = false;
};

} // namespace orv
