// + and - on dates and numbers as the bank's database computes them: date + n is a date n days
// later, date - date a number of days, and numbers add as numbers.

#include "CaseTables.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

// Postings with a value date and a maturity; row 3 has a time of day and no maturity.
const std::vector<std::string> kPostings = {
    "CREATE TABLE k (id NUMBER, datumv DATE COLLATE DATUM, zapad DATE COLLATE DATUM, n NUMBER, "
    "s VARCHAR2(20))",
    "INSERT INTO k VALUES (1, '05.03.2024', '31.03.2024', 2, 'x')",
    "INSERT INTO k VALUES (2, '29.02.2024', '01.03.2025', 0.5, '12')",
    "INSERT INTO k VALUES (3, '31.12.2023 18:00:00', NULL, NULL, NULL)",
    "INSERT INTO k VALUES (4, '01.01.2024', '01.01.2024 06:00:00', -1, 'abc')",
};

class DateArithmetic : public testing::TestWithParam<QueryCase> {};

TEST_P(DateArithmetic, ReturnsTheBankDatabaseRows) {
    expectRows(kPostings, GetParam());
}

const QueryCase kDatePlusNumber[] = {
    {"DaysEitherSide",
     "SELECT datumv + 1, 1 + datumv, datumv - 1, datumv + 0 FROM k WHERE id = 1",
     {{"06.03.2024", "06.03.2024", "04.03.2024", "05.03.2024"}}},
    {"OverYearEndKeepsTheTime",
     "SELECT datumv + 1, datumv - 365 FROM k WHERE id = 3",
     {{"01.01.2024 18:00:00", "31.12.2022 18:00:00"}}},
    {"FromLeapDay",
     "SELECT datumv + 365, datumv + 366, datumv - 366 FROM k WHERE id = 2",
     {{"28.02.2025", "01.03.2025", "28.02.2023"}}},
    {"FractionIsTimeOfDay",
     "SELECT datumv + 0.25, datumv + 1/24, datumv - 1/86400, datumv + n / 4 FROM k WHERE id = 1",
     {{"05.03.2024 06:00:00", "05.03.2024 01:00:00", "04.03.2024 23:59:59",
       "05.03.2024 12:00:00"}}},
    {"NumberColumnAsDays",
     "SELECT id, datumv + n, datumv - n FROM k ORDER BY id",
     {{"1", "07.03.2024", "03.03.2024"},
      {"2", "29.02.2024 12:00:00", "28.02.2024 12:00:00"},
      {"3", "NULL", "NULL"},
      {"4", "31.12.2023", "02.01.2024"}}},
    {"NumberTextAsDays", "SELECT datumv + s FROM k WHERE id = 2", {{"12.03.2024"}}},
    {"DateLiteralText",
     "SELECT '28.02.2023' + 1, 1 + '5.3.2024' FROM dual",
     {{"01.03.2023", "06.03.2024"}}},
    {"NullOperand", "SELECT datumv + NULL, NULL - datumv FROM k WHERE id = 1", {{"NULL", "NULL"}}},
    // ADD_MONTHS of a month's last day is the next month's last day.
    {"ResultOfAFunction",
     "SELECT ADD_MONTHS(datumv, 1) + 1, LAST_DAY(datumv) + 1 FROM k WHERE id = 2",
     {{"01.04.2024", "01.03.2024"}}},
    {"IntoADateColumn",
     "SELECT zapad FROM k WHERE id = 3",
     {{"07.01.2024 18:00:00"}},
     {"UPDATE k SET zapad = datumv + 7 WHERE id = 3"}},
};
INSTANTIATE_TEST_SUITE_P(DatePlusNumber, DateArithmetic, testing::ValuesIn(kDatePlusNumber));

const QueryCase kDateMinusDate[] = {
    {"WholeDays",
     "SELECT id, zapad - datumv, datumv - zapad FROM k ORDER BY id",
     {{"1", "26", "-26"}, {"2", "366", "-366"}, {"3", "NULL", "NULL"}, {"4", "0.25", "-0.25"}}},
    {"WholeDaysAreIntegers", "SELECT typeof(zapad - datumv) FROM k WHERE id = 1", {{"integer"}}},
    {"TimeOfDayIsAFraction",
     "SELECT '01.01.2024' - datumv, '01.01.2024 12:00' - datumv FROM k WHERE id = 3",
     {{"0.25", "0.75"}}},
    {"LastDayMinusValueDate",
     "SELECT LAST_DAY(datumv) - datumv, LAST_DAY(datumv) - datumv + 1 FROM k WHERE id = 1",
     {{"26", "27"}}},
    {"AcrossLeapDay",
     "SELECT '1.3.2024' - '28.2.2024', '1.3.2023' - '28.2.2023' FROM dual",
     {{"2", "1"}}},
    {"DifferenceOfShiftedDates",
     "SELECT (datumv + 10) - (datumv - 5) FROM k WHERE id = 1",
     {{"15"}}},
};
INSTANTIATE_TEST_SUITE_P(DateMinusDate, DateArithmetic, testing::ValuesIn(kDateMinusDate));

