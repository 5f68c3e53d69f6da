// The dialect suite's table-driven cases (CaseTables.h) run on the PostgreSQL server: the same
// case lists as on the embedded bank, each on a fresh table t of the server.

#include "dialect/CaseTables.h"

#include "db/DatabaseError.h"
#include "db/odbc/OdbcConnection.h"
#include "db/odbc/PostgresDialect.h"
#include "server/ServerRows.h"
#include "support/PostgresServer.h"

#include <gtest/gtest.h>

#include <memory>

namespace orv::sqlite::test {

namespace {

constexpr const char* kDatabase = "orv_cases";

// A connection to a database of its own, made once for the program; every case drops the
// tables it may have made.
std::unique_ptr<odbc::OdbcConnection> freshConnection() {
    static bool created = false;
    orv::test::PostgresServer& server = orv::test::PostgresServer::shared();
    if (!created) server.createDatabase(kDatabase);
    created = true;
    auto connection = std::make_unique<odbc::OdbcConnection>(
        server.connectionString(kDatabase), orv::test::PostgresServer::kAdmin,
        orv::test::PostgresServer::kAdminPassword);
    connection->executeServerText("DROP TABLE IF EXISTS t, c, u");
    connection->commit();
    return connection;
}

// The cases whose rows or error the server does not give yet, by name, and why: functions of the
// console beyond the program's own statements, where orafce or the server differ from the bank's
// database and no rewrite covers the difference. They are skipped and reported, not passed.
const char* serverGap(const std::string& name) {
    struct Gap {
        const char* name;
        const char* reason;
    };
    static constexpr Gap kGaps[] = {
        {"ToNumber", "typeof() is the embedded bank's own function"},
        {"FloorCeilSign", "typeof() is the embedded bank's own function"},
    };
    for (const Gap& gap : kGaps)
        if (name == gap.name) return gap.reason;
    return nullptr;
}

} // namespace

void expectRows(const std::vector<std::string>& setup, const QueryCase& c) {
    if (!orv::test::PostgresServer::shared().available()) GTEST_SKIP() << "no PostgreSQL server";
    if (const char* gap = serverGap(c.name)) GTEST_SKIP() << gap;
    auto connection = freshConnection();
    try {
        for (const std::string& statement : setup)
            connection->execute(statement, {});
        for (const std::string& statement : c.setup)
            connection->execute(statement, {});
        EXPECT_EQ(orv::test::caseRows(*connection, c.sql), c.expected)
            << odbc::translateForPostgres(c.sql).sql;
    } catch (const DatabaseError& error) {
        ADD_FAILURE() << error.what() << "\n" << odbc::translateForPostgres(c.sql).sql;
    }
}

void expectError(const std::vector<std::string>& setup, const QueryErrorCase& c) {
    if (!orv::test::PostgresServer::shared().available()) GTEST_SKIP() << "no PostgreSQL server";
    if (const char* gap = serverGap(c.name)) GTEST_SKIP() << gap;
    auto connection = freshConnection();
    for (const std::string& statement : setup)
        connection->execute(statement, {});
    try {
        const Rows rows = orv::test::caseRows(*connection, c.sql);
        ADD_FAILURE() << "no error; " << rows.size() << " rows from "
                      << odbc::translateForPostgres(c.sql).sql;
    } catch (const DatabaseError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(c.error, 0), 0u) << error.what();
    }
}

} // namespace orv::sqlite::test
