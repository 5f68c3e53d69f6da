// FLOOR, CEIL, SIGN and MOD as the bank's database computes them: a text that is no number raises
// ORA-01722 (SQLite's own versions read it as NULL or 0), whole results are integers, and MOD
// works on the decimal values of its arguments.

#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"
#include "db/sqlite/dialect/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv::sqlite {

namespace {

// Reals up to 2^53 are exact integers; beyond that they stay reals.
constexpr double kExactIntegerLimit = 9007199254740992.0;

void resultWhole(sqlite3_context* context, double value) {
    if (std::fabs(value) < kExactIntegerLimit)
        sqlite3_result_int64(context, static_cast<long long>(value));
    else
        sqlite3_result_double(context, value);
}

template <double (*Round)(double)>
void integerPartFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    if (!x) return sqlite3_result_null(context);
    if (x->isInteger) return sqlite3_result_int64(context, x->integer);
    resultWhole(context, Round(x->real));
}

double floorOf(double value) {
    return std::floor(value);
}
double ceilOf(double value) {
    return std::ceil(value);
}

// Decimal places of the value as written with 15 significant digits (2.675 has 3).
int decimalPlaces(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    int last = 14; // the last non-zero digit after the point of the mantissa
    while (last > 0 && buffer[last + 1] == '0')
        --last;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    return last - exponent > 0 ? last - exponent : 0;
}

// m - n * TRUNC(m / n) on the decimal values: both are scaled to whole numbers when that is
// exact, so that MOD(5.5, 0.1) is 0 as on decimal numbers.
double decimalRemainder(double m, double n) {
    const int places = std::max(decimalPlaces(m), decimalPlaces(n));
    const double scale = std::pow(10.0, places);
    const double scaledM = std::round(m * scale), scaledN = std::round(n * scale);
    if (places > 15 || std::fabs(scaledM) >= kExactIntegerLimit ||
        std::fabs(scaledN) >= kExactIntegerLimit)
        return std::fmod(m, n);
    const auto remainder = static_cast<long long>(scaledM) % static_cast<long long>(scaledN);
    return static_cast<double>(remainder) / scale;
}

// The two numeric arguments of MOD, REMAINDER and BITAND; false when the call is answered
// already: an error raised for a text that is no number, or NULL for a NULL argument.
bool twoNumbers(sqlite3_context* context, sqlite3_value** argv, std::optional<Number>& m,
                std::optional<Number>& n) {
    bool ok = true;
    m = argumentNumber(context, argv[0], ok);
    if (!ok) return false;
    n = argumentNumber(context, argv[1], ok);
    if (!ok) return false;
    if (!m || !n) {
        sqlite3_result_null(context);
        return false;
    }
    return true;
}

} // namespace

void body::sign(sqlite3_context* context, int, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> x = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    if (!x) return sqlite3_result_null(context);
    const double value = x->value();
    sqlite3_result_int(context, value > 0 ? 1 : (value < 0 ? -1 : 0));
}

// MOD(m, n): the remainder with the sign of m; MOD(m, 0) is m.
void body::mod(sqlite3_context* context, int, sqlite3_value** argv) {
    std::optional<Number> m, n;
    if (!twoNumbers(context, argv, m, n)) return;
    if (n->value() == 0.0) return resultNumber(context, *m);
    if (m->isInteger && n->isInteger)
        return sqlite3_result_int64(context, n->integer == -1 ? 0 : m->integer % n->integer);
    sqlite3_result_double(context, decimalRemainder(m->value(), n->value()));
}

// REMAINDER(m, n): m - n * N, N the whole number nearest m / n, the even one of two as near
// (REMAINDER(5, 2) is 1, REMAINDER(7, 2) is -1); REMAINDER(m, 0) fails.
void body::remainder(sqlite3_context* context, int, sqlite3_value** argv) {
    std::optional<Number> m, n;
    if (!twoNumbers(context, argv, m, n)) return;
    if (n->value() == 0.0)
        return sqlite3_result_error(context, "ORA-01476: divisor is equal to zero", -1);
    const double quotient = m->value() / n->value();
    double nearest = std::round(quotient);
    if (std::fabs(quotient - std::trunc(quotient)) == 0.5)
        nearest = 2.0 * std::round(quotient / 2.0);
    const double result = m->value() - n->value() * nearest;
    if (m->isInteger && n->isInteger) return sqlite3_result_int64(context, std::llround(result));
    sqlite3_result_double(context, result);
}

// BITAND(m, n): the bits both whole numbers have.
void body::bitwiseAnd(sqlite3_context* context, int, sqlite3_value** argv) {
    std::optional<Number> m, n;
    if (!twoNumbers(context, argv, m, n)) return;
    const auto whole = [](const Number& x) {
        return x.isInteger ? x.integer : static_cast<long long>(std::trunc(x.real));
    };
    sqlite3_result_int64(context, whole(*m) & whole(*n));
}

void body::floor(sqlite3_context* context, int argc, sqlite3_value** argv) {
    integerPartFunction<floorOf>(context, argc, argv);
}

void body::ceil(sqlite3_context* context, int argc, sqlite3_value** argv) {
    integerPartFunction<ceilOf>(context, argc, argv);
}

} // namespace orv::sqlite
