#include "base/AliasStore.h"
#include "db/sqlite/BankFile.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

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

// A header shows for a query without rows; a query that fails before its first row prints only
// its error, as on a server that fails it before it gives any row.
TEST_F(SqlConsoleFixture, AHeaderOnlyForAQueryThatDidNotFailBeforeItsRows) {
    const auto empty = sql("select ID, OPIS from T_ZNESKI where ID = 0;\n");
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_EQ(empty.out, "ID\tOPIS\n");
    const auto failed = sql("select ID, TO_DATE(OPIS, 'DD.MM.YYYY') from T_ZNESKI order by ID;\n");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(failed.err.rfind("ORA-01858", 0), 0u) << failed.err;
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
    EXPECT_EQ(result.err, "ORA-00942: table or view does not exist\n");
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

// Every statement of the input runs, wherever its terminator stands; nothing after a statement is
// dropped without an error.
TEST_F(SqlConsoleFixture, EveryStatementOfALineRuns) {
    const auto result =
        sql("update T_ZNESKI set ZNESEK=0; update T_ZNESKI set ZNESEK=1;\n"
            "update T_ZNESKI set OPIS='x;y' where ID=1;update T_ZNESKI set ID=ID+10");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(bank.scalar("select group_concat(ID||':'||ZNESEK||':'||ifnull(OPIS,''), ' ') "
                          "from (select * from T_ZNESKI order by ID)"),
              "11:1:x;y 12:1:");
}

TEST_F(SqlConsoleFixture, ANulByteIsAnErrorNamingItsLineAndNothingRuns) {
    const auto result = sql(std::string("update T_ZNESKI set ZNESEK=0;\ndelete from T_ZNESKI ") +
                            '\0' + "where 1=0;\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("line 2"), std::string::npos) << result.err;
    EXPECT_EQ(bank.scalar("select count(*) || ' ' || sum(ZNESEK) from T_ZNESKI"), "2 112.5");
}

TEST_F(SqlConsoleFixture, AByteOrderMarkIsSkippedAndAFolderIsNoFile) {
    const std::string file = bank.folder() + "/bom.sql";
    std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBFselect count(*) N from T_ZNESKI;\n";
    const auto bom = test::runCommand(kSql + " ORVDEMO OPERATER demo " + file);
    EXPECT_EQ(bom.exitCode, 0) << bom.err;
    EXPECT_EQ(bom.out, "N\n2\n");

    const auto folder = test::runCommand(kSql + " ORVDEMO OPERATER demo " + bank.folder());
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("folder"), std::string::npos) << folder.err;
}

// Deep nesting is refused with a clear error, not a crash.
TEST_F(SqlConsoleFixture, DeeplyNestedParenthesesAreAnError) {
    const std::string deep =
        "select " + std::string(50000, '(') + "1" + std::string(50000, ')') + " from dual;\n";
    const auto result = sql("insert into T_ZNESKI (ID) values (3);\n" + deep);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("nested too deeply"), std::string::npos) << result.err;
    EXPECT_EQ(bank.scalar("select count(*) from T_ZNESKI"), "2");
}

