// ROWNUM: the rows of a query block numbered 1, 2, 3, ... as the block produces them, after its
// WHERE and before its GROUP BY and ORDER BY; a comparison of ROWNUM with a number in the WHERE
// keeps the rows the bank's database keeps.

#include "CaseTables.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

// In the join of t and c on g, the rows of t with g = 1 appear twice.
const std::vector<std::string> kTables = {
    "CREATE TABLE t (id NUMBER, g NUMBER, amount NUMBER)",
    "INSERT INTO t VALUES (1, 1, 10)",
    "INSERT INTO t VALUES (2, 1, 20)",
    "INSERT INTO t VALUES (3, 2, 30)",
    "INSERT INTO t VALUES (4, 3, 40)",
    "INSERT INTO t VALUES (5, 0, 50)",
    "CREATE TABLE c (g NUMBER, name VARCHAR2(10))",
    "INSERT INTO c VALUES (1, 'a')",
    "INSERT INTO c VALUES (1, 'b')",
    "INSERT INTO c VALUES (2, 'c')",
    "INSERT INTO c VALUES (3, 'd')",
};

class Rownum : public testing::TestWithParam<QueryCase> {};

TEST_P(Rownum, ReturnsTheBankDatabaseRows) {
    expectRows(kTables, GetParam());
}

const QueryCase kNumbering[] = {
    {"FromOneAfterTheWhere",
     "SELECT ROWNUM, id FROM t WHERE id > 2",
     {{"1", "3"}, {"2", "4"}, {"3", "5"}}},
    {"BeforeTheOrderBy",
     "SELECT ROWNUM r, id FROM t WHERE amount >= 30 ORDER BY id DESC",
     {{"3", "5"}, {"2", "4"}, {"1", "3"}}},
    {"InsideExpressions",
     "SELECT NVL(ROWNUM, 0) * 10 + 1, CASE WHEN ROWNUM > 1 THEN 'naprej' ELSE 'prva' END FROM t "
     "WHERE id <= 2",
     {{"11", "prva"}, {"21", "naprej"}}},
    {"EveryRowOfAJoinThatRepeatsRows",
     "SELECT COUNT(*), COUNT(DISTINCT ROWNUM), MIN(ROWNUM), MAX(ROWNUM) FROM t, c "
     "WHERE t.g = c.g",
     {{"6", "6", "1", "6"}}},
    {"JoinRowsOneToN",
     "SELECT r FROM (SELECT ROWNUM r FROM t JOIN c ON (t.g = c.g)) ORDER BY r",
     {{"1"}, {"2"}, {"3"}, {"4"}, {"5"}, {"6"}}},
    {"OuterJoinedRowsToo", "SELECT COUNT(DISTINCT ROWNUM) FROM t, c WHERE t.g = c.g (+)", {{"7"}}},
    {"OnceForASubqueryJoinedToATable",
     "SELECT COUNT(*), COUNT(DISTINCT s.r), MAX(s.r) FROM c, (SELECT ROWNUM r FROM t) s",
     {{"20", "5", "5"}}},
    {"BeforeTheWhereAroundTheBlock",
     "SELECT r, id FROM (SELECT ROWNUM r, id FROM t) WHERE id > 2",
     {{"3", "3"}, {"4", "4"}, {"5", "5"}}},
    {"AfreshForEachRunOfACorrelatedSubquery",
     "SELECT id, (SELECT MAX(ROWNUM) FROM c WHERE c.g = t.g) FROM t ORDER BY id",
     {{"1", "2"}, {"2", "2"}, {"3", "1"}, {"4", "1"}, {"5", "NULL"}}},
    {"OneForDual", "SELECT ROWNUM FROM dual", {{"1"}}},
};
INSTANTIATE_TEST_SUITE_P(Numbering, Rownum, testing::ValuesIn(kNumbering));

