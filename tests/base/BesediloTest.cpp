#include "base/Besedilo.h"
#include "base/DatumIzTeksta.h"
#include "base/RecordingVmesnik.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <stdexcept>

namespace orv {
namespace {

TEST(PrvaBeseda, TakesTheTextUpToTheFirstBlank) {
    EXPECT_EQ(PrvaBeseda("12345 ABC"), "12345");
    EXPECT_EQ(PrvaBeseda("ABC"), "ABC");
    EXPECT_EQ(PrvaBeseda(" ABC"), "");
    EXPECT_EQ(PrvaBeseda(""), "");
    EXPECT_EQ(PrvaBeseda("A\tB C"), "A\tB"); // only character 32 separates words
}

TEST(DatumIzTeksta, FallsBackToTheWindowDateOrToday) {
    RecordingVmesnik window;
    window.options.eDanText = "31.12.2024";
    const double windowDate = encodeDate(2024, 12, 31);
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", windowDate},
        {"   ", windowDate},
        {"15.06.2023 10:15:00", encodeDate(2023, 6, 15)},
        {"15.06.2023 and more words", encodeDate(2023, 6, 15)},
        {"1.1.2007", encodeDate(2007, 1, 1)},
        {"ABCDEF", today()},
        {" 15.06.2023", today()},
        {"32.01.2023", today()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DatumIzTeksta(window, c.text), c.expected) << c.text;
}

TEST(DatumIzTeksta, FailsForEveryTextWhileTheDateEditHoldsNoDate) {
    RecordingVmesnik window;
    for (const char* edit : {"", "31.02.2024", "danes"}) {
        window.options.eDanText = edit;
        EXPECT_THROW(DatumIzTeksta(window, "15.06.2023"), std::runtime_error) << edit;
        EXPECT_THROW(DatumIzTeksta(window, ""), std::runtime_error) << edit;
    }
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.6), 3.0);
    EXPECT_EQ(roundHalfEven(0.125, 2), 0.12);
    EXPECT_EQ(roundHalfEven(0.135, 2), 0.14);
    EXPECT_EQ(roundHalfEven(1.005, 2), 1.0);
    EXPECT_EQ(roundHalfEven(-1.2345, 3), -1.234);
    EXPECT_EQ(roundHalfEven(1.2346, 3), 1.235);
}

TEST(Texts, StartsWithIgnoringCase) {
    EXPECT_TRUE(startsWithIgnoringCase("dd.Month", 3, "MONTH"));
    EXPECT_TRUE(startsWithIgnoringCase("fm", 0, "FM"));
    EXPECT_FALSE(startsWithIgnoringCase("Mo", 0, "MON"));
    EXPECT_FALSE(startsWithIgnoringCase("abc", 4, ""));
    EXPECT_TRUE(startsWithIgnoringCase("abc", 3, ""));
}

TEST(Numbers, PrintAsTheDatabaseTextRule) {
    EXPECT_EQ(formatNumber(12.0), "12");
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatNumber(1234567.891), "1234567.891");
    EXPECT_EQ(formatNumber(1e20), "1e+20");
    EXPECT_EQ(formatNumber(-12.5), "-12.5");
}

// The shortest text that reads back as the same double: amounts stay as written, and a value
// with more than 15 digits keeps them.
TEST(Numbers, ExactTextReadsBackAsTheSameDouble) {
    EXPECT_EQ(exactNumberText(0.1), "0.1");
    EXPECT_EQ(exactNumberText(1234567.891), "1234567.891");
    EXPECT_EQ(exactNumberText(0.1 + 0.2), "0.30000000000000004");
    for (const double value : {1.0 / 3.0, 2.0 / 30.0, 82500.0 / 7.0, -1e-300, 1e300, 0.0})
        EXPECT_EQ(std::strtod(exactNumberText(value).c_str(), nullptr), value) << value;
}

} // namespace
} // namespace orv
