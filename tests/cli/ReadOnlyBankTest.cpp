// A user who may only read a bank: the console reads it, refuses to change it with a clear
// message, and leaves no file behind that would keep the bank's owner from writing it.

#include "db/sqlite/BankFile.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

const std::string kSql = ORVELNOST_SQL_PROGRAM;

struct ReadOnlyBank : ::testing::Test {
    test::TestBank bank;
    // How the console runs as a user who may read the bank but not write it. The superuser may
    // write anything, so it runs the console as nobody; anyone else takes the write permission
    // away from the bank's files.
    std::string reader;

    void SetUp() override {
        bank.exec("CREATE TABLE T_STANJA (ID NUMBER); INSERT INTO T_STANJA VALUES (1)");
        const fs::perms readable =
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
        if (geteuid() == 0) {
            if (system("command -v setpriv >/dev/null") != 0) GTEST_SKIP() << "no setpriv";
            reader = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
            // A checkout in a folder closed to others (root's home) keeps nobody from the console.
            if (test::runCommand(reader + kSql + " --help").exitCode != 0)
                GTEST_SKIP() << "nobody may not run " << kSql;
            // The folder is open to everyone, as a shared folder is: the reader could create
            // files in it.
            fs::permissions(bank.folder(), fs::perms::all);
            fs::permissions(bank.folder() + "/aliasi.ini", readable);
            for (const std::string& file : {bank.path(), sqlite::skupSchemaPath(bank.path())})
                fs::permissions(file, readable | fs::perms::owner_write);
        } else {
            for (const std::string& file : {bank.path(), sqlite::skupSchemaPath(bank.path())})
                fs::permissions(file, readable);
        }
    }
    void TearDown() override { giveBackToOwner(); }
    void giveBackToOwner() const {
        for (const std::string& file : {bank.path(), sqlite::skupSchemaPath(bank.path())})
            fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    }
    test::CommandResult sql(const std::string& input) const {
        return test::runCommand(reader + kSql + " ORVDEMO OPERATER demo", input);
    }
    std::vector<std::string> lockFiles() const {
        std::vector<std::string> found;
        for (const std::string& file : {bank.path(), sqlite::skupSchemaPath(bank.path())})
            for (const char* suffix : {"-wal", "-shm"})
                if (fs::exists(file + suffix)) found.push_back(file + suffix);
        return found;
    }
};

TEST_F(ReadOnlyBank, IsReadWithoutLeavingLockFilesAndRefusesChanges) {
    const auto read =
        sql("select count(*) N from T_STANJA;\nselect count(*) N from skup.MSRP9_SLAB_34_E;\n");
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "N\n1\nN\n0\n");
    EXPECT_EQ(lockFiles(), std::vector<std::string>{});

    const auto write = sql("insert into T_STANJA (ID) values (2);\n");
    EXPECT_EQ(write.exitCode, 1);
    EXPECT_NE(write.err.find("ORA-16000"), std::string::npos) << write.err;
    EXPECT_NE(write.err.find(bank.path()), std::string::npos) << write.err;
    EXPECT_EQ(lockFiles(), std::vector<std::string>{});

    // The owner writes as before.
    giveBackToOwner();
    EXPECT_NO_THROW(bank.exec("INSERT INTO T_STANJA VALUES (3)"));
    EXPECT_EQ(bank.scalar("select count(*) from T_STANJA"), "2");
}

TEST_F(ReadOnlyBank, IsReadWhileItsOwnerHasItOpen) {
    if (geteuid() != 0) GTEST_SKIP() << "the owner and the reader are one user here";
    sqlite::BankFile owner(bank.path(), false);
    owner.exec("BEGIN IMMEDIATE; INSERT INTO T_STANJA VALUES (2)");
    const auto read = sql("select count(*) N from T_STANJA;\n");
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(read.out, "N\n1\n");
    owner.exec("COMMIT");
    EXPECT_EQ(sql("select count(*) N from T_STANJA;\n").out, "N\n2\n");
}

} // namespace
} // namespace orv