const QueryCase kInClauses[] = {
    // '04.04.2024' > '1.4.2024' holds only as dates, not as texts.
    {"WhereComparesAsDates", "SELECT id FROM k WHERE datumv + 30 > '1.4.2024'", {{"1"}}},
    {"WhereOnADifference", "SELECT id FROM k WHERE zapad - datumv > 30", {{"2"}}},
    {"Between",
     "SELECT id FROM k WHERE datumv BETWEEN zapad - 400 AND zapad - 1 ORDER BY id",
     {{"1"}, {"2"}}},
    {"OrderByDates", "SELECT id FROM k ORDER BY datumv + n", {{"4"}, {"2"}, {"1"}, {"3"}}},
    {"OrderByDatesDescending",
     "SELECT id FROM k ORDER BY datumv - 1 DESC",
     {{"1"}, {"2"}, {"4"}, {"3"}}},
    {"MaxAsDates",
     "SELECT MAX(datumv - 1), MIN(datumv + 1) FROM k",
     {{"04.03.2024", "01.01.2024 18:00:00"}}},
    {"InCase",
     "SELECT id, CASE WHEN zapad - datumv < 1 THEN zapad + 1 ELSE zapad - 1 END FROM k "
     "WHERE id IN (1, 4) ORDER BY id",
     {{"1", "30.03.2024"}, {"4", "02.01.2024 06:00:00"}}},
    {"GroupBy",
     "SELECT datumv - 1, COUNT(*) FROM k WHERE id IN (1, 2) GROUP BY datumv - 1 ORDER BY 1",
     {{"28.02.2024", "1"}, {"04.03.2024", "1"}}},
    {"OuterJoinCondition",
     "SELECT k.id, z.opis FROM k, z WHERE z.dan (+) = k.datumv + 1 ORDER BY k.id",
     {{"1", "naslednji"}, {"2", "NULL"}, {"3", "NULL"}, {"4", "NULL"}},
     {"CREATE TABLE z (dan DATE COLLATE DATUM, opis VARCHAR2(20))",
      "INSERT INTO z VALUES ('06.03.2024', 'naslednji')"}},
    {"InSubquery", "SELECT id FROM k WHERE datumv = (SELECT MAX(zapad) - 366 FROM k)", {{"2"}}},
};
INSTANTIATE_TEST_SUITE_P(InClauses, DateArithmetic, testing::ValuesIn(kInClauses));

const QueryCase kNumbers[] = {
    {"IntegersStayIntegers",
     "SELECT id + 1, typeof(id + 1), typeof(id - 1), n + 1, typeof(n + 1) FROM k WHERE id = 2",
     {{"3", "integer", "integer", "1.5", "real"}}},
    {"OverflowBecomesReal",
     "SELECT id + 9223372036854775807, typeof(id + 9223372036854775807) FROM k WHERE id = 1",
     {{"9.22337203685478e+18", "real"}}},
    {"NumberTexts", "SELECT s + 1, s - 0.5, ' 7 ' + id FROM k WHERE id = 2", {{"13", "11.5", "9"}}},
    {"LeftToRight",
     "SELECT n - 1 - 1, 10 - n - 3, n - (1 - 1) FROM k WHERE id = 1",
     {{"0", "5", "2"}}},
    {"ProductsBindTighter",
     "SELECT 2 + n * 3, 10 - n * 2 - 1, n * 3 - 1, 1 - n / 4 FROM k WHERE id = 1",
     {{"8", "5", "5", "0.5"}}},
    {"UnarySigns",
     "SELECT -n + 3, 3 - -n, -(n - 1), +n - 1, n - -1 FROM k WHERE id = 1",
     {{"1", "5", "-1", "1", "3"}}},
    {"NegativeLiterals", "SELECT id FROM k WHERE n > -1 AND n < 1", {{"2"}}},
    {"NullOperand",
     "SELECT n + NULL, NULL - 1, n + 1 FROM k WHERE id = 3",
     {{"NULL", "NULL", "NULL"}}},
    // + - and || bind alike: '1' || n + 1 is ('1' || 2) + 1.
    {"WithConcatenation",
     "SELECT n + 1 || 'x', '1' || n + 1, datumv + 1 || '!' FROM k WHERE id = 1",
     {{"3x", "13", "06.03.2024!"}}},
    {"ConstantsOnly", "SELECT 1 + 2 - 3, -1 - 1, 2 * 3 + 1 FROM dual", {{"0", "-2", "7"}}},
    {"UpdateSetsASum",
     "SELECT n FROM k WHERE id = 1",
     {{"3"}},
     {"UPDATE k SET n = n + 1 WHERE id = 1"}},
    {"BindVariable", "SELECT COUNT(*) FROM k WHERE id + 0 = 1 + 0", {{"1"}}},
};
INSTANTIATE_TEST_SUITE_P(Numbers, DateArithmetic, testing::ValuesIn(kNumbers));

