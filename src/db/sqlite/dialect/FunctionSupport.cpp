#include "db/sqlite/dialect/FunctionSupport.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orv::sqlite {

void defineFunction(sqlite3* db, const char* name, int nArgs, ScalarFunction function) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_function_v2(db, name, nArgs, flags, nullptr, function, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw DatabaseError(std::string("Cannot register function ") + name + ": " +
                            sqlite3_errmsg(db));
}

void defineVolatileFunction(sqlite3* db, const char* name, int nArgs, ScalarFunction function) {
    if (sqlite3_create_function_v2(db, name, nArgs, SQLITE_UTF8, nullptr, function, nullptr,
                                   nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(std::string("Cannot register function ") + name + ": " +
                            sqlite3_errmsg(db));
}

void resultNumber(sqlite3_context* context, const Number& number) {
    if (number.isInteger)
        sqlite3_result_int64(context, number.integer);
    else
        sqlite3_result_double(context, number.real);
}

std::string numberText(double value) {
    if (value == 0.0) return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
    return text;
}

std::optional<std::string> argumentText(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        return std::to_string(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return numberText(sqlite3_value_double(value));
    default: {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const std::string_view text(bytes ? bytes : "",
                                    static_cast<size_t>(sqlite3_value_bytes(value)));
        // A stored date is read as the bank's database writes a date as text.
        DateParts parts;
        if (readDateKey(text, parts)) return canonicalDateText(parts);
        return std::string(text);
    }
    }
}

std::optional<Number> readNumberText(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const size_t last = text.find_last_not_of(' ');
    const std::string trimmed = text.substr(first, last - first + 1);
    if (trimmed.find_first_of("xXnNiI") != std::string::npos) return std::nullopt; // hex, nan, inf
    char* end = nullptr;
    Number number;
    if (trimmed.find_first_of(".eE") == std::string::npos) {
        errno = 0;
        number.integer = std::strtoll(trimmed.c_str(), &end, 10);
        if (errno == 0 && *end == '\0') {
            number.isInteger = true;
            return number;
        }
    }
    number.real = std::strtod(trimmed.c_str(), &end);
    if (*end != '\0' || end == trimmed.c_str()) return std::nullopt;
    return number;
}

std::optional<Number> argumentNumber(sqlite3_context* context, sqlite3_value* value, bool& ok) {
    ok = true;
    Number number;
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        number.isInteger = true;
        number.integer = sqlite3_value_int64(value);
        return number;
    case SQLITE_FLOAT:
        number.real = sqlite3_value_double(value);
        return number;
    default:
        if (auto read = readNumberText(*argumentText(value))) return read;
        sqlite3_result_error(context, kInvalidNumber, -1);
        ok = false;
        return std::nullopt;
    }
}

void resultText(sqlite3_context* context, const std::string& text) {
    if (text.empty())
        sqlite3_result_null(context);
    else
        sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::vector<size_t> characterOffsets(std::string_view text) {
    std::vector<size_t> offsets;
    offsets.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) offsets.push_back(i);
    offsets.push_back(text.size());
    return offsets;
}

} // namespace orv::sqlite
