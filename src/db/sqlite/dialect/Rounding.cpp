#include "db/sqlite/dialect/Rounding.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace orv::sqlite {

namespace {

// How the decimal number is cut at the position 10^-places.
enum class Cut {
    HalfAwayFromZero, // the first dropped digit, 5 or more, raises the last kept one
    TowardZero        // the dropped digits go
};

// 10^exponent as the product of tens, the way results have always been scaled back.
double powerOfTen(int exponent) {
    double result = 1.0;
    for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
        result *= 10.0;
    return exponent < 0 ? 1.0 / result : result;
}

// 10^0 ... 10^22: every one of them is a double exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;

// whole * 10^-places with the sign of the value; divided rather than multiplied by the power for
// places >= 0, so that the double is the nearest one to the decimal result.
double scaledBack(double value, double whole, int places) {
    const double magnitude = places >= 0 ? whole / powerOfTen(places) : whole * powerOfTen(-places);
    return value < 0 && magnitude != 0.0 ? -magnitude : magnitude;
}

// The whole number the cut leaves of |value| * 10^places, decided on the 15-significant-digit
// decimal D of |value|, when plain double arithmetic decides it for certain; false when it
// cannot.
//
// y = |value| * 10^places is a double within 1.2e-16 * y of the exact product, and D * 10^places
// lies within 0.5e-14 * y of it (D is |value| rounded to 15 significant digits). So where y lies
// farther than 1e-14 * y from the point at which the cut changes its answer (the next half for
// rounding, the next whole number for truncation), D * 10^places lies on the same side, and the
// cut of y is the cut of D. Below 10^13 the kept digits are fewer than 15, so D has digits left
// to cut.
bool quickCut(double magnitude, int places, Cut cut, double& whole) {
    if (places > kLargestExactPower || places < -kLargestExactPower) return false;
    const double y =
        places >= 0 ? magnitude * kExactPowers[places] : magnitude / kExactPowers[-places];
    if (!(y < 1e13)) return false;
    const double below = std::floor(y);
    const double fraction = y - below; // exact: y and floor(y) share their binary exponent range
    const double margin = 1e-14 * y;
    if (cut == Cut::HalfAwayFromZero) {
        if (std::fabs(fraction - 0.5) <= margin) return false;
        whole = fraction > 0.5 ? below + 1.0 : below;
    } else {
        if (fraction <= margin || 1.0 - fraction <= margin) return false;
        whole = below;
    }
    return true;
}

// The cut on the digits of D themselves, for the values quickCut leaves: D is written as
// d.dddddddddddddde±x, exactly as the C library prints it (correctly rounded), without a locale.
// Returns false when D keeps all its digits at this position: the value stays as it is.
bool digitCut(double magnitude, int places, Cut cut, double& whole) {
    char text[32];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
    int digits[15];
    int count = 0;
    const char* p = text;
    for (; p < written.ptr && *p != 'e'; ++p)
        if (*p != '.') digits[count++] = *p - '0';
    int exponent = 0;
    if (*p == 'e') {
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, written.ptr, exponent);
    }
    // Number of significant digits that stay: those down to the 10^-places position.
    const int kept = exponent + 1 + places;
    if (kept >= count) return false;
    if (kept < 0) {
        whole = 0.0;
        return true;
    }
    long long kept_digits = 0;
    for (int i = 0; i < kept; ++i)
        kept_digits = kept_digits * 10 + digits[i];
    if (cut == Cut::HalfAwayFromZero && digits[kept] >= 5) ++kept_digits;
    whole = static_cast<double>(kept_digits);
    return true;
}

double toPlaces(double value, int places, Cut cut) {
    if (!std::isfinite(value) || value == 0.0) return value;
    const double magnitude = std::fabs(value);
    double whole = 0.0;
    if (!quickCut(magnitude, places, cut, whole) && !digitCut(magnitude, places, cut, whole))
        return value;
    if (whole == 0.0) return 0.0; // also where 10^-places is beyond the doubles
    return scaledBack(value, whole, places);
}

} // namespace

double roundHalfAwayFromZero(double value, int places) {
    return toPlaces(value, places, Cut::HalfAwayFromZero);
}

double truncateTowardZero(double value, int places) {
    return toPlaces(value, places, Cut::TowardZero);
}

} // namespace orv::sqlite
