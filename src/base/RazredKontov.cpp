#include "base/RazredKontov.h"

#include "base/Besedilo.h"

namespace orv {

std::optional<std::string> razredKontov(std::string_view typed) {
    std::string razred = toUpper(trim(typed));
    if (razred.empty()) return razred;
    if (razred.size() != 1) return std::nullopt;
    const char c = razred[0];
    if ((c >= '1' && c <= '9') || (c >= 'A' && c <= 'F')) return razred;
    return std::nullopt;
}

std::string neznanRazredKontov(std::string_view typed) {
    return "Razred kontov '" + std::string(typed) + "' ni znan (1 do 9 ali A do F).";
}

} // namespace orv
