// Hostile input to the commands, one probe per fault, each on a bank of its own and run under
// a limit of its address space: a statement or script that would take gigabytes is refused
// with a message that names the bound, within the memory that ordinary work takes, and a
// FIFO or a folder where a file belongs is an error, never a hang.

#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace orv {
namespace {

const std::string kSql = ORVELNOST_SQL_PROGRAM;

// The most memory a command may take for an input of under 10 MB.
constexpr long kBoundMegabytes = 500;

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string inList(size_t values) {
    std::string sql = "SELECT COUNT(*) FROM dual WHERE 1 IN (";
    sql.reserve(values * 2 + 64);
    for (size_t i = 0; i < values; ++i)
        sql += i ? ",1" : "1";
    return sql + ")";
}

struct StatementProbe {
    const char* what;
    std::string script;
    const char* message;    ///< part of the error the console stops with
    bool underTenMegabytes; ///< held to kBoundMegabytes
};

TEST(BoundedInput, StatementsPastTheBoundsAreRefusedBeforeTheyAreParsed) {
    std::string nested;
    for (int i = 0; i < 10000; ++i)
        nested += "SELECT * FROM (";
    nested += "SELECT 1 FROM dual";
    nested.append(10000, ')');
    std::string manyNames = "SELECT 1 FROM dual WHERE ";
    for (int i = 0; i < 240000; ++i)
        manyNames += "X = X AND ";
    manyNames += "X = X";
    const StatementProbe probes[] = {
        {"an IN list of 12 MB", inList(6000000), "statement too long", false},
        {"an IN list of 9 MB", inList(4500000), "more than 100000 literals", true},
        {"a literal of 100 MB", "SELECT '" + std::string(100u << 20, 'x') + "' FROM dual",
         "statement too long", false},
        {"10,000 nested subqueries", nested, "nested too deeply", true},
        {"nearly a million names", manyNames, "", true},
    };
    for (const StatementProbe& probe : probes) {
        SCOPED_TRACE(probe.what);
        const test::TestBank bank;
        const std::string script = bank.folder() + "/ukazi.sql";
        writeText(script, probe.script);
        const auto result =
            test::runBoundedCommand(kSql + " ORVDEMO OPERATER demo " + script, "", 60);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_NE(result.err.find(probe.message), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("bad_alloc"), std::string::npos) << result.err;
        if (probe.underTenMegabytes) {
            EXPECT_LT(result.peakMegabytes, kBoundMegabytes);
        }
    }
}

// Statements within the bounds still run: a long IN list, and thousands of groups and CASE
// expressions side by side, each closed before the next opens (only depth counts).
TEST(BoundedInput, StatementsWithinTheBoundsRun) {
    std::string sideBySide = "SELECT COUNT(*) FROM dual WHERE 1 IN (";
    for (int i = 0; i < 1500; ++i)
        sideBySide += i ? ", (CASE WHEN (1 = 1) THEN (1) END)" : "(CASE WHEN (1 = 1) THEN (1) END)";
    sideBySide += ")";
    const test::TestBank bank;
    for (const std::string& statement : {inList(99000), sideBySide}) {
        const auto result =
            test::runBoundedCommand(kSql + " ORVDEMO OPERATER demo", statement + ";\n");
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "COUNT(*)\n1\n");
        EXPECT_LT(result.peakMegabytes, kBoundMegabytes);
    }
}

// Memory that runs out is said so, not shown as the bare name of the exception.
TEST(BoundedInput, AnAllocationFailureIsAClearMessage) {
    const test::TestBank bank;
    const std::string script = bank.folder() + "/ukazi.sql";
    writeText(script, "SELECT '" + std::string(300u << 20, 'x') + "' FROM dual");
    // Room for the program and its libraries, not for a script of 300 MB read and cut.
    const auto result =
        test::runCommand("prlimit --as=500000000 " + kSql + " ORVDEMO OPERATER demo " + script);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("ni dovolj pomnilnika"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("std::bad_alloc\n"), std::string::npos) << result.err;
}

// The alias store is read only when it is a regular file; what stands in its place is named.
TEST(BoundedInput, AnAliasStoreThatIsNoFileIsAnErrorNotAHang) {
    const test::TestBank bank;
    const std::string fifo = bank.folder() + "/cev.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = bank.folder() + "/mapa.ini";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    for (const std::string& store : {fifo, folder}) {
        const auto result = test::runBoundedCommand("ORVELNOST_ALIASI=" + store + " " + kSql +
                                                        " ORVDEMO OPERATER demo",
                                                    "SELECT 1 FROM dual", 20);
        EXPECT_FALSE(result.timedOut) << store;
        EXPECT_EQ(result.exitCode, 1) << store;
        EXPECT_NE(result.err.find(store), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("unknown database alias"), std::string::npos) << result.err;
    }
}

} // namespace
} // namespace orv