class DateArithmeticErrors : public testing::TestWithParam<QueryErrorCase> {};

TEST_P(DateArithmeticErrors, RaiseTheBankDatabaseError) {
    expectError(kPostings, GetParam());
}

const QueryErrorCase kErrors[] = {
    {"DatePlusDate", "SELECT datumv + zapad FROM k WHERE id = 1", "ORA-00975"},
    {"NumberMinusDate", "SELECT 1 - datumv FROM k WHERE id = 1", "ORA-00932"},
    {"TextIsNoNumber", "SELECT s + 1 FROM k WHERE id = 1", "ORA-01722"},
    {"TextIsNoNumberOnTheRight", "SELECT n - s FROM k WHERE id = 4", "ORA-01722"},
    {"ConcatenationFirst", "SELECT 'a' || n + 1 FROM k WHERE id = 1", "ORA-01722"},
    {"ImpossibleDay", "SELECT '30.02.2024' + 1 FROM dual", "ORA-01847"},
    {"BeyondYear9999", "SELECT '31.12.9999' + 1 FROM dual", "ORA-01841"},
};
INSTANTIATE_TEST_SUITE_P(Errors, DateArithmeticErrors, testing::ValuesIn(kErrors));

// Sums of number literals alone stay as SQLite computes them; a column or a text makes a call.
TEST(DateArithmeticTranslation, CallsOnlyWhereNeeded) {
    const struct {
        const char* bank;
        bool calls;
    } cases[] = {
        {"SELECT 1 + 2 - 3 FROM dual", false},     {"SELECT a FROM t WHERE b > -1", false},
        {"SELECT (1 + 2) * 3 FROM dual", false},   {"SELECT a + 1 FROM t", true},
        {"SELECT '1.1.2024' - 1 FROM dual", true}, {"SELECT :a + 1 FROM dual", true},
    };
    for (const auto& c : cases) {
        const std::string sql = translateStatement(c.bank).sql;
        const bool calls =
            sql.find("orv_plus") != std::string::npos || sql.find("orv_minus") != std::string::npos;
        EXPECT_EQ(calls, c.calls) << c.bank << " -> " << sql;
    }
}

TEST(DateArithmeticTranslation, SharedLiteralsKeepTheRows) {
    DialectDatabase db;
    for (const std::string& statement : kPostings)
        db.execute(statement);
    const char* const statements[] = {
        "SELECT id FROM k WHERE datumv + 30 > '1.4.2024' AND n - 1 >= 0.5",
        "SELECT id, zapad - datumv FROM k WHERE zapad - datumv BETWEEN 1 AND 400 ORDER BY id",
    };
    for (const char* statement : statements) {
        const Rows plain = db.query(statement);
        EXPECT_FALSE(plain.empty()) << statement;
        EXPECT_EQ(db.query(statement, {}, true), plain) << translateStatement(statement, true).sql;
    }
}

TEST(DateArithmeticTranslation, BindVariablesAreNumbersOrDates) {
    DialectDatabase db;
    for (const std::string& statement : kPostings)
        db.execute(statement);
    EXPECT_EQ(db.query("SELECT :DAN + 1, :N + 1 FROM dual", {{"DAN", "31.12.2024"}, {"N", "2"}}),
              (Rows{{"01.01.2025", "3"}}));
}

} // namespace
} // namespace orv::sqlite::test
