// orvelnost-prenos as a process: the date bounds checked up front and output write errors.

#include "support/TestBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

const std::string kPrenos = ORVELNOST_PRENOS_PROGRAM;

struct PrenosCommand : ::testing::Test {
    test::TestBank bank;
};

// The source statement also names the first day of the year before the reporting date, so the
// reporting date lies from 01.01.0002 to 31.12.9999; any other is a wrong call, refused before
// a logon or any statement.
TEST_F(PrenosCommand, DatesOutsideTheDialectsRangeAreRefusedUpFront) {
    for (const char* date : {"1.1.0001", "31.12.0001", "1.1.10000", "0.1.2024", "29.2.2100"}) {
        const auto result =
            test::runCommand(kPrenos + " ORVDEMO OPERATER demo --dan " + date + " --izvor");
        EXPECT_EQ(result.exitCode, 2) << date << ": " << result.err;
        EXPECT_NE(result.err.find("--dan"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "") << date;
    }
    for (const char* date : {"1.1.0002", "31.12.9999"}) {
        const auto result =
            test::runCommand(kPrenos + " ORVDEMO OPERATER demo --dan " + date + " --izvor");
        EXPECT_EQ(result.exitCode, 0) << date << ": " << result.err;
    }
}

TEST_F(PrenosCommand, SourceRowsThatCannotBeWrittenAreAFailure) {
    const auto result = test::runCommand(
        "sh -c '" + kPrenos + " ORVDEMO OPERATER demo --dan 31.12.2024 --izvor >/dev/full'");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
}

TEST_F(PrenosCommand, PasswordFromTheEnvironment) {
    const auto result = test::runCommand("ORVELNOST_GESLO=demo " + kPrenos +
                                         " ORVDEMO OPERATER - --dan 31.12.2024 --izvor");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("SFVPKRT\t", 0), 0u) << result.out;
}

} // namespace
} // namespace orv
