#pragma once
// The small text rules that the derivation steps share.

#include <initializer_list>
#include <string>
#include <string_view>

namespace orv {

/// The first `n` characters of a text (the whole text when it is shorter).
inline std::string prvih(std::string_view text, size_t n) {
    return std::string(text.substr(0, n));
}

/// The last `n` characters of a text (the whole text when it is shorter).
inline std::string zadnjih(std::string_view text, size_t n) {
    return std::string(text.size() <= n ? text : text.substr(text.size() - n));
}

/// True when the text is exactly one of the values (case matters).
inline bool jeEden(std::string_view text, std::initializer_list<std::string_view> values) {
    for (const std::string_view value : values)
        if (text == value) return true;
    return false;
}

/// A text read as a decimal integer; 0 when it is not one (blanks around it are allowed).
int celoIzBesedila(std::string_view text);

} // namespace orv
