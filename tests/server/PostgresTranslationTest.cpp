// The server backend's reading of statements, without a server: named variables as ODBC
// markers, and the names of result columns as the embedded bank gives them.

#include "db/DatabaseError.h"
#include "db/odbc/PostgresDialect.h"
#include "db/odbc/ResultColumnNames.h"
#include "db/odbc/ServerErrors.h"

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
    EXPECT_EQ(resultColumnNames("WITH x AS (SELECT a FROM t), y (b) AS (SELECT 1 FROM dual) "
                                "SELECT COUNT(*), SUM(a) s FROM x"),
              (std::vector<std::string>{"COUNT(*)", "S"}));
    // A '*' over a join keeps the server's names.
    EXPECT_EQ(resultColumnNames("SELECT * FROM (SELECT a FROM t) x, u"),
              (std::vector<std::string>{"*"}));
}

// The server's failures in the bank database's words: date texts by the embedded bank's own
// reading of them, calls the server has no function for by the kind of argument at fault.
TEST(ServerErrors, AreReportedInTheBankDatabaseWords) {
    struct Case {
        const char* state;
        const char* serverText;
        const char* expected;
    };
    const Case cases[] = {
        {"P0001", "ERROR: ORA-01843: not a valid month", "ORA-01843: not a valid month"},
        {"22008", "ERROR: date/time field value out of range: \"05.13.2024\"",
         "ORA-01843: not a valid month"},
        {"22008", "ERROR: date/time field value out of range: \"31.02.2024\"",
         "ORA-01847: day of month must be between 1 and last day of month"},
        {"22007", "ERROR: invalid input syntax for type date: \"x\"",
         "ORA-01858: a non-numeric character was found where a numeric was expected"},
        {"42883", "ERROR: function months_between(pg_catalog.date, integer) does not exist",
         "ORA-00932: inconsistent datatypes: expected DATE got NUMBER"},
        {"42883", "ERROR: function add_months(pg_catalog.date, numeric) does not exist",
         "ERROR: function add_months(pg_catalog.date, numeric) does not exist"},
        {"42883", "ERROR: function to_number(pg_catalog.date) does not exist",
         "ORA-01722: invalid number"},
        {"42883", "ERROR: operator does not exist: pg_catalog.date * integer",
         "ORA-00932: inconsistent datatypes: expected NUMBER got DATE"},
        {"22023", "ERROR: invalid value for round/trunc format string",
         "ORA-01821: date format not recognized"},
        {"22012", "ERROR: division by zero", "ORA-01476: divisor is equal to zero"},
        {"42703", "ERROR: column \"nicesar\" does not exist",
         "ORA-00904: \"NICESAR\": invalid identifier"},
        {"42703", "ERROR: column t.x does not exist", "ORA-00904: \"T\".\"X\": invalid identifier"},
        {"42883", "ERROR: function foo(integer) does not exist",
         "ORA-00904: \"FOO\": invalid identifier"},
        {"42883", "ERROR: function substr(unknown) does not exist",
         "ORA-00909: invalid number of arguments"},
        {"23502",
         "ERROR: null value in column \"id\" of relation \"t\" violates not-null constraint",
         "ORA-01400: cannot insert NULL into (\"T\".\"ID\")"},
        {"23505", "ERROR: duplicate key value violates unique constraint \"t_pkey\"",
         "ORA-00001: unique constraint violated"},
        {"XX000", "ERROR: something else", "ERROR: something else"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bankErrorText(c.state, c.serverText), c.expected) << c.serverText;
}

} // namespace
} // namespace orv::odbc
