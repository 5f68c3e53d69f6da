// orvelnost-demo as a process: its bounds, a killed run, the files it leaves.

#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

const std::string kDemo = ORVELNOST_DEMO_PROGRAM;
const std::string kSql = ORVELNOST_SQL_PROGRAM;

struct DemoCommand : ::testing::Test {
    test::TestBank fixture; // a temporary folder and an alias store of the test's own
    std::string folder() const { return fixture.folder(); }
    std::string demo(const std::string& arguments) const {
        return "ORVELNOST_ALIASI=" + folder() + "/aliasi.ini " + kDemo + " " + arguments;
    }
    std::vector<std::string> bankFilesIn() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder()))
            if (entry.path().filename().string().rfind("nova.db", 0) == 0)
                found.push_back(entry.path().filename().string());
        return found;
    }
};

TEST_F(DemoCommand, SizeAndSeedOutOfRangeAreUsageErrors) {
    for (const char* arguments :
         {"--velikost 99999999999999999999", "--velikost 1000001", "--velikost 0", "--velikost -5",
          "--velikost 1e3", "--seme 99999999999999999999", "--alias A]B", "--alias 'A\nB'"}) {
        const auto result =
            test::runCommand(demo(std::string(arguments) + " " + folder() + "/nova.db"));
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.err.find("Usage: orvelnost-demo"), std::string::npos) << arguments;
    }
    EXPECT_EQ(bankFilesIn(), std::vector<std::string>{});
}

// A run that is killed leaves nothing that looks like a bank, and the name stays free.
TEST_F(DemoCommand, AKilledRunLeavesNoHalfBank) {
    const std::string path = folder() + "/nova.db";
    const auto killed = test::runCommand("sh -c '" + demo("--velikost 50000 " + path) +
                                         " & pid=$!; sleep 1; kill -9 $pid; wait $pid'");
    EXPECT_NE(killed.exitCode, 0);
    EXPECT_EQ(bankFilesIn(), std::vector<std::string>{});

    // An interrupted run removes even its temporary folder.
    const auto interrupted = test::runCommand("sh -c '" + demo("--velikost 50000 " + path) +
                                              " & pid=$!; sleep 1; kill -TERM $pid; wait $pid'");
    EXPECT_NE(interrupted.exitCode, 0);
    size_t hidden = 0;
    for (const auto& entry : fs::directory_iterator(folder()))
        if (entry.path().filename().string().rfind(".nova.db.", 0) == 0) ++hidden;
    EXPECT_EQ(hidden, 1u); // the killed run's folder only

    const auto again = test::runCommand(demo("--prazna --alias NOVA " + path));
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(bankFilesIn(), (std::vector<std::string>{"nova.db", "nova.db.skup"}));
}

// The bank holds the users' password hashes: its files and the alias store are the owner's only.
TEST_F(DemoCommand, TheBankAndTheAliasStoreAreReadableByTheOwnerOnly) {
    const std::string path = folder() + "/nova.db";
    const auto result = test::runCommand("umask 022; " + demo("--prazna --alias NOVA " + path));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const std::string& file : {path, path + ".skup", folder() + "/aliasi.ini"}) {
        struct stat info {};
        ASSERT_EQ(stat(file.c_str(), &info), 0) << file;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << file;
    }
    // The new bank is whole: the console logs on to it.
    const auto logon = test::runCommand("ORVELNOST_ALIASI=" + folder() + "/aliasi.ini " + kSql +
                                            " NOVA OPERATER demo",
                                        "select count(*) N from dual;\n");
    EXPECT_EQ(logon.exitCode, 0) << logon.err;
}

} // namespace
} // namespace orv

namespace orv {
namespace {

// --skrbnik gives the bank its owner: the one user who may change its tables' structure.
TEST_F(DemoCommand, TheOwnerItNamesIsTheOneWhoMayChangeTheBanksStructure) {
    const auto made = test::runCommand(
        "ORVELNOST_SKRBNIK_GESLO=Lastnik-1 " +
        demo("--prazna --alias LASTNA --skrbnik SKRBNIK " + folder() + "/nova.db"));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::string sql = "ORVELNOST_ALIASI=" + folder() + "/aliasi.ini " + kSql + " LASTNA ";
    const auto user = test::runCommand(sql + "OPERATER demo", "DROP TABLE KNJIZBE");
    EXPECT_EQ(user.exitCode, 1);
    EXPECT_EQ(user.err.rfind("ORA-01031", 0), 0u) << user.err;
    const auto owner = test::runCommand(sql + "SKRBNIK Lastnik-1", "DROP TABLE KNJIZBE");
    EXPECT_EQ(owner.exitCode, 0) << owner.err;
}

// A store that names an alias twice is neither merged nor added to, and no bank is made that
// no alias could name.
TEST_F(DemoCommand, AStoreWithAnAliasTwiceIsRefusedBeforeTheBankIsMade) {
    const std::string store = folder() + "/aliasi.ini";
    const std::string twice = "[ORVDEMO]\nTYPE=ORACLE\nSERVER NAME=sqlite:/a.db\n"
                              "[ORVDEMO]\nTYPE=ORACLE\nSERVER NAME=sqlite:/b.db\n";
    std::ofstream(store, std::ios::binary) << twice;
    const auto result = test::runCommand(demo("--prazna --alias DRUGA " + folder() + "/nova.db"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(store), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("'ORVDEMO'"), std::string::npos) << result.err;
    std::ifstream file(store, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), twice);
    EXPECT_TRUE(bankFilesIn().empty());
}

} // namespace
} // namespace orv
