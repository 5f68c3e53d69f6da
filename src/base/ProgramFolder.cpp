#include "base/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace orv {

std::string withTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string programFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return withTrailingSeparator(std::filesystem::current_path(error).string());
    return withTrailingSeparator(executable.parent_path().string());
}

} // namespace orv
