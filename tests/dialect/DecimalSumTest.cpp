// SUM and AVG add the bank's numbers as decimals: a column of amounts adds up to the amount the
// bank's database prints, not to a double that is off in its last digits.

#include "DialectHarness.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

class DecimalSums : public testing::Test {
protected:
    DialectDatabase db;
    void SetUp() override {
        db.execute("CREATE TABLE a (i NUMBER, x NUMBER)");
        // 100000 postings: amounts in cents, tenths, and a few NULLs.
        ASSERT_EQ(sqlite3_exec(db.handle(),
                               "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c "
                               "WHERE i < 100000) INSERT INTO a SELECT i, CASE i % 3 WHEN 0 THEN "
                               "1234567.89 WHEN 1 THEN 0.07 ELSE 10.1 END FROM c",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        db.execute("INSERT INTO a VALUES (0, NULL)");
    }
};

TEST_F(DecimalSums, AddAmountsAsDecimals) {
    struct Case {
        const char* sql;
        Rows rows;
    };
    const Case cases[] = {
        {"SELECT SUM(x), AVG(x), COUNT(x) FROM a",
         {{"41152190474.05", "411521.9047405", "100000"}}},
        {"SELECT SUM(0.1), ROUND(SUM(0.1), 2) FROM a WHERE i BETWEEN 1 AND 1000", {{"100", "100"}}},
        {"SELECT SUM(CASE WHEN MOD(i, 2) = 0 THEN 1000000.01 ELSE -1000000 END) FROM a "
         "WHERE i BETWEEN 1 AND 10000",
         {{"50"}}},
        {"SELECT SUM(x) - 41152190474.05 FROM a", {{"0"}}},
        // Values without a short decimal form still add up closely.
        {"SELECT ROUND(SUM(1/3), 12), SUM(x * 0 + 1e-12) FROM a WHERE i BETWEEN 1 AND 3",
         {{"1", "3e-12"}}},
        {"SELECT SUM(x), AVG(x) FROM a WHERE i = 0", {{"NULL", "NULL"}}},
        {"SELECT SUM(x), AVG(x) FROM a WHERE i < 0", {{"NULL", "NULL"}}},
        {"SELECT SUM(i), AVG(i) FROM a WHERE i <= 4", {{"10", "2"}}},
        {"SELECT SUM(DISTINCT x) FROM a", {{"1234578.06"}}},
        {"SELECT SUM('2.5'), SUM(-0.05) FROM a WHERE i BETWEEN 1 AND 2", {{"5", "-0.1"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(db.query(c.sql), c.rows) << c.sql;
}

TEST_F(DecimalSums, SumOfIntegersStaysAnInteger) {
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), "SELECT SUM(i), SUM(x) FROM a WHERE i <= 3", -1,
                                 &statement, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_type(statement, 0), SQLITE_INTEGER);
    EXPECT_EQ(sqlite3_column_int64(statement, 0), 6);
    EXPECT_EQ(sqlite3_column_type(statement, 1), SQLITE_FLOAT);
    sqlite3_finalize(statement);
}

// A moving window takes the leaving row's value away exactly.
TEST_F(DecimalSums, WindowsAddAndTakeAway) {
    EXPECT_EQ(db.query("SELECT i, SUM(x) OVER (ORDER BY i ROWS BETWEEN 2 PRECEDING AND CURRENT "
                       "ROW), AVG(x) OVER (ORDER BY i ROWS 1 PRECEDING) FROM a "
                       "WHERE i BETWEEN 99997 AND 100000 ORDER BY i"),
              (Rows{{"99997", "0.07", "0.07"},
                    {"99998", "10.17", "5.085"},
                    {"99999", "1234578.06", "617288.995"},
                    {"100000", "1234578.06", "617283.98"}}));
}

} // namespace
} // namespace orv::sqlite::test
