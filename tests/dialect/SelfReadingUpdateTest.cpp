// An UPDATE that reads its own table runs in two passes and still behaves as one statement: the
// count of changed rows and an error part-way leave the caller nothing new to learn.

#include "DialectHarness.h"

#include "db/DatabaseError.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

class SelfReadingUpdate : public testing::Test {
protected:
    DialectDatabase db;
    void SetUp() override {
        db.execute("CREATE TABLE t (id NUMBER, n NUMBER, d DATE COLLATE DATUM "
                   "CHECK (orv_check_date(d)))");
        for (const char* row : {"(1, 10, '31.01.2024')", "(2, 20, '29.02.2024')", "(3, NULL, NULL)",
                                "(4, 40, '30.04.2024')"})
            db.execute(std::string("INSERT INTO t VALUES ") + row);
    }
};

TEST_F(SelfReadingUpdate, CountsTheRowsItChanges) {
    db.execute("UPDATE t p SET n = (SELECT SUM(n) FROM t WHERE t.id < p.id) WHERE p.n IS NOT NULL");
    EXPECT_EQ(sqlite3_changes(db.handle()), 3);
    EXPECT_EQ(db.query("SELECT n FROM t ORDER BY id"), (Rows{{"NULL"}, {"10"}, {"NULL"}, {"30"}}));
}

// The third row's new date is no date: the statement fails and changes no row, also not the
// rows before it.
TEST_F(SelfReadingUpdate, AFailingRowLeavesTheTableAsItWas) {
    const Rows before = db.query("SELECT id, n, d FROM t ORDER BY id");
    EXPECT_THROW(db.execute("UPDATE t p SET n = 0, d = (SELECT CASE WHEN p.id = 4 THEN "
                            "'31.04.2024' ELSE MAX(d) END FROM t WHERE t.id < p.id)"),
                 DatabaseError);
    EXPECT_EQ(db.query("SELECT id, n, d FROM t ORDER BY id"), before);
}

TEST_F(SelfReadingUpdate, BareRowidIsTheTargetRow) {
    db.execute("UPDATE t SET n = -1 WHERE ROWID NOT IN (SELECT MAX(ROWID) FROM t WHERE n > 0)");
    EXPECT_EQ(db.query("SELECT n FROM t ORDER BY id"), (Rows{{"-1"}, {"-1"}, {"-1"}, {"40"}}));
}

// Statements that do not read their own table are left as SQLite writes them in one pass.
TEST(SelfReadingUpdateTranslation, OnlyStatementsThatReadTheirTableTakeTwoPasses) {
    struct Case {
        const char* sql;
        bool twoPasses;
    };
    const Case cases[] = {
        {"UPDATE t p SET n = (SELECT MAX(n) FROM t WHERE t.id <> p.id)", true},
        {"UPDATE t SET n = 1 WHERE id IN (SELECT MAX(id) FROM skup.t)", true},
        {"UPDATE t SET n = (SELECT c.m FROM c WHERE c.id = t.id)", false},
        {"UPDATE t SET n = 0 WHERE id = 3", false},
        {"DELETE FROM t p WHERE p.n > (SELECT MIN(n) FROM t)", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(translateStatement(c.sql).sql.find("orv_before") != std::string::npos,
                  c.twoPasses)
            << c.sql;
}

} // namespace
} // namespace orv::sqlite::test
