// The header of a query's column: its alias, the column's name, or the expression as the bank's
// database names it (upper case, no blanks, unless quoted), never the text SQLite runs.

#include "DialectHarness.h"

#include "db/sqlite/dialect/ColumnNames.h"

#include <gtest/gtest.h>

#include <memory>

namespace orv::sqlite::test {
namespace {

std::vector<std::string> columnNames(DialectDatabase& db, const std::string& bankSql) {
    const std::string sql = translateStatement(bankSql).sql;
    sqlite3_stmt* raw = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &raw, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db.handle()) << "\n"
        << sql;
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw,
                                                                               &sqlite3_finalize);
    std::vector<std::string> names;
    for (int i = 0; raw && i < sqlite3_column_count(raw); ++i)
        names.emplace_back(sqlite3_column_name(raw, i));
    return names;
}

TEST(ColumnNames, NameEachKindOfSelectItem) {
    DialectDatabase db;
    db.execute("CREATE TABLE t (id NUMBER, x NUMBER, a VARCHAR2(5), b VARCHAR2(5))");
    struct Case {
        const char* sql;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"SELECT NVL(x, 0), a || b, count(*) FROM t", {"NVL(X,0)", "A||B", "COUNT(*)"}},
        {"select sum(t.x) / 100, 'a b' || t.a, '' FROM t", {"SUM(T.X)/100", "'AB'||T.A", "''"}},
        {"SELECT x, t.a, x AS n, t.b b2, NVL(x, 0) \"Znesek\", DECODE(a, 'x', 1) d FROM t",
         {"X", "A", "N", "B2", "Znesek", "D"}},
        {"SELECT DISTINCT CASE WHEN x > 0 THEN 'plus' END, upper('č') FROM t",
         {"CASEWHENX>0THEN'PLUS'END", "UPPER('Č')"}},
        {"SELECT ROWNUM, x + 1 FROM t WHERE ROWNUM <= 2", {"ROWNUM", "X+1"}},
        {"SELECT x + 1 FROM t UNION SELECT x - 1 FROM t", {"X+1"}},
        {"SELECT t.*, x * 2 FROM t", {"id", "x", "a", "b", "X*2"}},
        // A subquery's list names the columns an outer '*' shows, as the bank's database does.
        {"SELECT * FROM (SELECT x, a n, x * 2, \"Q\" FROM (SELECT x, a, 1 \"Q\" FROM t)) "
         "WHERE ROWNUM <= 3",
         {"X", "N", "X*2", "Q"}},
        {"SELECT s.* FROM (SELECT id, NVL(b, a) FROM t) s", {"ID", "NVL(B,A)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(columnNames(db, c.sql), c.names) << c.sql;
}

TEST(ColumnNames, LongExpressionsAreCutAt128BytesOnACharacterBoundary) {
    const std::string name = expressionColumnName("'" + std::string(126, 'a') + "č'");
    EXPECT_EQ(name, "'" + std::string(126, 'A'));
    EXPECT_EQ(expressionColumnName("nvl ( x , 'č' )"), "NVL(X,'Č')");
}

} // namespace
} // namespace orv::sqlite::test
