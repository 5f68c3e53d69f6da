// UPPER, LOWER and INITCAP of the bank database's texts. SQLite's own UPPER and LOWER change
// only ASCII letters; the bank's database changes the accented ones too (č -> Č), so the letters
// of Latin-1 and Latin Extended-A, where the Slovenian ones live, are mapped here as well.

#include "db/sqlite/dialect/LetterCase.h"

#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

namespace orv::sqlite {

namespace {

using CodePoint = unsigned int;

bool inRange(CodePoint c, CodePoint first, CodePoint last) {
    return c >= first && c <= last;
}

// In Latin Extended-A upper and lower case alternate; `upperEven` tells which comes first.
bool isPairedBlock(CodePoint c, bool& upperEven) {
    upperEven =
        inRange(c, 0x0100, 0x012F) || inRange(c, 0x0132, 0x0137) || inRange(c, 0x014A, 0x0177);
    return upperEven || inRange(c, 0x0139, 0x0148) || inRange(c, 0x0179, 0x017E);
}

bool isUpperLetter(CodePoint c) {
    bool upperEven = false;
    if (isPairedBlock(c, upperEven)) return (c % 2 == 0) == upperEven;
    return inRange(c, 'A', 'Z') || (inRange(c, 0x00C0, 0x00DE) && c != 0x00D7);
}

bool isLowerLetter(CodePoint c) {
    bool upperEven = false;
    if (isPairedBlock(c, upperEven)) return (c % 2 == 0) != upperEven;
    return inRange(c, 'a', 'z') || (inRange(c, 0x00E0, 0x00FE) && c != 0x00F7);
}

CodePoint toUpper(CodePoint c) {
    if (!isLowerLetter(c)) return c;
    return c < 0x0100 ? c - 0x20 : c - 1;
}

CodePoint toLower(CodePoint c) {
    if (!isUpperLetter(c)) return c;
    return c < 0x0100 ? c + 0x20 : c + 1;
}

// Letters and digits make up words for INITCAP; any other character separates them.
bool isWordCharacter(CodePoint c) {
    return isUpperLetter(c) || isLowerLetter(c) || inRange(c, '0', '9') ||
           (c >= 0x00C0 && c != 0x00D7 && c != 0x00F7);
}

// The code point of the UTF-8 sequence text[from, to); bytes that are no valid sequence stay.
CodePoint decode(std::string_view text, size_t from, size_t to) {
    const auto lead = static_cast<unsigned char>(text[from]);
    const size_t size = to - from;
    if (size == 1) return lead < 0x80 ? lead : 0xFFFF; // a stray byte maps to nothing
    CodePoint c = lead & (0xFFu >> (size + 1));
    for (size_t i = from + 1; i < to; ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
    return c;
}

void encode(CodePoint c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

enum class Case { Upper, Lower, Initial };

std::string changeCase(std::string_view text, Case wanted) {
    const std::vector<size_t> offsets = characterOffsets(text);
    std::string out;
    out.reserve(text.size());
    bool wordStart = true;
    out.append(text.substr(0, offsets.front())); // stray continuation bytes at the start
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
        const size_t from = offsets[i], to = offsets[i + 1];
        // Only the sequences of the two- and three-byte forms are mapped; others are copied.
        if (to - from > 3) {
            out.append(text.substr(from, to - from));
            wordStart = false;
            continue;
        }
        const CodePoint c = decode(text, from, to);
        const bool upper = wanted == Case::Upper || (wanted == Case::Initial && wordStart);
        const CodePoint mapped = upper ? toUpper(c) : toLower(c);
        if (mapped == c)
            out.append(text.substr(from, to - from));
        else
            encode(mapped, out);
        wordStart = !isWordCharacter(c);
    }
    return out;
}

template <Case Wanted> void caseFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    if (!text) return sqlite3_result_null(context);
    resultText(context, changeCase(*text, Wanted));
}

} // namespace

std::string upperText(std::string_view text) {
    return changeCase(text, Case::Upper);
}

void body::upper(sqlite3_context* context, int argc, sqlite3_value** argv) {
    caseFunction<Case::Upper>(context, argc, argv);
}

void body::lower(sqlite3_context* context, int argc, sqlite3_value** argv) {
    caseFunction<Case::Lower>(context, argc, argv);
}

void body::initcap(sqlite3_context* context, int argc, sqlite3_value** argv) {
    caseFunction<Case::Initial>(context, argc, argv);
}

} // namespace orv::sqlite
