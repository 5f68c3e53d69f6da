// LPAD, RPAD, REPLACE, CHR and ASCII as the bank's database computes them. Lengths count
// characters; a result without any text is NULL. Character codes are those of the database's
// character set, UTF-8: the bytes of a character read as one big-endian number (ASCII('č') is
// 50317 = 0xC48D, and CHR(50317) is 'č'), which for ASCII characters is their ASCII code.

#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <cmath>

namespace orv::sqlite {

namespace {

// LPAD/RPAD(text, length [, pad]): the text filled up with copies of pad (a blank by default)
// before it (LPAD) or after it (RPAD) to `length` characters, or cut to its first `length`
// characters; NULL for a length below 1.
template <bool Left> void padFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> length = argumentNumber(context, argv[1], ok);
    if (!ok) return;
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::string> pad = argc > 2 ? argumentText(argv[2]) : std::string(" ");
    if (!text || !length || !pad || pad->empty()) return sqlite3_result_null(context);
    const double wanted = std::trunc(length->value());
    if (wanted < 1 || wanted > 1e9) return sqlite3_result_null(context);
    const auto size = static_cast<size_t>(wanted);
    const std::vector<size_t> offsets = characterOffsets(*text);
    const size_t count = offsets.size() - 1;
    if (count >= size) return resultText(context, text->substr(0, offsets[size]));
    const std::vector<size_t> padOffsets = characterOffsets(*pad);
    const size_t padCount = padOffsets.size() - 1;
    std::string fill;
    for (size_t missing = size - count; missing > 0;) {
        const size_t take = std::min(missing, padCount);
        fill += pad->substr(0, padOffsets[take]);
        missing -= take;
    }
    resultText(context, Left ? fill + *text : *text + fill);
}

} // namespace

// REPLACE(text, sought [, replacement]): every occurrence of sought replaced, or removed when
// there is no replacement (or it is NULL); a NULL sought leaves the text as it is.
void body::replace(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::string> sought = argumentText(argv[1]);
    const std::optional<std::string> replacement = argc > 2 ? argumentText(argv[2]) : std::nullopt;
    if (!text) return sqlite3_result_null(context);
    if (!sought || sought->empty()) return resultText(context, *text);
    const std::string with = replacement.value_or("");
    std::string out;
    size_t from = 0;
    for (size_t at = text->find(*sought); at != std::string::npos; at = text->find(*sought, from)) {
        out.append(*text, from, at - from);
        out += with;
        from = at + sought->size();
    }
    out.append(*text, from, std::string::npos);
    resultText(context, out);
}

void body::chr(sqlite3_context* context, int, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> code = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    if (!code) return sqlite3_result_null(context);
    const double value = std::trunc(code->value());
    if (value < 0 || value > 4294967295.0) return sqlite3_result_error(context, kInvalidNumber, -1);
    auto bytes = static_cast<unsigned long long>(value);
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>(bytes & 0xFF));
        bytes >>= 8;
    } while (bytes > 0);
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void body::ascii(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    if (!text || text->empty()) return sqlite3_result_null(context);
    const std::vector<size_t> offsets = characterOffsets(*text);
    const size_t end = offsets.size() > 1 && offsets[0] == 0 ? offsets[1] : 1;
    long long code = 0;
    for (size_t i = 0; i < end && i < 4; ++i)
        code = code * 256 + static_cast<unsigned char>((*text)[i]);
    sqlite3_result_int64(context, code);
}

void body::lpad(sqlite3_context* context, int argc, sqlite3_value** argv) {
    padFunction<true>(context, argc, argv);
}

void body::rpad(sqlite3_context* context, int argc, sqlite3_value** argv) {
    padFunction<false>(context, argc, argv);
}

} // namespace orv::sqlite
