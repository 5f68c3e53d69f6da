// TRUNC of numbers and of dates.
//
// TRUNC(number [, places]) drops the decimals after `places` (negative: tens, hundreds, ...),
// toward zero. TRUNC(date [, unit]) drops the time of day, or with the unit 'MM' goes back to the
// first day of the month, with 'Q' of the quarter, with 'YYYY' of the year.

#include "db/sqlite/dialect/DateArguments.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"
#include "db/sqlite/dialect/Rounding.h"
#include "db/sqlite/dialect/SelectClauses.h"

#include <algorithm>
#include <cmath>

namespace orv::sqlite {

namespace {

enum class DateUnit { Day, Month, Quarter, Year, Unknown };

DateUnit dateUnit(const std::string& text) {
    const std::string unit = upperName(text);
    for (const char* day : {"DD", "DDD", "J"})
        if (unit == day) return DateUnit::Day;
    for (const char* month : {"MM", "MON", "MONTH", "RM"})
        if (unit == month) return DateUnit::Month;
    if (unit == "Q") return DateUnit::Quarter;
    for (const char* year : {"YYYY", "SYYYY", "YEAR", "SYEAR", "YYY", "YY", "Y", "RRRR", "RR"})
        if (unit == year) return DateUnit::Year;
    return DateUnit::Unknown;
}

void truncateDate(sqlite3_context* context, int argc, sqlite3_value** argv, DateParts parts) {
    DateUnit unit = DateUnit::Day;
    if (argc > 1) {
        const std::optional<std::string> text = argumentText(argv[1]);
        if (!text) return sqlite3_result_null(context);
        unit = dateUnit(*text);
    }
    if (unit == DateUnit::Unknown)
        return sqlite3_result_error(context, "ORA-01821: date format not recognized", -1);
    parts.hour = parts.minute = parts.second = 0;
    if (unit != DateUnit::Day) parts.day = 1;
    if (unit == DateUnit::Quarter) parts.month = (parts.month - 1) / 3 * 3 + 1;
    if (unit == DateUnit::Year) parts.month = 1;
    resultDate(context, parts);
}

long long powerOfTen(long long exponent) {
    long long power = 1;
    for (long long i = 0; i < exponent && power <= 1000000000000000000LL / 10; ++i)
        power *= 10;
    return power;
}

void truncateNumber(sqlite3_context* context, int argc, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    std::optional<Number> places = Number{true, 0, 0.0};
    if (argc > 1) {
        places = argumentNumber(context, argv[1], ok);
        if (!ok) return;
    }
    if (!x || !places) return sqlite3_result_null(context);
    const long long n =
        places->isInteger ? places->integer : static_cast<long long>(std::trunc(places->real));
    if (x->isInteger) {
        if (n >= 0) return sqlite3_result_int64(context, x->integer);
        if (n < -18) return sqlite3_result_int(context, 0);
        const long long unit = powerOfTen(-n);
        return sqlite3_result_int64(context, x->integer - x->integer % unit);
    }
    const int clamped = static_cast<int>(std::max(-400LL, std::min(400LL, n)));
    sqlite3_result_double(context, truncateTowardZero(x->real, clamped));
}

} // namespace

void body::trunc(sqlite3_context* context, int argc, sqlite3_value** argv) {
    DateParts parts;
    if (isDateValue(argv[0], parts)) return truncateDate(context, argc, argv, parts);
    truncateNumber(context, argc, argv);
}

} // namespace orv::sqlite
