#include "app/Datum.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(Datum, DayZeroIs30December1899) {
    EXPECT_EQ(encodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(encodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(encodeDate(2024, 12, 31), 45657.0);
}

} // namespace
} // namespace orv