// Grouped by ROWNUM, each row of the join forms a group of its own, and the select list shows the
// number it was grouped by. Where a grouping term mixes ROWNUM with other values, the numbers are
// negative, so that they never meet a real key in the same grouping column.
const QueryCase kGrouping[] = {
    {"EachJoinRowAGroupOfItsOwn",
     "SELECT SUM(t.amount), COUNT(*) FROM t, c WHERE t.g = c.g "
     "GROUP BY t.g, CASE WHEN t.id = 1 THEN 0 ELSE ROWNUM END ORDER BY 1, 2",
     {{"20", "1"}, {"20", "1"}, {"20", "2"}, {"30", "1"}, {"40", "1"}}},
    {"SelectListShowsTheGroupedNumber",
     "SELECT MIN(k), MAX(k), COUNT(*) FROM (SELECT CASE WHEN t.id = 1 THEN 0 ELSE ROWNUM END k "
     "FROM t, c WHERE t.g = c.g GROUP BY CASE WHEN t.id = 1 THEN 0 ELSE ROWNUM END)",
     {{"-6", "0", "5"}}},
    {"ByRownumAlone",
     "SELECT ROWNUM, COUNT(*) FROM t WHERE id <= 3 GROUP BY ROWNUM ORDER BY 1",
     {{"1", "1"}, {"2", "1"}, {"3", "1"}}},
    {"NegativeBesideOtherValues",
     "SELECT NVL(ROWNUM, id) k, COUNT(*) FROM t WHERE id <= 3 GROUP BY NVL(ROWNUM, id) "
     "ORDER BY 1",
     {{"-3", "1"}, {"-2", "1"}, {"-1", "1"}}},
    {"NeverTheGroupOfARealKey",
     "SELECT SUM(amount) FROM t GROUP BY CASE WHEN id = 4 THEN 1 ELSE ROWNUM END ORDER BY 1",
     {{"10"}, {"20"}, {"30"}, {"40"}, {"50"}}},
};
INSTANTIATE_TEST_SUITE_P(Grouping, Rownum, testing::ValuesIn(kGrouping));

const QueryCase kConditions[] = {
    {"AtMost", "SELECT id FROM t WHERE ROWNUM <= 2", {{"1"}, {"2"}}},
    {"Below", "SELECT id FROM t WHERE ROWNUM < 3", {{"1"}, {"2"}}},
    {"NumberFirst", "SELECT id FROM t WHERE 2.5 >= ROWNUM", {{"1"}, {"2"}}},
    {"EqualsOne", "SELECT id FROM t WHERE id > 1 AND ROWNUM = 1", {{"2"}}},
    {"EqualsTwoNever", "SELECT id FROM t WHERE ROWNUM = 2", {}},
    {"AboveOneNever", "SELECT id FROM t WHERE ROWNUM > 1", {}},
    {"AtLeastOneAlways", "SELECT id FROM t WHERE ROWNUM >= 1 AND id > 3", {{"4"}, {"5"}}},
    {"NotThreeStopsAtThree", "SELECT id FROM t WHERE ROWNUM <> 3", {{"1"}, {"2"}}},
    {"ZeroRows", "SELECT id FROM t WHERE ROWNUM <= 0", {}},
    {"BeforeTheOrderBy", "SELECT id FROM t WHERE ROWNUM <= 2 ORDER BY id DESC", {{"2"}, {"1"}}},
    {"BeforeAnAggregate", "SELECT COUNT(*), SUM(amount) FROM t WHERE ROWNUM <= 3", {{"3", "60"}}},
    {"BeforeTheGroupBy",
     "SELECT g, COUNT(*) FROM t WHERE ROWNUM <= 3 GROUP BY g ORDER BY g",
     {{"1", "2"}, {"2", "1"}}},
    {"BeforeDistinct", "SELECT DISTINCT g FROM t WHERE ROWNUM <= 2", {{"1"}}},
    {"InAJoinThatRepeatsRows",
     "SELECT COUNT(*) FROM t, c WHERE t.g = c.g AND ROWNUM <= 4",
     {{"4"}}},
    {"InEachBranchOfAUnion",
     "SELECT id FROM t WHERE ROWNUM = 1 UNION ALL SELECT id FROM t WHERE id > 3 AND ROWNUM <= 1",
     {{"1"}, {"4"}}},
    {"InASubquery",
     "SELECT id FROM t WHERE g = (SELECT g FROM c WHERE name > 'a' AND ROWNUM = 1)",
     {{"1"}, {"2"}}},
    {"AllColumnsAndNoMore",
     "SELECT * FROM t WHERE ROWNUM <= 2 ORDER BY id DESC",
     {{"2", "1", "20"}, {"1", "1", "10"}}},
    {"WithTheNumberShown",
     "SELECT ROWNUM, id FROM t WHERE id >= 2 AND ROWNUM <= 2",
     {{"1", "2"}, {"2", "3"}}},
};
INSTANTIATE_TEST_SUITE_P(Conditions, Rownum, testing::ValuesIn(kConditions));

