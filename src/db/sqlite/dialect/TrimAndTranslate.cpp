// LTRIM, RTRIM, TRANSLATE and LENGTHB as the bank's database computes them: on characters, not
// bytes (a set 'čš' removes both letters, never half of one), NULL for any NULL argument, and a
// result without any text is NULL.

#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

namespace {

// The text cut into its UTF-8 characters.
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        out.push_back(text.substr(i, end - i));
        i = end;
    }
    return out;
}

bool contains(const std::vector<std::string_view>& set, std::string_view character) {
    for (std::string_view member : set)
        if (member == character) return true;
    return false;
}

// LTRIM/RTRIM(text [, set]): the characters of set (a blank by default) removed from the start
// (fromStart) or from the end of the text.
void trimSet(sqlite3_context* context, int argc, sqlite3_value** argv, bool fromStart) {
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::string> set = argc > 1 ? argumentText(argv[1]) : std::string(" ");
    if (!text || !set) return sqlite3_result_null(context);
    const std::vector<std::string_view> chars = characters(*text);
    const std::vector<std::string_view> removed = characters(*set);
    size_t first = 0, last = chars.size();
    if (fromStart)
        while (first < last && contains(removed, chars[first]))
            ++first;
    else
        while (last > first && contains(removed, chars[last - 1]))
            --last;
    std::string out;
    for (size_t k = first; k < last; ++k)
        out += chars[k];
    if (out.empty()) return sqlite3_result_null(context);
    resultText(context, out);
}

} // namespace

void body::ltrim(sqlite3_context* context, int argc, sqlite3_value** argv) {
    trimSet(context, argc, argv, true);
}

void body::rtrim(sqlite3_context* context, int argc, sqlite3_value** argv) {
    trimSet(context, argc, argv, false);
}

// TRANSLATE(text, from, to): each character of the text found in `from` becomes the character
// at the same place in `to`, or is removed when `to` is shorter.
void body::translate(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::string> from = argumentText(argv[1]);
    const std::optional<std::string> to = argumentText(argv[2]);
    if (!text || !from || !to) return sqlite3_result_null(context);
    const std::vector<std::string_view> sought = characters(*from);
    const std::vector<std::string_view> replacements = characters(*to);
    std::string out;
    for (std::string_view character : characters(*text)) {
        size_t at = 0;
        while (at < sought.size() && sought[at] != character)
            ++at;
        if (at == sought.size())
            out += character;
        else if (at < replacements.size())
            out += replacements[at];
    }
    if (out.empty()) return sqlite3_result_null(context);
    resultText(context, out);
}

// LENGTHB(text): the bytes of the text in the database's character set, UTF-8.
void body::lengthb(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    if (!text || text->empty()) return sqlite3_result_null(context);
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(text->size()));
}

} // namespace orv::sqlite
