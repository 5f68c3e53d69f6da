// Constructs of the bank database's dialect, each run on a small table, checked against the rows
// the bank's database returns.

#include "DialectCaseList.h"
#include "DialectHarness.h"

#include "db/DatabaseError.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

class DialectCases : public testing::TestWithParam<orv::test::DialectCase> {};

TEST_P(DialectCases, ReturnsTheBankDatabaseRows) {
    DialectDatabase db;
    for (const std::string& statement : orv::test::dialectCaseTable())
        db.execute(statement);
    for (const std::string& statement : GetParam().setup)
        db.execute(statement);
    EXPECT_EQ(db.query(GetParam().sql), GetParam().expected)
        << translateStatement(GetParam().sql).sql;
}

INSTANTIATE_TEST_SUITE_P(EmptyText, DialectCases,
                         testing::ValuesIn(orv::test::dialectCasesEmptyText()));
INSTANTIATE_TEST_SUITE_P(Concatenation, DialectCases,
                         testing::ValuesIn(orv::test::dialectCasesConcatenation()));
INSTANTIATE_TEST_SUITE_P(Division, DialectCases,
                         testing::ValuesIn(orv::test::dialectCasesDivision()));
INSTANTIATE_TEST_SUITE_P(Ordering, DialectCases,
                         testing::ValuesIn(orv::test::dialectCasesOrdering()));
INSTANTIATE_TEST_SUITE_P(Functions, DialectCases,
                         testing::ValuesIn(orv::test::dialectCasesFunctions()));
INSTANTIATE_TEST_SUITE_P(Tables, DialectCases, testing::ValuesIn(orv::test::dialectCasesTables()));
INSTANTIATE_TEST_SUITE_P(Dates, DialectCases, testing::ValuesIn(orv::test::dialectCasesDates()));

struct ErrorCase {
    const char* name;
    std::string sql;
    std::string error;
    std::vector<std::string> setup = {};
};

void PrintTo(const ErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class DialectErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(DialectErrors, RaiseTheBankDatabaseError) {
    DialectDatabase db;
    for (const std::string& statement : orv::test::dialectCaseTable())
        db.execute(statement);
    for (const std::string& statement : GetParam().setup)
        db.execute(statement);
    try {
        db.query(GetParam().sql);
        FAIL() << "no error";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().error), std::string::npos)
            << error.what();
    }
}

const std::vector<std::string> kCheckedTable = {
    "CREATE TABLE c (n NUMBER CHECK (orv_check_number(n)), "
    "d DATE COLLATE DATUM CHECK (orv_check_date(d)))"};

const ErrorCase kErrors[] = {
    {"UnterminatedString", "SELECT 'abc FROM dual", "ORA-01756"},
    {"UnterminatedName", "SELECT \"abc FROM dual", "ORA-01740"},
    {"MissingRightParenthesis", "SELECT (1 FROM dual", "ORA-00907"},
    {"ExtraRightParenthesis", "SELECT 1) FROM dual", "ORA-00933"},
    {"UnterminatedComment", "SELECT /* x FROM dual", "ORA-01742"},
    {"CaseWithoutEnd", "SELECT CASE WHEN 1 = 1 THEN 1 FROM dual", "ORA-00905"},
    {"DivisionByZeroLiteral", "SELECT 1/0 FROM dual", "ORA-01476"},
    {"DivisionByZeroColumn", "SELECT 1/n FROM t WHERE id = 1", "ORA-01476"},
    {"DayOutOfMonth", "SELECT ADD_MONTHS('31.02.2024', 1) FROM dual", "ORA-01847"},
    {"NotADate", "SELECT LAST_DAY('abc') FROM dual", "ORA-01858"},
    {"MonthOutOfRange", "SELECT orv_check_date('1.13.2024') FROM dual", "ORA-01843"},
    {"NotANumber", "SELECT ABS('x1') FROM dual", "ORA-01722"},
    {"ZeroOccurrence", "SELECT INSTR('abc', 'b', 1, 0) FROM dual", "ORA-01428"},
    {"TextInNumberColumn", "INSERT INTO c (n) VALUES ('12a')", "ORA-01722", kCheckedTable},
    {"InvalidDateInDateColumn", "INSERT INTO c (d) VALUES ('30.02.2024')", "ORA-01847",
     kCheckedTable},
    {"WordInDateColumn", "INSERT INTO c (d) VALUES ('danes')", "ORA-01858", kCheckedTable},
};
INSTANTIATE_TEST_SUITE_P(Errors, DialectErrors, testing::ValuesIn(kErrors));

} // namespace
} // namespace orv::sqlite::test
