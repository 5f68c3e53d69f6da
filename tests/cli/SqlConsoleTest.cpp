#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orv {
namespace {

const std::string kSql = ORVELNOST_SQL_PROGRAM;

struct SqlConsoleFixture : ::testing::Test {
    test::TestBank bank;
    void SetUp() override {
        bank.exec("CREATE TABLE T_ZNESKI (ID NUMBER, OPIS VARCHAR2(20), DAN DATE, ZNESEK NUMBER);"
                  "INSERT INTO T_ZNESKI VALUES (1, 'prvi', '05.03.2024', 12.5);"
                  "INSERT INTO T_ZNESKI VALUES (2, NULL, '31.12.2024 10:30:00', 100);");
    }
    test::CommandResult sql(const std::string& input, const std::string& password = "demo") {
        return test::runCommand(kSql + " ORVDEMO OPERATER " + password, input);
    }
};

TEST_F(SqlConsoleFixture, QueriesPrintAHeaderAndTabSeparatedRows) {
    const auto result = sql("select ID, opis, DAN, ZNESEK / 4 Q from T_ZNESKI order by ID;\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ID\tOPIS\tDAN\tQ\n"
                          "1\tprvi\t05.03.2024\t3.125\n"
                          "2\t\t31.12.2024 10:30:00\t25\n");
}

TEST_F(SqlConsoleFixture, ChangesAreCommittedAtTheEnd) {
    const auto result = sql(
        "insert into T_ZNESKI (ID) values (3)\n/\nupdate T_ZNESKI set ZNESEK = 0 where ID = 1;\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(bank.scalar("select count(*) from T_ZNESKI where ID = 3 or ZNESEK = 0"), "2");
}

TEST_F(SqlConsoleFixture, TheFirstFailureRollsBackAndExits1) {
    const auto result = sql("insert into T_ZNESKI (ID) values (3);\n"
                            "select * from NI_TABELE;\n"
                            "insert into T_ZNESKI (ID) values (4);\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("NI_TABELE"), std::string::npos) << result.err;
    EXPECT_EQ(bank.scalar("select count(*) from T_ZNESKI"), "2");
}

TEST_F(SqlConsoleFixture, RunsAStatementFile) {
    const std::string file = bank.folder() + "/ORVELNOST.SQL";
    std::ofstream(file, std::ios::binary) << "select count(*) N from T_ZNESKI\r\n";
    const auto result = test::runCommand(kSql + " ORVDEMO OPERATER demo " + file);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "N\n2\n");
}

TEST_F(SqlConsoleFixture, WrongPasswordUnknownAliasAndUsage) {
    const auto wrong = sql("select 1 from dual;", "wrong");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("ORA-01017: invalid username/password; logon denied"),
              std::string::npos)
        << wrong.err;
    EXPECT_EQ(wrong.out, "");

    const auto unknown = test::runCommand(kSql + " NIALIAS OPERATER demo", "select 1 from dual;");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("NIALIAS"), std::string::npos) << unknown.err;

    const auto usage = test::runCommand(kSql + " ORVDEMO OPERATER");
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("Usage: orvelnost-sql"), std::string::npos);
    EXPECT_EQ(test::runCommand(kSql + " --help").exitCode, 0);
}

} // namespace
} // namespace orv
