// REGEXP_LIKE, REGEXP_REPLACE, REGEXP_SUBSTR, REGEXP_INSTR and REGEXP_COUNT as the bank's
// database computes them: NULL for a NULL text or pattern, every match replaced unless an
// occurrence is named, positions counted in characters from 1, a result without text NULL. The
// patterns are read with the ECMAScript grammar, which knows the bank's classes ([[:digit:]],
// \d, \s, \w) and back references (\1 in the replacement). A pattern that cannot be read raises
// ORA-12726.

#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <cmath>
#include <optional>
#include <regex>
#include <string>

namespace orv::sqlite {

namespace {

constexpr const char* kBadPattern = "ORA-12726: unmatched bracket in regular expression";

// The pattern of argument `index` with the match flags of argument `flagsIndex` ('i': any
// letter case); nullopt after an error raised on the context or for a NULL pattern.
std::optional<std::regex> pattern(sqlite3_context* context, int argc, sqlite3_value** argv,
                                  int index, int flagsIndex, bool& failed) {
    const std::optional<std::string> text = argumentText(argv[index]);
    if (!text) return std::nullopt;
    auto options = std::regex::ECMAScript;
    if (flagsIndex < argc) {
        const std::optional<std::string> flags = argumentText(argv[flagsIndex]);
        if (flags && flags->find('i') != std::string::npos) options |= std::regex::icase;
    }
    try {
        return std::regex(*text, options);
    } catch (const std::regex_error&) {
        failed = true;
        sqlite3_result_error(context, kBadPattern, -1);
        return std::nullopt;
    }
}

// A whole-number argument, or the default when it is left out.
std::optional<long long> whole(sqlite3_context* context, int argc, sqlite3_value** argv, int index,
                               long long fallback, bool& ok) {
    if (index >= argc) return fallback;
    const std::optional<Number> number = argumentNumber(context, argv[index], ok);
    if (!number) return std::nullopt;
    return number->isInteger ? number->integer : static_cast<long long>(std::trunc(number->real));
}

// The byte offset of character `position` (from 1) in a UTF-8 text; npos past its end.
size_t byteOfCharacter(const std::string& text, long long position) {
    long long character = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (character == position) return i;
        ++character;
    }
    return character == position ? text.size() : std::string::npos;
}

long long characterOfByte(const std::string& text, size_t byte) {
    long long character = 1;
    for (size_t i = 0; i < byte && i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++character;
    return character;
}

// The matches of the pattern from character `position` on.
struct Search {
    std::optional<std::string> text;
    std::optional<std::regex> regex;
    size_t start = 0;
    bool failed = false;
};

Search search(sqlite3_context* context, int argc, sqlite3_value** argv, int positionIndex,
              int flagsIndex) {
    Search s;
    s.text = argumentText(argv[0]);
    s.regex = pattern(context, argc, argv, 1, flagsIndex, s.failed);
    if (s.failed || !s.text || !s.regex) return s;
    bool ok = true;
    const std::optional<long long> position = whole(context, argc, argv, positionIndex, 1, ok);
    if (!ok) {
        s.failed = true;
        return s;
    }
    if (!position || *position < 1) {
        s.failed = true;
        sqlite3_result_error(context, "ORA-01428: argument is out of range", -1);
        return s;
    }
    s.start = byteOfCharacter(*s.text, *position);
    return s;
}

// The `occurrence`-th match from the search's start on; nullopt when there is none.
std::optional<std::smatch> nthMatch(const Search& s, long long occurrence) {
    if (s.start == std::string::npos) return std::nullopt;
    long long seen = 0;
    for (std::sregex_iterator
             match(s.text->cbegin() + static_cast<long>(s.start), s.text->cend(), *s.regex),
         last;
         match != last; ++match)
        if (++seen == occurrence) return *match;
    return std::nullopt;
}

} // namespace

void body::regexpLike(sqlite3_context* context, int argc, sqlite3_value** argv) {
    bool failed = false;
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::regex> regex = pattern(context, argc, argv, 1, 2, failed);
    if (failed) return;
    if (!text || !regex) return sqlite3_result_null(context);
    sqlite3_result_int(context, std::regex_search(*text, *regex) ? 1 : 0);
}

// REGEXP_REPLACE(text, pattern [, replacement [, position [, occurrence [, flags]]]]).
void body::regexpReplace(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Search s = search(context, argc, argv, 3, 5);
    if (s.failed) return;
    if (!s.text) return sqlite3_result_null(context);
    if (!s.regex) return resultText(context, *s.text);
    bool ok = true;
    const std::optional<long long> occurrence = whole(context, argc, argv, 4, 0, ok);
    if (!ok) return;
    const std::string replacement = argc > 2 ? argumentText(argv[2]).value_or("") : "";
    if (s.start == std::string::npos) return resultText(context, *s.text);
    std::string out = s.text->substr(0, s.start);
    long long seen = 0;
    auto from = s.text->cbegin() + static_cast<long>(s.start);
    const auto end = s.text->cend();
    for (std::sregex_iterator match(from, end, *s.regex), last; match != last; ++match) {
        ++seen;
        const auto matchBegin = (*match)[0].first, matchEnd = (*match)[0].second;
        if (occurrence.value_or(0) != 0 && seen != *occurrence) continue;
        out.append(from, matchBegin);
        out += match->format(replacement, std::regex_constants::format_sed);
        from = matchEnd;
    }
    out.append(from, end);
    if (out.empty()) return sqlite3_result_null(context);
    resultText(context, out);
}

// REGEXP_SUBSTR(text, pattern [, position [, occurrence [, flags]]]).
void body::regexpSubstr(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Search s = search(context, argc, argv, 2, 4);
    if (s.failed) return;
    if (!s.text || !s.regex) return sqlite3_result_null(context);
    bool ok = true;
    const std::optional<long long> occurrence = whole(context, argc, argv, 3, 1, ok);
    if (!ok) return;
    const std::optional<std::smatch> match = nthMatch(s, occurrence.value_or(1));
    if (!match || (*match)[0].length() == 0) return sqlite3_result_null(context);
    resultText(context, (*match)[0].str());
}

// REGEXP_INSTR(text, pattern [, position [, occurrence [, return_option [, flags]]]]): where
// the match starts (or, with return_option 1, the character after it); 0 for none.
void body::regexpInstr(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Search s = search(context, argc, argv, 2, 5);
    if (s.failed) return;
    if (!s.text || !s.regex) return sqlite3_result_null(context);
    bool ok = true;
    const std::optional<long long> occurrence = whole(context, argc, argv, 3, 1, ok);
    const std::optional<long long> after = whole(context, argc, argv, 4, 0, ok);
    if (!ok) return;
    const std::optional<std::smatch> match = nthMatch(s, occurrence.value_or(1));
    if (!match) return sqlite3_result_int(context, 0);
    const auto begin = static_cast<size_t>((*match)[0].first - s.text->cbegin());
    const auto end = static_cast<size_t>((*match)[0].second - s.text->cbegin());
    sqlite3_result_int64(context, characterOfByte(*s.text, after.value_or(0) ? end : begin));
}

// REGEXP_COUNT(text, pattern [, position [, flags]]).
void body::regexpCount(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Search s = search(context, argc, argv, 2, 3);
    if (s.failed) return;
    if (!s.text || !s.regex) return sqlite3_result_null(context);
    if (s.start == std::string::npos) return sqlite3_result_int(context, 0);
    const auto count =
        std::distance(std::sregex_iterator(s.text->cbegin() + static_cast<long>(s.start),
                                           s.text->cend(), *s.regex),
                      std::sregex_iterator());
    sqlite3_result_int64(context, count);
}

} // namespace orv::sqlite
