#pragma once
// Small text and number helpers shared by every part of the program.

#include <array>
#include <string>
#include <string_view>

namespace orv {

/// The characters of `text` up to, not including, the first blank (character 32); the whole text
/// when it has none; empty when it is empty or begins with a blank. No trimming is done first.
std::string PrvaBeseda(std::string_view text);

/// The text without leading and trailing blanks and control characters.
std::string trim(std::string_view text);

/// Upper case of the ASCII letters; other bytes unchanged.
std::string toUpper(std::string_view text);

/// A message as a terminal or a log shows it: each carriage return (alone or before a line
/// feed) becomes one line feed, so it never sends the cursor back over the start of the line.
std::string lineBreaksForTerminal(std::string_view text);

/// True when the texts are equal but for the case of ASCII letters. Names of columns and
/// variables are compared this way; equal bytes decide at once, as they mostly do.
bool equalIgnoringCase(std::string_view a, std::string_view b);

/// True when `text` has `prefix` at `pos`, letters compared without regard to case (ASCII).
bool startsWithIgnoringCase(std::string_view text, size_t pos, std::string_view prefix);

namespace detail {
constexpr std::array<bool, 256> kNameBytes = [] {
    std::array<bool, 256> bytes{};
    for (int c = 0; c < 256; ++c)
        bytes[static_cast<size_t>(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                        (c >= '0' && c <= '9') || c == '_' || c == '$' ||
                                        c == '#' || c >= 0x80;
    return bytes;
}();
} // namespace detail

/// True for a byte of a name in the bank's statements: letters, digits, _, $, # and the bytes of
/// multi-byte characters. A table, because statement scanners ask it for every byte.
inline bool isNameByte(char c) {
    return detail::kNameBytes[static_cast<unsigned char>(c)];
}

/// Appends the UTF-8 bytes of a character (a code point up to U+10FFFF).
void appendUtf8(std::string& out, char32_t character);

/// Rounds to a whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);

/// Rounds to `decimals` places, halves to the even neighbour, judged on the decimal value that
/// the double prints as (so 0.125 -> 0.12 and 0.135 -> 0.14 at two places).
double roundHalfEven(double value, int decimals);

/// A number as the program prints it: C's "%.15g", "." as decimal separator, no negative zero.
std::string formatNumber(double value);

/// The shortest text (15 to 17 significant digits) that reads back as the same double: 0.1 as
/// "0.1", a third as "0.33333333333333331". For handing a value on without changing it.
std::string exactNumberText(double value);

} // namespace orv