// ROWID in a block that reads ROWNUM is still the rowid of the block's table (here equal to id).
const QueryCase kRowid[] = {
    {"BesideTheNumber",
     "SELECT ROWNUM, ROWID, id FROM t WHERE id > 3",
     {{"1", "4", "4"}, {"2", "5", "5"}}},
    {"InTheWhere", "SELECT ROWNUM, id FROM t WHERE ROWID >= 4", {{"1", "4"}, {"2", "5"}}},
    {"ThroughTheTableAlias",
     "SELECT ROWNUM, x.ROWID FROM t x WHERE x.amount > 20 AND ROWID < 5",
     {{"1", "3"}, {"2", "4"}}},
    {"InTheOrderByOfTheGroups",
     "SELECT MAX(ROWNUM) - MIN(ROWNUM), g FROM t GROUP BY g ORDER BY MAX(ROWID) DESC",
     {{"0", "0"}, {"0", "3"}, {"0", "2"}, {"1", "1"}}},
    {"InsideExpressions",
     "SELECT NVL(ROWID, 0) * 10 + ROWNUM FROM t WHERE id IN (2, 5)",
     {{"21"}, {"52"}}},
    {"OfASubqueryThatNumbersItsRows",
     "SELECT id FROM t WHERE ROWID = (SELECT ROWID - ROWNUM FROM t WHERE id = 4)",
     {{"3"}}},
};
INSTANTIATE_TEST_SUITE_P(Rowid, Rownum, testing::ValuesIn(kRowid));

TEST(RownumRowid, DeletesTheRowsItNames) {
    DialectDatabase db;
    for (const std::string& statement : kTables)
        db.execute(statement);
    db.execute("DELETE FROM t WHERE ROWID IN (SELECT ROWID FROM t WHERE g = 1 AND ROWNUM = 1 "
               "ORDER BY id)");
    EXPECT_EQ(db.query("SELECT id FROM t ORDER BY id"), (Rows{{"2"}, {"3"}, {"4"}, {"5"}}));
}

TEST(RownumVariable, ComparedWithABoundVariable) {
    DialectDatabase db;
    for (const std::string& statement : kTables)
        db.execute(statement);
    EXPECT_EQ(db.query("SELECT id FROM t WHERE ROWNUM <= :N ORDER BY id DESC", {{"N", "2"}}),
              (Rows{{"2"}, {"1"}}));
}

TEST(RownumLiterals, SharedLiteralsLeaveTheRowsAsTheyAre) {
    DialectDatabase db;
    for (const std::string& statement : kTables)
        db.execute(statement);
    for (const char* sql : {"SELECT id FROM t WHERE id > 1 AND ROWNUM <= 2",
                            "SELECT COUNT(*) FROM t, c WHERE t.g = c.g AND ROWNUM < 4",
                            "SELECT SUM(amount) FROM t WHERE id > 1 GROUP BY ROWNUM ORDER BY 1"})
        EXPECT_EQ(db.query(sql, {}, true), db.query(sql)) << sql;
}

const QueryErrorCase kErrors[] = {
    {"OutsideAQuery", "UPDATE t SET amount = ROWNUM", "ORA-00904"},
};

class RownumErrors : public testing::TestWithParam<QueryErrorCase> {};

TEST_P(RownumErrors, RaiseTheBankDatabaseError) {
    expectError(kTables, GetParam());
}
INSTANTIATE_TEST_SUITE_P(Errors, RownumErrors, testing::ValuesIn(kErrors));

} // namespace
} // namespace orv::sqlite::test
