// Number functions as the bank's database computes them on its decimal numbers.

#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"
#include "db/sqlite/dialect/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orv::sqlite {

namespace {

// ROUND of a date text: to the nearest day.
bool roundDate(sqlite3_context* context, sqlite3_value* value) {
    if (sqlite3_value_type(value) != SQLITE_TEXT) return false;
    DateParts parts;
    if (readDateText(*argumentText(value), parts) != DateTextError::None) return false;
    DateValue day = encodeDate(parts.year, parts.month, parts.day);
    if (parts.hour >= 12) day += 1;
    const DateParts rounded = decodeDate(day);
    resultText(context, canonicalDateText(rounded));
    return true;
}

// The text of a TO_NUMBER argument as a plain number: a mask with group separators ','
// (9,999.99) lets the text have them too.
std::string plainNumberText(std::string text, const std::optional<std::string>& mask) {
    if (!mask || mask->find(',') == std::string::npos) return text;
    std::string plain;
    for (char c : text)
        if (c != ',') plain += c;
    return plain;
}

// An integer rounded to `places` (negative: to tens, hundreds, ...), halves away from zero,
// exactly also beyond the 15 digits a double holds; false when the unit or the result is
// beyond the integers.
bool roundInteger(long long value, int places, long long& rounded) {
    if (places >= 0) {
        rounded = value;
        return true;
    }
    if (places < -18) return false; // the unit is no integer: the double rounds it
    long long unit = 1;
    for (int i = 0; i < -places; ++i)
        unit *= 10;
    const long long rest = value % unit; // with the sign of value
    rounded = value - rest;
    if (rest >= unit - rest) return !__builtin_add_overflow(rounded, unit, &rounded);
    if (-rest >= unit + rest) return !__builtin_sub_overflow(rounded, unit, &rounded);
    return true;
}

} // namespace

// ROUND(x [, places]): halves away from zero, judged on the decimal value of x.
void body::round(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (roundDate(context, argv[0])) return;
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    std::optional<Number> places = Number{true, 0, 0.0};
    if (argc > 1 && !(places = argumentNumber(context, argv[1], ok)) && ok)
        return sqlite3_result_null(context);
    if (!ok) return;
    if (!x) return sqlite3_result_null(context);
    // Beyond 400 places either way every double rounds to itself or to 0.
    const double wanted =
        places->isInteger ? static_cast<double>(places->integer) : std::trunc(places->real);
    const int n = static_cast<int>(std::clamp(wanted, -400.0, 400.0));
    if (x->isInteger) {
        long long rounded = 0;
        if (roundInteger(x->integer, n, rounded)) return sqlite3_result_int64(context, rounded);
    }
    sqlite3_result_double(context, roundHalfAwayFromZero(x->value(), n));
}

void body::abs(sqlite3_context* context, int, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    if (!x) return sqlite3_result_null(context);
    if (x->isInteger && x->integer != std::numeric_limits<long long>::min())
        return sqlite3_result_int64(context, x->integer < 0 ? -x->integer : x->integer);
    sqlite3_result_double(context, std::fabs(x->value()));
}

// The right operand of '/', as a real number so that SQLite divides exactly; zero raises the
// bank database's error.
void body::divisor(sqlite3_context* context, int, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    if (!x) return sqlite3_result_null(context);
    if (x->value() == 0.0)
        return sqlite3_result_error(context, "ORA-01476: divisor is equal to zero", -1);
    sqlite3_result_double(context, x->value());
}

// Check of a NUMBER column: what the column's affinity could not make a number is rejected.
void body::checkNumber(sqlite3_context* context, int, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL || type == SQLITE_INTEGER || type == SQLITE_FLOAT)
        return sqlite3_result_int(context, 1);
    sqlite3_result_error(context, kInvalidNumber, -1);
}

// TO_NUMBER(x [, mask]): a number stays as it is; a text must read wholly as a number.
void body::toNumber(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) return sqlite3_result_null(context);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
        return sqlite3_result_value(context, argv[0]);
    const std::optional<std::string> mask = argc > 1 ? argumentText(argv[1]) : std::nullopt;
    if (argc > 1 && !mask) return sqlite3_result_null(context);
    const std::optional<Number> number =
        readNumberText(plainNumberText(*argumentText(argv[0]), mask));
    if (!number) return sqlite3_result_error(context, kInvalidNumber, -1);
    resultNumber(context, *number);
}

} // namespace orv::sqlite
