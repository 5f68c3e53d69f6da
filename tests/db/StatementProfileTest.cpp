// The statement profile: with ORVELNOST_PROFIL set, a connection reports each statement it ran,
// how often and how long, and the query plans of the slowest, when it closes.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace orv {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(StatementProfile, ReportsEachStatementWithItsRunsWhenTheConnectionCloses) {
    test::TestBank bank;
    bank.exec("CREATE TABLE T_P (ID NUMBER);"
              "INSERT INTO T_P VALUES (1);");
    const std::string report = bank.folder() + "/profil.txt";
    ::setenv("ORVELNOST_PROFIL", report.c_str(), 1);
    {
        RecordingVmesnik window;
        TDM dm{window, bank.folder() + "/"};
        dm.OracleSession1.logonDatabase = bank.logonDatabase();
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
        // Three runs of one shape: the literals become parameters, so they count as one statement.
        for (int id : {1, 2, 3})
            dm.OdpriPoizvedbo(dm.Q2, "SELECT COUNT(*) N FROM T_P WHERE ID = " + std::to_string(id));
        EXPECT_EQ(readFile(report), "") << "nothing is written before the connection closes";
    }
    ::unsetenv("ORVELNOST_PROFIL");

    const std::string text = readFile(report);
    const size_t line = text.find("FROM T_P WHERE ID = ");
    ASSERT_NE(line, std::string::npos) << text;
    const size_t start = text.rfind('\n', line) + 1;
    std::istringstream fields(text.substr(start, line - start));
    double milliseconds = -1;
    long runs = 0;
    fields >> milliseconds >> runs;
    EXPECT_GE(milliseconds, 0);
    EXPECT_EQ(runs, 3);
}

} // namespace
} // namespace orv
