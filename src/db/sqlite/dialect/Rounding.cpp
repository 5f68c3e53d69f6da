#include "db/sqlite/dialect/Rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace orv::sqlite {

namespace {

double powerOfTen(int exponent) {
    double result = 1.0;
    for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
        result *= 10.0;
    return exponent < 0 ? 1.0 / result : result;
}

// Cuts the value to `places` decimals; the first dropped digit decides whether the last kept one
// goes up when `roundHalf` (halves away from zero), else the digits are dropped (toward zero).
double toPlaces(double value, int places, bool roundHalf) {
    if (!std::isfinite(value) || value == 0.0) return value;
    // d.dddddddddddddde+XX: the 15 significant digits and the decimal exponent.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    // Number of significant digits that stay: those down to the 10^-places position.
    const int kept = exponent + 1 + places;
    if (kept >= static_cast<int>(digits.size())) return value;
    if (kept < 0) return 0.0;
    long long whole = kept == 0 ? 0 : std::stoll(digits.substr(0, static_cast<size_t>(kept)));
    if (roundHalf && digits[static_cast<size_t>(kept)] >= '5') ++whole;
    // whole * 10^-places, divided rather than multiplied so that the double is the nearest one.
    const double magnitude = places >= 0 ? static_cast<double>(whole) / powerOfTen(places)
                                         : static_cast<double>(whole) * powerOfTen(-places);
    return value < 0 && magnitude != 0.0 ? -magnitude : magnitude;
}

} // namespace

double roundHalfAwayFromZero(double value, int places) {
    return toPlaces(value, places, true);
}

double truncateTowardZero(double value, int places) {
    return toPlaces(value, places, false);
}

} // namespace orv::sqlite