// Output that cannot be written is a failure: exit 1, a message, and nothing committed.
TEST_F(SqlConsoleFixture, AFailedWriteOfTheOutputRollsBack) {
    const auto result =
        test::runCommand("sh -c '" + kSql + " ORVDEMO OPERATER demo >/dev/full'",
                         "insert into T_ZNESKI (ID) values (3);\nselect * from T_ZNESKI;\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
    EXPECT_EQ(bank.scalar("select count(*) from T_ZNESKI"), "2");
}

// A user's statements reach the bank and its schema skup, nothing else: no other file attached,
// skup not detached, no pragma. The session's own skup keeps working.
TEST_F(SqlConsoleFixture, AttachDetachAndPragmaAreRefused) {
    const std::string other = bank.folder() + "/other.db";
    const char* refused[] = {"attach database '%' as drugi", "ATTACH '%' AS drugi",
                             "detach database skup",         "DETACH skup",
                             "pragma writable_schema=1",     "PRAGMA skup.journal_mode=DELETE",
                             "pragma integrity_check"};
    for (std::string statement : refused) {
        const size_t mark = statement.find('%');
        if (mark != std::string::npos) statement.replace(mark, 1, other);
        const auto result = sql("insert into T_ZNESKI (ID) values (3);\n" + statement + ";\n");
        EXPECT_EQ(result.exitCode, 1) << statement;
        EXPECT_NE(result.err.find("ORA-01031: insufficient privileges"), std::string::npos)
            << statement << ": " << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_EQ(bank.scalar("select count(*) from T_ZNESKI"), "2");
    const auto skup = sql("select count(*) N from skup.MSRP9_SLAB_34_E;\n");
    EXPECT_EQ(skup.exitCode, 0) << skup.err;
    EXPECT_EQ(skup.out, "N\n0\n");
}

// The password can stay out of the process list: "-" takes it from ORVELNOST_GESLO, else from the
// first line of standard input, the statements following it.
TEST_F(SqlConsoleFixture, PasswordFromTheEnvironmentOrStandardInput) {
    const auto fromEnvironment =
        test::runCommand("ORVELNOST_GESLO=demo " + kSql + " ORVDEMO OPERATER -",
                         "select count(*) N from T_ZNESKI;\n");
    EXPECT_EQ(fromEnvironment.exitCode, 0) << fromEnvironment.err;
    EXPECT_EQ(fromEnvironment.out, "N\n2\n");

    const auto wrongInEnvironment = test::runCommand(
        "ORVELNOST_GESLO=wrong " + kSql + " ORVDEMO OPERATER -", "select 1 from dual;\n");
    EXPECT_EQ(wrongInEnvironment.exitCode, 1);
    EXPECT_NE(wrongInEnvironment.err.find("ORA-01017"), std::string::npos);

    const auto fromInput =
        test::runCommand("env -u ORVELNOST_GESLO " + kSql + " ORVDEMO OPERATER -",
                         "demo\nselect count(*) N from T_ZNESKI;\n");
    EXPECT_EQ(fromInput.exitCode, 0) << fromInput.err;
    EXPECT_EQ(fromInput.out, "N\n2\n");

    const auto noInput = test::runCommand("env -u ORVELNOST_GESLO " + kSql + " ORVDEMO OPERATER -");
    EXPECT_EQ(noInput.exitCode, 1);
    EXPECT_NE(noInput.err.find("password"), std::string::npos) << noInput.err;
}

// The alias says how long a busy bank is waited for; then the console fails, naming the bank.
TEST_F(SqlConsoleFixture, ABusyBankIsWaitedForAsLongAsTheAliasSays) {
    AliasStore(bank.folder() + "/aliasi.ini")
        .writeAlias("ORVDEMO",
                    {"ORACLE", {{"SERVER NAME", bank.logonDatabase()}, {"BUSY TIMEOUT", "1"}}});
    sqlite::BankFile holder(bank.path(), false);
    holder.exec("BEGIN IMMEDIATE; INSERT INTO T_ZNESKI (ID) VALUES (9)");
    const auto busy = sql("insert into T_ZNESKI (ID) values (3);\n");
    EXPECT_EQ(busy.exitCode, 1);
    EXPECT_NE(busy.err.find("ORA-00054"), std::string::npos) << busy.err;
    EXPECT_NE(busy.err.find(bank.path() + " is busy"), std::string::npos) << busy.err;
    holder.exec("ROLLBACK");
    EXPECT_EQ(sql("insert into T_ZNESKI (ID) values (3);\n").exitCode, 0);
    EXPECT_EQ(bank.scalar("select count(*) from T_ZNESKI"), "3");
}

TEST_F(SqlConsoleFixture, CheckReportsOkForASoundBank) {
    const auto result = test::runCommand(kSql + " --preveri ORVDEMO OPERATER demo");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ok\n");
    EXPECT_EQ(test::runCommand(kSql + " --preveri ORVDEMO OPERATER").exitCode, 2);
    EXPECT_EQ(test::runCommand(kSql + " --preveri ORVDEMO OPERATER wrong").exitCode, 1);
}

// An index in the DATUM collation written in another order (as a tool without the bank's
// collation would write it) is found and named.
TEST_F(SqlConsoleFixture, CheckFindsAnIndexOutOfOrder) {
    bank.exec(
        "CREATE TABLE T_ROKI (ROK TEXT COLLATE DATUM); CREATE INDEX T_ROKI_ROK ON T_ROKI (ROK)");
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open_v2(bank.path().c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        const auto reversed = [](void*, int n1, const void* a, int n2, const void* b) {
            const std::string left(static_cast<const char*>(a), static_cast<size_t>(n1));
            const std::string right(static_cast<const char*>(b), static_cast<size_t>(n2));
            return right.compare(left);
        };
        sqlite3_create_collation(raw, "DATUM", SQLITE_UTF8, nullptr, reversed);
        EXPECT_EQ(sqlite3_exec(raw, "INSERT INTO T_ROKI VALUES ('a'), ('b'), ('c'), ('d'), ('e')",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }
    const auto result = test::runCommand(kSql + " --preveri ORVDEMO OPERATER demo");
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.out.find("main: "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("T_ROKI_ROK"), std::string::npos) << result.out;
}

} // namespace
} // namespace orv
