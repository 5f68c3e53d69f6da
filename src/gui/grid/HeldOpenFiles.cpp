#include "gui/grid/HeldOpenFiles.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace orv::gui {

bool isHeldOpenByThisProcess(const std::string& path) {
#ifdef __linux__
    struct stat chosen {};
    if (::stat(path.c_str(), &chosen) != 0 || !S_ISREG(chosen.st_mode)) return false;
    // Every open descriptor is an entry of /proc/self/fd; fstat asks the descriptor itself, so
    // nothing is opened (the listing's own descriptor is among them and is a directory).
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        char* end = nullptr;
        const std::string name = entry.path().filename().string();
        const long fd = std::strtol(name.c_str(), &end, 10);
        if (end == name.c_str() || *end != '\0') continue;
        struct stat open {};
        if (::fstat(static_cast<int>(fd), &open) != 0) continue;
        if (open.st_dev == chosen.st_dev && open.st_ino == chosen.st_ino) return true;
    }
    return false;
#else
    static_cast<void>(path);
    return false;
#endif
}

} // namespace orv::gui
