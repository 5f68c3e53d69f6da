#include "gui/PobrisiConf.h"

#include "base/ProgramFolder.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace orv::gui {

std::string ConfDatoteka() {
    return std::string(ImePrograma) + ".conf";
}

void PobrisiConf(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
}

} // namespace orv::gui
