#include "derive/Pravila.h"

#include "base/Besedilo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace orv {

int celoIzBesedila(std::string_view text) {
    const std::string t = trim(text);
    if (t.empty()) return 0;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(t.c_str(), &end, 10);
    if (errno != 0 || end != t.c_str() + t.size() || value < INT_MIN || value > INT_MAX) return 0;
    return static_cast<int>(value);
}

} // namespace orv
