// ROUND and TRUNC of numbers decide on the decimal number a double prints as with 15 significant
// digits. The way this used to be done, printing the digits with snprintf and reading them back,
// is kept here as the reference: the arithmetic that replaced it must give the very same double
// for every value.

#include "CaseTables.h"

#include "db/sqlite/dialect/Rounding.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace orv::sqlite::test {
namespace {

double referencePowerOfTen(int exponent) {
    double result = 1.0;
    for (int i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
        result *= 10.0;
    return exponent < 0 ? 1.0 / result : result;
}

// The printed way: the 15 significant digits as text, cut at the position of `places`.
double referenceToPlaces(double value, int places, bool roundHalf) {
    if (!std::isfinite(value) || value == 0.0) return value;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    for (const char* p = buffer; *p && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    const int kept = exponent + 1 + places;
    if (kept >= static_cast<int>(digits.size())) return value;
    if (kept < 0) return 0.0;
    long long whole = kept == 0 ? 0 : std::stoll(digits.substr(0, static_cast<size_t>(kept)));
    if (roundHalf && digits[static_cast<size_t>(kept)] >= '5') ++whole;
    const double magnitude = places >= 0
                                 ? static_cast<double>(whole) / referencePowerOfTen(places)
                                 : static_cast<double>(whole) * referencePowerOfTen(-places);
    return value < 0 && magnitude != 0.0 ? -magnitude : magnitude;
}

// Values of the kinds amounts take, and of every other kind.
class Values {
public:
    double next() {
        switch (pick(0, 6)) {
        case 0: // a decimal with few places, often exactly on a half
            return sign() * static_cast<double>(pick(0, 999999999)) / power(pick(0, 8));
        case 1: // a product of an amount and a rate
            return sign() * (static_cast<double>(pick(0, 99999999)) / 100.0) *
                   (static_cast<double>(pick(0, 99999)) / 1000.0);
        case 2: // a sum of amounts in cents
            return sign() * (static_cast<double>(pick(0, 9999999)) / 100.0 +
                             static_cast<double>(pick(0, 9999999)) / 100.0);
        case 3: { // a half at some position, or a few steps of the double beside it
            double half = (static_cast<double>(pick(0, 9999999)) + 0.5) / power(pick(0, 10));
            for (long long steps = pick(-3, 3); steps != 0; steps += steps > 0 ? -1 : 1)
                half = std::nextafter(half, steps > 0 ? 1e300 : -1e300);
            return sign() * half;
        }
        case 4: // any magnitude
            return sign() *
                   std::pow(10.0, std::uniform_real_distribution<double>(-40, 40)(random_));
        case 5: { // any finite double at all
            double any = 0.0;
            do
                any = std::bit_cast<double>(random_());
            while (!std::isfinite(any));
            return any;
        }
        default: // a large whole number
            return sign() * static_cast<double>(pick(0, 1LL << 60));
        }
    }

    int places() {
        static constexpr int kCommon[] = {0, 2, 4, -2};
        return pick(0, 1) == 0 ? kCommon[pick(0, 3)] : static_cast<int>(pick(-30, 30));
    }

private:
    long long pick(long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(random_);
    }
    double sign() { return pick(0, 1) == 0 ? 1.0 : -1.0; }
    static double power(long long exponent) {
        return std::pow(10.0, static_cast<double>(exponent));
    }

    std::mt19937_64 random_{20241231};
};

bool sameDouble(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

TEST(Rounding, GivesThePrintedDigitsResultForEveryValue) {
    Values values;
    int differences = 0;
    for (int i = 0; i < 400000; ++i) {
        const double value = values.next();
        const int places = values.places();
        const double rounded = roundHalfAwayFromZero(value, places);
        const double truncated = truncateTowardZero(value, places);
        const double expectedRounded = referenceToPlaces(value, places, true);
        const double expectedTruncated = referenceToPlaces(value, places, false);
        if (!sameDouble(rounded, expectedRounded) || !sameDouble(truncated, expectedTruncated)) {
            if (++differences <= 10)
                ADD_FAILURE() << std::hexfloat << value << " to " << places << " places: round "
                              << rounded << " instead of " << expectedRounded << ", trunc "
                              << truncated << " instead of " << expectedTruncated;
        }
    }
    EXPECT_EQ(differences, 0);
}

const std::vector<std::string> kNoTable = {};

class Round : public testing::TestWithParam<QueryCase> {};

TEST_P(Round, ReturnsTheBankDatabaseRows) {
    expectRows(kNoTable, GetParam());
}

const QueryCase kRound[] = {
    {"HalvesOfDecimalsAwayFromZero",
     "SELECT ROUND(2.675, 2), ROUND(-2.675, 2), ROUND(0.5), ROUND(-0.5), ROUND(1.005, 2), "
     "ROUND(0.285 * 100), ROUND(2.665, 2) FROM dual",
     {{"2.68", "-2.68", "1", "-1", "1.01", "29", "2.67"}}},
    {"ToTensAndHundreds",
     "SELECT ROUND(1234.5678, -2), ROUND(-1250, -2), ROUND(1249.9, -2), ROUND(5, -1), "
     "ROUND(4, -1), ROUND(12345678901234567, -2), ROUND(-15, -1) FROM dual",
     {{"1200", "-1300", "1200", "10", "0", "12345678901234600", "-20"}}},
    {"LargeAndTinyMagnitudes",
     "SELECT ROUND(1.23456789e20, 2), ROUND(9.87654321e-20, 25), ROUND(1e-20, 2), "
     "ROUND(123456789012.345, 2), ROUND(1e300, -298), ROUND(-4.4e-300) FROM dual",
     {{"1.23456789e+20", "9.87654e-20", "0", "123456789012.35", "1e+300", "0"}}},
    {"Null",
     "SELECT ROUND(NULL), ROUND(NULL, 2), ROUND(2.5, NULL), ROUND(NULL, NULL) FROM dual",
     {{"NULL", "NULL", "NULL", "NULL"}}},
    {"PlacesAreWholeNumbers",
     "SELECT ROUND(2.675, 2.9), ROUND(2.675, '2'), ROUND(15.5, 1e10), ROUND(15.5, -1e10) FROM dual",
     {{"2.68", "2.68", "15.5", "0"}}},
};
INSTANTIATE_TEST_SUITE_P(Numbers, Round, testing::ValuesIn(kRound));

} // namespace
} // namespace orv::sqlite::test
