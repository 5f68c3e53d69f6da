#include "base/SqlText.h"

namespace orv {

std::string sqlText(std::string_view text) {
    std::string literal;
    literal.reserve(text.size() + 2);
    literal += '\'';
    for (const char c : text) {
        literal += c;
        if (c == '\'') literal += '\'';
    }
    literal += '\'';
    return literal;
}

} // namespace orv
