// The server backend's reading of statements, without a server: named variables as ODBC
// markers, and the names of result columns as the embedded bank gives them.

#include "db/DatabaseError.h"
#include "db/odbc/PostgresDialect.h"
#include "db/odbc/ResultColumnNames.h"

#include <gtest/gtest.h>

namespace orv::odbc {
namespace {

TEST(PostgresTranslation, NamedVariablesBecomeMarkersInOrder) {
    const PostgresStatement native =
        withMarkersOnly("select a from t where x = :SFVP and ':NI' <> y and z = :dan or x = :sfvp");
    EXPECT_EQ(native.sql, "select a from t where x = ? and ':NI' <> y and z = ? or x = ?");
    EXPECT_EQ(native.parameters, (std::vector<std::string>{"SFVP", "DAN", "SFVP"}));
    EXPECT_FALSE(native.changes);
    EXPECT_EQ(native.sourceTable, "t");

    const PostgresStatement server = translateForPostgres("SELECT s FROM t WHERE :S IS NULL");
    EXPECT_EQ(server.sql, "SELECT s FROM t WHERE CAST(? AS text) IS NULL");
    EXPECT_TRUE(translateForPostgres("UPDATE t p SET n = 1").changes);
}

TEST(PostgresTranslation, SourceTableOnlyForOneTable) {
    EXPECT_EQ(translateForPostgres("SELECT POD_ORVEL.*, POD_ORVEL.ROWID FROM POD_ORVEL "
                                   "WHERE DAT_STANJE = '31.12.2024'")
                  .sourceTable,
              "POD_ORVEL");
    EXPECT_EQ(translateForPostgres("select * from skup.MSRP9_SLAB_34_E").sourceTable,
              "skup.MSRP9_SLAB_34_E");
    EXPECT_EQ(translateForPostgres("select * from a, b").sourceTable, "");
    EXPECT_EQ(translateForPostgres("select * from a join b on a.x = b.x").sourceTable, "");
    EXPECT_EQ(translateForPostgres("select x from a union select x from b").sourceTable, "");
}

TEST(PostgresTranslation, RownumConditionsBecomeLimits) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"SELECT id FROM t WHERE ROWNUM <= 3", "SELECT id FROM t LIMIT 3"},
        {"SELECT id FROM t WHERE n > 0 AND ROWNUM < 3", "SELECT id FROM t WHERE n > 0 LIMIT 2"},
        {"SELECT id FROM t WHERE ROWNUM = 1", "SELECT id FROM t LIMIT 1"},
        {"SELECT id FROM t WHERE ROWNUM = 2", "SELECT id FROM t LIMIT 0"},
        {"SELECT id FROM t WHERE 5 >= ROWNUM", "SELECT id FROM t LIMIT 5"},
        {"SELECT id FROM t WHERE ROWNUM > 0", "SELECT id FROM t"},
    };
    for (const auto& [bank, server] : cases)
        EXPECT_EQ(translateForPostgres(bank).sql, server) << bank;
    // The bank's database numbers rows before it groups or counts them; a LIMIT after that
    // would keep the wrong rows, so such a statement is refused rather than answered wrongly.
    for (const char* combined :
         {"SELECT COUNT(*) FROM t WHERE ROWNUM <= 5",
          "SELECT s, COUNT(*) FROM t WHERE ROWNUM <= 1 GROUP BY s",
          "SELECT DISTINCT s FROM t WHERE ROWNUM < 3",
          "SELECT s FROM t WHERE ROWNUM < 3 UNION SELECT MAX(s) FROM u WHERE ROWNUM = 1"})
        EXPECT_THROW(translateForPostgres(combined), DatabaseError) << combined;
}

// Names and aliases in upper case unless quoted; an expression without an alias as the bank's
// database names it, in upper case without blanks (as the embedded bank names it too); a '*' over
// a subquery shows the subquery's names.
TEST(PostgresTranslation, ColumnsAreNamedAsTheStatementWritesThem) {
    EXPECT_EQ(resultColumnNames("select SIF, nzv x, t.KRT, max(d) AS Zadnji, 1+1, ' ' SIF2, "
                                "CASE WHEN a THEN b END, nvl(x, 0) from t"),
              (std::vector<std::string>{"SIF", "X", "KRT", "ZADNJI", "1+1", "SIF2",
                                        "CASEWHENATHENBEND", "NVL(X,0)"}));
    EXPECT_EQ(nameColumns({"", "x"}, {"sif", "x"}), (std::vector<std::string>{"SIF", "x"}));
    // A '*' keeps the server's names in upper case; the ROWID key it brings is dropped.
    EXPECT_EQ(nameColumns({"*", "ROWID"}, {"id", "s", "orv_rowid", "orv_rowid"}),
              (std::vector<std::string>{"ID", "S", "", "ROWID"}));
    EXPECT_EQ(nameColumns({"n", "*"}, {"n", "id", "orv_rowid"}),
              (std::vector<std::string>{"n", "ID", ""}));
    EXPECT_EQ(resultColumnNames("SELECT * FROM (SELECT iddog, dan d2, lot * 2, \"Q\" FROM dog "
                                "ORDER BY dan) WHERE ROWNUM <= 3"),
              (std::vector<std::string>{"IDDOG", "D2", "LOT*2", "Q"}));
    // A '*' over a join keeps the server's names.
    EXPECT_EQ(resultColumnNames("SELECT * FROM (SELECT a FROM t) x, u"),
              (std::vector<std::string>{"*"}));
}

} // namespace
} // namespace orv::odbc
