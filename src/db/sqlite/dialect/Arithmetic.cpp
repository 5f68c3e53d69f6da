// orv_plus(a, b) and orv_minus(a, b): the bank database's + and -, which the translation writes
// for every sum and difference that is not made of number literals alone.
//
// Numbers add as SQLite adds them (two integers stay an integer unless the sum overflows, which
// makes it real). A date text is a date: date + n, n + date and date - n are dates n days
// (a fraction is a time of day) away, and date - date is the number of days between them. A text
// that is neither a number nor a date raises ORA-01722 where SQLite would silently read 0.

#include "db/sqlite/dialect/DateArguments.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <cmath>

namespace orv::sqlite {

namespace {

struct Operand {
    enum class Kind { Null, Number, Date } kind = Kind::Null;
    Number number;
    long long seconds = 0; // of a date
};

// Reads an operand; false after raising the error on the context.
bool readOperand(sqlite3_context* context, sqlite3_value* value, Operand& operand) {
    if (sqlite3_value_type(value) == SQLITE_TEXT) {
        DateParts parts;
        const DateTextError error = readDateValue(value, parts);
        if (error == DateTextError::None) {
            operand.kind = Operand::Kind::Date;
            operand.seconds = dateSeconds(parts);
            return true;
        }
        // A text shaped as a date names an impossible day: the date's own error says why.
        if (error != DateTextError::NotNumeric) {
            sqlite3_result_error(context, dateErrorText(error), -1);
            return false;
        }
    }
    bool ok = true;
    const std::optional<Number> number = argumentNumber(context, value, ok);
    if (!ok) return false;
    if (number) {
        operand.kind = Operand::Kind::Number;
        operand.number = *number;
    }
    return true;
}

void resultNumberSum(sqlite3_context* context, const Number& a, const Number& b, bool subtract) {
    long long sum = 0;
    if (a.isInteger && b.isInteger &&
        !(subtract ? __builtin_sub_overflow(a.integer, b.integer, &sum)
                   : __builtin_add_overflow(a.integer, b.integer, &sum)))
        return sqlite3_result_int64(context, sum);
    sqlite3_result_double(context, subtract ? a.value() - b.value() : a.value() + b.value());
}

// The date `days` days (a fraction is part of a day) after the date; the bank's database keeps
// whole seconds.
void resultShiftedDate(sqlite3_context* context, long long seconds, double days) {
    const double shift = std::round(days * static_cast<double>(kSecondsPerDay));
    DateParts parts;
    if (!std::isfinite(shift) || std::fabs(shift) > 1e15 ||
        !dateFromSeconds(seconds + static_cast<long long>(shift), parts))
        return resultYearOutOfRange(context);
    resultDate(context, parts);
}

// Days between two dates: whole days as an integer, else with the fraction of the times of day.
void resultDayDifference(sqlite3_context* context, long long a, long long b) {
    const long long seconds = a - b;
    if (seconds % kSecondsPerDay == 0)
        return sqlite3_result_int64(context, seconds / kSecondsPerDay);
    sqlite3_result_double(context,
                          static_cast<double>(seconds) / static_cast<double>(kSecondsPerDay));
}

} // namespace

void body::plus(sqlite3_context* context, int, sqlite3_value** argv) {
    Operand a, b;
    if (!readOperand(context, argv[0], a) || !readOperand(context, argv[1], b)) return;
    using Kind = Operand::Kind;
    if (a.kind == Kind::Null || b.kind == Kind::Null) return sqlite3_result_null(context);
    if (a.kind == Kind::Date && b.kind == Kind::Date)
        return sqlite3_result_error(context, "ORA-00975: date + date not allowed", -1);
    if (a.kind == Kind::Date) return resultShiftedDate(context, a.seconds, b.number.value());
    if (b.kind == Kind::Date) return resultShiftedDate(context, b.seconds, a.number.value());
    resultNumberSum(context, a.number, b.number, false);
}

void body::minus(sqlite3_context* context, int, sqlite3_value** argv) {
    Operand a, b;
    if (!readOperand(context, argv[0], a) || !readOperand(context, argv[1], b)) return;
    using Kind = Operand::Kind;
    if (a.kind == Kind::Null || b.kind == Kind::Null) return sqlite3_result_null(context);
    if (a.kind == Kind::Date && b.kind == Kind::Date)
        return resultDayDifference(context, a.seconds, b.seconds);
    if (a.kind == Kind::Date) return resultShiftedDate(context, a.seconds, -b.number.value());
    if (b.kind == Kind::Date)
        return sqlite3_result_error(
            context, "ORA-00932: inconsistent datatypes: expected NUMBER got DATE", -1);
    resultNumberSum(context, a.number, b.number, true);
}

} // namespace orv::sqlite
