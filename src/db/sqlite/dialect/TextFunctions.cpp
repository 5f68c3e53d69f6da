// Text functions as the bank's database computes them: positions count characters from 1, and a
// result without any text is NULL.

#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <cmath>

namespace orv::sqlite {

namespace {

bool isNullOrEmpty(sqlite3_value* value) {
    const int type = sqlite3_value_type(value);
    return type == SQLITE_NULL || (type == SQLITE_TEXT && sqlite3_value_bytes(value) == 0);
}

// A whole-number argument (the bank's database drops the fraction); empty for NULL or after an
// error raised on the context.
std::optional<long long> wholeArgument(sqlite3_context* context, sqlite3_value* value, bool& ok) {
    const std::optional<Number> number = argumentNumber(context, value, ok);
    if (!number) return std::nullopt;
    if (number->isInteger) return number->integer;
    return static_cast<long long>(std::trunc(number->real));
}

// DECODE's comparison: NULL matches NULL; a number and a text match when the text reads as that
// number.
bool decodeMatches(sqlite3_context* context, sqlite3_value* a, sqlite3_value* b) {
    const bool aNull = isNullOrEmpty(a), bNull = isNullOrEmpty(b);
    if (aNull || bNull) return aNull && bNull;
    const bool aText = sqlite3_value_type(a) == SQLITE_TEXT;
    const bool bText = sqlite3_value_type(b) == SQLITE_TEXT;
    if (aText && bText) return *argumentText(a) == *argumentText(b);
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, a, ok);
    if (!ok) return false;
    const std::optional<Number> y = argumentNumber(context, b, ok);
    return ok && x->value() == y->value();
}

} // namespace

// a || b || ...: NULL counts as empty text.
void body::concat(sqlite3_context* context, int argc, sqlite3_value** argv) {
    std::string text;
    for (int i = 0; i < argc; ++i)
        if (std::optional<std::string> part = argumentText(argv[i])) text += *part;
    resultText(context, text);
}

void body::nvl(sqlite3_context* context, int, sqlite3_value** argv) {
    sqlite3_result_value(context, isNullOrEmpty(argv[0]) ? argv[1] : argv[0]);
}

// NVL2(e, a, b): a when e is not NULL, else b.
void body::nvl2(sqlite3_context* context, int, sqlite3_value** argv) {
    sqlite3_result_value(context, isNullOrEmpty(argv[0]) ? argv[2] : argv[1]);
}

void body::decode(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 3) {
        sqlite3_result_error(context, "ORA-00938: not enough arguments for function", -1);
        return;
    }
    int i = 1;
    for (; i + 1 < argc; i += 2) {
        if (decodeMatches(context, argv[0], argv[i])) {
            sqlite3_result_value(context, argv[i + 1]);
            return;
        }
    }
    if (i < argc)
        sqlite3_result_value(context, argv[i]);
    else
        sqlite3_result_null(context);
}

// SUBSTR(text, position [, length]): position 0 counts as 1, a negative one from the end.
void body::substr(sqlite3_context* context, int argc, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<long long> position = wholeArgument(context, argv[1], ok);
    if (!ok) return;
    std::optional<long long> length;
    if (argc > 2) {
        length = wholeArgument(context, argv[2], ok);
        if (!ok) return;
        if (!length) return sqlite3_result_null(context);
    }
    if (!text || !position) return sqlite3_result_null(context);
    const std::vector<size_t> offsets = characterOffsets(*text);
    const auto count = static_cast<long long>(offsets.size() - 1);
    long long start = *position == 0 ? 1 : *position;
    if (start < 0) start += count + 1;
    if (start < 1 || start > count || (length && *length < 1)) return sqlite3_result_null(context);
    long long end = count; // one past the last character, counted from 0
    if (length && start - 1 + *length < count) end = start - 1 + *length;
    const size_t from = offsets[static_cast<size_t>(start - 1)];
    const size_t to = offsets[static_cast<size_t>(end)];
    resultText(context, text->substr(from, to - from));
}

// INSTR(text, sought [, position [, occurrence]]): the character position of the occurrence-th
// match, searching forward from position, or backward from the end when position is negative;
// 0 when there is none.
void body::instr(sqlite3_context* context, int argc, sqlite3_value** argv) {
    bool ok = true;
    std::optional<long long> position = 1, occurrence = 1;
    if (argc > 2 && !(position = wholeArgument(context, argv[2], ok)) && ok)
        return sqlite3_result_null(context);
    if (!ok) return;
    if (argc > 3 && !(occurrence = wholeArgument(context, argv[3], ok)) && ok)
        return sqlite3_result_null(context);
    if (!ok) return;
    if (*occurrence < 1) {
        const std::string error =
            "ORA-01428: argument '" + std::to_string(*occurrence) + "' is out of range";
        return sqlite3_result_error(context, error.c_str(), -1);
    }
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::string> sought = argumentText(argv[1]);
    if (!text || !sought || text->empty() || sought->empty()) return sqlite3_result_null(context);
    if (*position == 0) return sqlite3_result_int(context, 0);

    const std::vector<size_t> offsets = characterOffsets(*text);
    const auto count = static_cast<long long>(offsets.size() - 1);
    const auto matchesAt = [&](long long index) {
        return text->compare(offsets[static_cast<size_t>(index)], sought->size(), *sought) == 0;
    };
    long long remaining = *occurrence;
    if (*position > 0) {
        for (long long i = *position - 1; i < count; ++i)
            if (matchesAt(i) && --remaining == 0) return sqlite3_result_int64(context, i + 1);
    } else {
        for (long long i = count + *position; i >= 0; --i)
            if (i < count && matchesAt(i) && --remaining == 0)
                return sqlite3_result_int64(context, i + 1);
    }
    sqlite3_result_int(context, 0);
}

void body::length(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    if (!text || text->empty()) return sqlite3_result_null(context);
    sqlite3_result_int64(context, static_cast<long long>(characterOffsets(*text).size() - 1));
}

// TRIM(text) removes the blanks at both ends.
void body::trim(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    if (!text) return sqlite3_result_null(context);
    const size_t first = text->find_first_not_of(' ');
    if (first == std::string::npos) return sqlite3_result_null(context);
    resultText(context, text->substr(first, text->find_last_not_of(' ') - first + 1));
}

} // namespace orv::sqlite
