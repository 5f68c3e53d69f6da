#include "base/Datum.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Datum, EncodesDaysFrom30December1899) {
    struct Case {
        int year, month, day;
        double value;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},     {1900, 1, 1, 2},    {1900, 3, 1, 61},        {2024, 2, 29, 45351},
        {2024, 12, 31, 45657}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeDate(c.year, c.month, c.day), c.value)
            << c.day << "." << c.month << "." << c.year;
        const DateParts parts = decodeDate(c.value);
        EXPECT_EQ(parts.year, c.year);
        EXPECT_EQ(parts.month, c.month);
        EXPECT_EQ(parts.day, c.day);
    }
}

TEST(Datum, FormatsWithTwoDigitDayAndMonthAndFourDigitYear) {
    EXPECT_EQ(formatDate(encodeDate(2024, 3, 5)), "05.03.2024");
    EXPECT_EQ(formatDate(encodeDate(999, 3, 5)), "05.03.0999");
    EXPECT_EQ(formatDate(encodeDate(2024, 3, 5) + 0.75), "05.03.2024"); // time dropped
    EXPECT_EQ(formatDateTime(encodeDate(2024, 3, 5)), "05.03.2024");
    EXPECT_EQ(formatDateTime(encodeDate(2024, 3, 5) + 0.75), "05.03.2024 18:00:00");
    EXPECT_EQ(formatDateTime(encodeDate(2024, 3, 5) + 0.999999999), "06.03.2024");
}

TEST(Datum, ParsesDayMonthYearTexts) {
    const double march5 = encodeDate(2024, 3, 5);
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"05.03.2024", march5},
        {"5.3.2024", march5},
        {"1.1.2007", encodeDate(2007, 1, 1)},
        {"29.02.2024", encodeDate(2024, 2, 29)},
        {"29.02.2000", encodeDate(2000, 2, 29)},
        {"05.03.2024 10:30", march5 + 10.5 / 24},
        {"05.03.2024 10:30:15", march5 + (10 * 3600 + 30 * 60 + 15) / 86400.0},
        {"29.02.2023", std::nullopt},
        {"29.02.2100", std::nullopt}, // not a leap year in the Gregorian calendar
        {"32.01.2023", std::nullopt},
        {"00.01.2023", std::nullopt},
        {"15.13.2023", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {" 05.03.2024", std::nullopt},
        {"05.03.2024 x", std::nullopt},
        {"05.03.2024 24:00", std::nullopt},
        {"05-03-2024", std::nullopt},
        {"123.03.2024", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseDate(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Datum, MonthEndsAndMonthArithmetic) {
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(lastDayOfMonth(encodeDate(2100, 2, 3)), encodeDate(2100, 2, 28));
    EXPECT_EQ(lastDayOfMonth(encodeDate(2024, 12, 1) + 0.5), encodeDate(2024, 12, 31));
    EXPECT_EQ(addMonths(encodeDate(2024, 1, 31), 1), encodeDate(2024, 2, 29));
    EXPECT_EQ(addMonths(encodeDate(2024, 2, 29), 1),
              encodeDate(2024, 3, 31)); // last day stays last
    EXPECT_EQ(addMonths(encodeDate(2024, 3, 15), -3), encodeDate(2023, 12, 15));
    EXPECT_EQ(addMonths(encodeDate(2024, 12, 31), -12), encodeDate(2023, 12, 31));
}

} // namespace
} // namespace orv
