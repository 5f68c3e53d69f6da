// Literals turned into parameters must leave every statement's rows as they are, and statements
// that differ only in their literals must share one text.

#include "DialectHarness.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

const std::vector<std::string> kTable = {
    "CREATE TABLE t (id NUMBER, s VARCHAR2(20), n NUMBER, d DATE COLLATE DATUM)",
    "INSERT INTO t VALUES (1, 'ABC', 0, '05.03.2024')",
    "INSERT INTO t VALUES (2, 'abc', 4.5, '01.01.2007')",
    "INSERT INTO t VALUES (3, NULL, NULL, NULL)",
    "INSERT INTO t VALUES (4, 'x', 2, '31.12.2006')",
    "INSERT INTO t VALUES (5, 'ab', -1, '10.03.2024')",
};

const char* const kStatements[] = {
    "SELECT id FROM t WHERE d >= '1.1.2007' AND d <= '05.03.2024' ORDER BY d",
    "SELECT id, 'konst' k, 7 FROM t WHERE s LIKE 'ab%' ORDER BY 1",
    "SELECT s, COUNT(*), 'x' FROM t WHERE n > -1 GROUP BY s HAVING COUNT(*) >= 1 ORDER BY 1 DESC",
    "SELECT ' ' a, ' ' b FROM dual UNION SELECT s, TO_CHAR(n) FROM t WHERE id IN (1, '2', 3) "
    "ORDER BY 2",
    "SELECT id, ROUND(n / 3, 2), SUBSTR(s, 2, 1), DECODE(n, 0, 'nič', 2, 'dve', 'drugo') FROM t "
    "WHERE n <> 4.5 ORDER BY id",
    "SELECT id FROM t WHERE d > ADD_MONTHS(LAST_DAY('5.3.2024'), -1) AND d <= LAST_DAY('5.3.2024')",
    "SELECT id, CASE WHEN n > 1 THEN 'velik' ELSE 'majhen' END FROM t WHERE s || '-' = 'x-'",
    "SELECT TO_CHAR(d, 'DD.MM.YYYY'), EXTRACT(YEAR FROM d) FROM t WHERE id = 1",
    "SELECT SUM(n) FROM t WHERE id IN (SELECT id FROM t WHERE n < 3 AND s <> 'zz')",
    "SELECT id FROM t WHERE n * 2 = 9",
    "SELECT CASE WHEN idx = 0 THEN 1 ELSE -idx END FROM (SELECT id idx FROM t WHERE id = 2)",
};

TEST(LiteralSharing, LeavesTheRowsAsTheyAre) {
    DialectDatabase db;
    for (const std::string& statement : kTable)
        db.execute(statement);
    for (const char* statement : kStatements) {
        const Rows plain = db.query(statement);
        EXPECT_FALSE(plain.empty()) << statement;
        EXPECT_EQ(db.query(statement, {}, true), plain) << statement << "\n"
                                                        << translateStatement(statement, true).sql;
    }
}

TEST(LiteralSharing, StatementsDifferingInLiteralsShareOneText) {
    const TranslatedStatement a = translateStatement(
        "DELETE FROM pod_orvel p WHERE p.dat_otvoritve <= '01.02.2024' AND p.id_konto='64.190' "
        "AND p.znesek > 0.5 AND p.idpog = 12");
    const TranslatedStatement shared1 = translateStatement(
        "DELETE FROM pod_orvel p WHERE p.dat_otvoritve <= '01.02.2024' AND p.id_konto='64.190' "
        "AND p.znesek > 0.5 AND p.idpog = 12",
        true);
    const TranslatedStatement shared2 = translateStatement(
        "DELETE FROM pod_orvel p WHERE p.dat_otvoritve <= '15.03.2024' AND p.id_konto='38.100' "
        "AND p.znesek > 1 AND p.idpog = 7",
        true);
    EXPECT_NE(a.sql, shared1.sql);
    EXPECT_EQ(shared1.sql, shared2.sql);
    ASSERT_EQ(shared2.literals.size(), 4u);
    EXPECT_EQ(shared2.literals[0].kind, SharedLiteral::Kind::Text);
    EXPECT_EQ(shared2.literals[0].text, "15.03.2024");
    EXPECT_EQ(shared2.literals[2].kind, SharedLiteral::Kind::Integer);
    EXPECT_EQ(shared2.literals[2].integer, 1);
    EXPECT_EQ(shared1.literals[2].kind, SharedLiteral::Kind::Real);
    EXPECT_EQ(shared1.literals[2].real, 0.5);
    EXPECT_EQ(shared2.literals[3].integer, 7);
}

// Literals that name a position, a result column, a format or a unit, and definitions, keep
// their text.
TEST(LiteralSharing, KeepsLiteralsThatShapeTheStatement) {
    const struct {
        const char* bank;
        const char* kept;
    } cases[] = {
        {"SELECT a FROM t ORDER BY 1", "ORDER BY 1"},
        {"SELECT a, 'x' FROM t WHERE b = 1 GROUP BY a, 'x'", "GROUP BY a, 'x'"},
        {"SELECT 'konst' FROM t WHERE b = 1", "SELECT 'konst'"},
        {"SELECT TO_CHAR(d, 'YYYY') FROM t WHERE b = 1", "'YYYY'"},
        {"SELECT EXTRACT(YEAR FROM d) FROM t WHERE b = 1", "'YEAR'"},
        {"CREATE TABLE c (a NUMBER DEFAULT 5)", "DEFAULT 5"},
    };
    for (const auto& c : cases) {
        const TranslatedStatement shared = translateStatement(c.bank, true);
        EXPECT_NE(shared.sql.find(c.kept), std::string::npos) << shared.sql;
    }
}

} // namespace
} // namespace orv::sqlite::test
