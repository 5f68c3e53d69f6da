// The dialect suite's cases on a PostgreSQL server: the same statements and rows as on the
// embedded bank, translated by the server backend.

#include "db/DatabaseError.h"
#include "db/odbc/OdbcConnection.h"
#include "db/odbc/PostgresDialect.h"
#include "dialect/DialectCaseList.h"
#include "support/PostgresServer.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orv::test {
namespace {

constexpr const char* kDatabase = "orv_dialect";

// A value as the dialect cases write it.
std::string caseText(const Value& value) {
    if (value.isNull()) return "NULL";
    if (value.isReal()) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", value.real() == 0.0 ? 0.0 : value.real());
        return buffer;
    }
    return value.toText();
}

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

    CaseRows query(const std::string& sql) {
        const ResultSet result = connection->query(sql, {});
        CaseRows rows;
        std::vector<Value> values;
        for (size_t r = 0; r < result.rows.size(); ++r) {
            result.rows.readRow(r, values);
            CaseRow row;
            for (const Value& value : values)
                row.push_back(caseText(value));
            rows.push_back(std::move(row));
        }
        return rows;
    }

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
