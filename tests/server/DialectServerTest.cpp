// The dialect suite's cases on a PostgreSQL server: the same statements and rows as on the
// embedded bank, translated by the server backend.

#include "db/DatabaseError.h"
#include "db/odbc/OdbcConnection.h"
#include "db/odbc/PostgresDialect.h"
#include "dialect/DialectCaseList.h"
#include "server/ServerRows.h"
#include "support/PostgresServer.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

constexpr const char* kDatabase = "orv_dialect";

class ServerDialectCases : public testing::TestWithParam<DialectCase> {
protected:
    static void SetUpTestSuite() {
        if (PostgresServer::shared().available())
            PostgresServer::shared().createDatabase(kDatabase);
    }

    void SetUp() override {
        ORV_REQUIRE_POSTGRES();
        if (GetParam().embeddedOnly) GTEST_SKIP() << "checks the embedded bank's own functions";
        if (GetParam().serverGap) GTEST_SKIP() << GetParam().serverGap;
        connection = std::make_unique<odbc::OdbcConnection>(
            PostgresServer::shared().connectionString(kDatabase), PostgresServer::kAdmin,
            PostgresServer::kAdminPassword);
        connection->execute("DROP TABLE IF EXISTS t, c", {});
        for (const std::string& statement : dialectCaseTable())
            connection->execute(statement, {});
        connection->commit();
    }

    CaseRows query(const std::string& sql) { return caseRows(*connection, sql); }

    std::unique_ptr<odbc::OdbcConnection> connection;
};

TEST_P(ServerDialectCases, ReturnsTheBankDatabaseRows) {
    const DialectCase& c = GetParam();
    try {
        for (const std::string& statement : c.setup)
            connection->execute(statement, {});
        EXPECT_EQ(query(c.sql), c.expected) << odbc::translateForPostgres(c.sql).sql;
    } catch (const DatabaseError& error) {
        ADD_FAILURE() << error.what() << "\n" << odbc::translateForPostgres(c.sql).sql;
    }
    connection->rollback();
}

INSTANTIATE_TEST_SUITE_P(EmptyText, ServerDialectCases, testing::ValuesIn(dialectCasesEmptyText()));
INSTANTIATE_TEST_SUITE_P(Concatenation, ServerDialectCases,
                         testing::ValuesIn(dialectCasesConcatenation()));
INSTANTIATE_TEST_SUITE_P(Division, ServerDialectCases, testing::ValuesIn(dialectCasesDivision()));
INSTANTIATE_TEST_SUITE_P(Ordering, ServerDialectCases, testing::ValuesIn(dialectCasesOrdering()));
INSTANTIATE_TEST_SUITE_P(Functions, ServerDialectCases, testing::ValuesIn(dialectCasesFunctions()));
INSTANTIATE_TEST_SUITE_P(Tables, ServerDialectCases, testing::ValuesIn(dialectCasesTables()));
INSTANTIATE_TEST_SUITE_P(Dates, ServerDialectCases, testing::ValuesIn(dialectCasesDates()));

} // namespace
} // namespace orv::test
