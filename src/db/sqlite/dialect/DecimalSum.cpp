#include "db/sqlite/dialect/DecimalSum.h"

#include "db/DatabaseError.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace orv::sqlite {

namespace {

__extension__ typedef __int128 Wide;

// Decimal places tried when reading a double as a decimal.
constexpr int kMaxScale = 9;

constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Integers of doubles are exact below 2^53.
constexpr double kExactIntegers = 9007199254740992.0;

// The exact part is moved to the double part before it could overflow.
constexpr Wide kWideLimit = static_cast<Wide>(1000000000000000000LL) * 1000000000000000000LL;

Wide powerOfTen(int exponent) {
    Wide power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// The state of one SUM or AVG. SQLite hands it out zero-filled, which is the empty sum.
struct DecimalSum {
    Wide units;          // the exact part: units * 10^-scale
    int scale;           // decimal places of `units`
    bool sawReal;        // a value was no integer: the result is a real
    double inexact;      // values with no short decimal form, added with compensation
    double compensation; // what the additions of `inexact` lost
    long long count;     // values that were not NULL

    void addInexact(double value) {
        // Neumaier's compensated addition.
        const double total = inexact + value;
        if (std::fabs(inexact) >= std::fabs(value))
            compensation += (inexact - total) + value;
        else
            compensation += (value - total) + inexact;
        inexact = total;
    }

    // The exact part as the nearest double, read from its decimal digits.
    double exactValue() const {
        if (units == 0) return 0.0;
        Wide magnitude = units < 0 ? -units : units;
        // 39 digits at most, a point, a leading zero and the end; written from the back.
        char text[48];
        size_t at = sizeof text - 1;
        text[at] = '\0';
        int places = 0;
        while (magnitude > 0 || places <= scale) {
            if (places == scale && places > 0) text[--at] = '.';
            text[--at] = static_cast<char>('0' + static_cast<int>(magnitude % 10));
            magnitude /= 10;
            ++places;
        }
        const double value = std::strtod(text + at, nullptr);
        return units < 0 ? -value : value;
    }

    void addExact(Wide value, int valueScale) {
        if (valueScale > scale) {
            units *= powerOfTen(valueScale - scale);
            scale = valueScale;
        } else {
            value *= powerOfTen(scale - valueScale);
        }
        units += value;
        if (units > kWideLimit || units < -kWideLimit) {
            addInexact(exactValue());
            units = 0;
        }
    }

    double total() const { return exactValue() + (inexact + compensation); }
};

// The decimal with the fewest places (at most kMaxScale) whose nearest double is `value`: the
// number as it was written. False when there is none.
bool readDecimal(double value, long long& units, int& scale) {
    if (!std::isfinite(value)) return false;
    for (scale = 0; scale <= kMaxScale; ++scale) {
        const double scaled = value * kPowers[scale];
        if (std::fabs(scaled) >= kExactIntegers) return false;
        units = std::llround(scaled);
        if (static_cast<double>(units) / kPowers[scale] == value) return true;
    }
    return false;
}

// Adds (sign 1) or takes away (sign -1, for a window's leaving row) one value.
void change(sqlite3_context* context, sqlite3_value* argument, int sign) {
    auto* sum = static_cast<DecimalSum*>(sqlite3_aggregate_context(context, sizeof(DecimalSum)));
    if (!sum) return sqlite3_result_error_nomem(context);
    const int type = sqlite3_value_numeric_type(argument);
    if (type == SQLITE_NULL) return;
    sum->count += sign;
    if (type == SQLITE_INTEGER) {
        sum->addExact(static_cast<Wide>(sqlite3_value_int64(argument)) * sign, 0);
        return;
    }
    sum->sawReal = true;
    const double value = sqlite3_value_double(argument);
    long long units = 0;
    int scale = 0;
    if (readDecimal(value, units, scale))
        sum->addExact(static_cast<Wide>(units) * sign, scale);
    else
        sum->addInexact(value * sign);
}

void step(sqlite3_context* context, int, sqlite3_value** argv) {
    change(context, argv[0], 1);
}

void inverse(sqlite3_context* context, int, sqlite3_value** argv) {
    change(context, argv[0], -1);
}

const DecimalSum* state(sqlite3_context* context) {
    return static_cast<const DecimalSum*>(sqlite3_aggregate_context(context, 0));
}

void sumValue(sqlite3_context* context) {
    const DecimalSum* sum = state(context);
    if (!sum || sum->count == 0) return sqlite3_result_null(context);
    const bool integer = !sum->sawReal && sum->scale == 0 && sum->inexact == 0.0 &&
                         sum->units >= INT64_MIN && sum->units <= INT64_MAX;
    if (integer) return sqlite3_result_int64(context, static_cast<sqlite3_int64>(sum->units));
    sqlite3_result_double(context, sum->total());
}

void averageValue(sqlite3_context* context) {
    const DecimalSum* sum = state(context);
    if (!sum || sum->count == 0) return sqlite3_result_null(context);
    sqlite3_result_double(context, sum->total() / static_cast<double>(sum->count));
}

void define(sqlite3* db, const char* name, void (*value)(sqlite3_context*)) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_window_function(db, name, 1, flags, nullptr, step, value, value, inverse,
                                       nullptr) != SQLITE_OK)
        throw DatabaseError(std::string("cannot register ") + name + ": " + sqlite3_errmsg(db));
}

} // namespace

void registerDecimalSums(sqlite3* db) {
    define(db, "sum", sumValue);
    define(db, "avg", averageValue);
}

} // namespace orv::sqlite
