// The privilege cases on the server: a bank made by orvelnost-demo --streznik with its grants,
// a database of its own for each case, the same answers as the embedded bank gives them
// (tests/cli/PrivilegesTest.cpp runs the same list there).

#include "support/PostgresServer.h"
#include "support/PrivilegeCases.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv::test {
namespace {

constexpr const char* kDatabase = "orv_pravice";

class ServerPrivileges : public testing::Test {
protected:
    void SetUp() override {
        ORV_REQUIRE_POSTGRES();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvelnost-pravice-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        aliases_ = "ORVELNOST_ALIASI=" + folder_ + "/aliasi.ini ";
    }
    void TearDown() override {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }

    // An empty bank made as the demo makes it: the owner's tables, OPERATER's grants.
    void freshBank() {
        PostgresServer& server = PostgresServer::shared();
        server.createDatabase(kDatabase);
        const CommandResult made = runCommand(
            aliases_ + "ORVELNOST_SKRBNIK_GESLO=" + PostgresServer::kAdminPassword + " " +
            ORVELNOST_DEMO_PROGRAM + " --prazna --alias STREZNIK --skrbnik " +
            PostgresServer::kAdmin + " --streznik '" + server.connectionString(kDatabase) + "'");
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }

    CommandResult sql(bool asOwner, const std::string& statements) const {
        const std::string logon = asOwner
                                      ? std::string(kPrivilegeOwner) + " " + kPrivilegeOwnerPassword
                                      : std::string("OPERATER demo");
        return runCommand(aliases_ + ORVELNOST_SQL_PROGRAM + " STREZNIK " + logon, statements);
    }

    std::string folder_;
    std::string aliases_;
};

TEST_F(ServerPrivileges, TheDemosGrantsGiveTheEmbeddedBanksAnswers) {
    for (const PrivilegeCase& probe : privilegeCases()) {
        if (probe.embeddedOnly) continue;
        SCOPED_TRACE(probe.what);
        freshBank();
        if (HasFatalFailure()) return;
        if (*probe.earlierSession) sql(probe.asOwner, probe.earlierSession);
        const CommandResult result = sql(probe.asOwner, probe.statements);
        if (*probe.expectedError == '\0') {
            EXPECT_EQ(result.exitCode, 0) << result.err;
        } else {
            EXPECT_EQ(result.exitCode, 1) << result.out;
            EXPECT_EQ(result.err.rfind(probe.expectedError, 0), 0u) << result.err;
        }
    }
}

} // namespace
} // namespace orv::test
