// What a user and the bank's owner may do to an embedded bank, through the SQL console: the
// case list both backends answer alike, and the engine's own doors that no statement may open.

#include "db/DatabaseError.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "db/sqlite/Users.h"
#include "support/PrivilegeCases.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

const std::string kSql = ORVELNOST_SQL_PROGRAM;

// A bank of its own for each probe, with the owner beside OPERATER.
struct EmbeddedBank {
    test::TestBank bank;
    EmbeddedBank() {
        sqlite::BankFile file(bank.path(), false);
        sqlite::setUserPassword(file.handle(), test::kPrivilegeOwner, test::kPrivilegeOwnerPassword,
                                sqlite::UserRole::Owner);
    }
    // Statements of the engine's own syntax that the console would cut at their inner ';'
    // (triggers) run on a connection of their own, one per line ending in ";".
    test::CommandResult onConnection(bool asOwner, const std::string& statements) const {
        test::CommandResult result;
        try {
            sqlite::SqliteConnection connection(bank.path(),
                                                asOwner ? test::kPrivilegeOwner : "OPERATER",
                                                asOwner ? test::kPrivilegeOwnerPassword : "demo");
            size_t start = 0;
            while (start < statements.size()) {
                size_t end = statements.find(";\n", start);
                if (end == std::string::npos) end = statements.size();
                connection.execute(statements.substr(start, end - start), {});
                start = end + 2;
            }
            connection.commit();
            result.exitCode = 0;
        } catch (const DatabaseError& error) {
            result.exitCode = 1;
            result.err = error.what();
        }
        return result;
    }

    test::CommandResult sql(bool asOwner, const std::string& statements) const {
        const std::string logon =
            asOwner ? std::string(test::kPrivilegeOwner) + " " + test::kPrivilegeOwnerPassword
                    : std::string("OPERATER demo");
        return test::runCommand(kSql + " ORVDEMO " + logon, statements);
    }
};

TEST(Privileges, EachCaseOnABankOfItsOwn) {
    for (const test::PrivilegeCase& probe : test::privilegeCases()) {
        SCOPED_TRACE(probe.what);
        const EmbeddedBank bank;
        if (*probe.earlierSession) bank.sql(probe.asOwner, probe.earlierSession);
        const test::CommandResult result = probe.embeddedOnly
                                               ? bank.onConnection(probe.asOwner, probe.statements)
                                               : bank.sql(probe.asOwner, probe.statements);
        if (*probe.expectedError == '\0') {
            EXPECT_EQ(result.exitCode, 0) << result.err;
        } else {
            EXPECT_EQ(result.exitCode, 1) << result.out;
            EXPECT_EQ(result.err.rfind(probe.expectedError, 0), 0u) << result.err;
        }
    }
}

// The users and the bank's tables are as they were after every refused statement: a refusal
// is no partial change.
TEST(Privileges, RefusedStatementsLeaveTheBankWhole) {
    const EmbeddedBank bank;
    bank.bank.exec("INSERT INTO KNJIZBE (KONTO) VALUES (7)");
    const auto result = bank.sql(false, "DELETE FROM ORV_UPORABNIKI");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(bank.bank.scalar("SELECT COUNT(*) FROM ORV_UPORABNIKI"), "2");
    for (const char* statements : {"DROP TABLE KNJIZBE", "TRUNCATE TABLE KNJIZBE"})
        EXPECT_EQ(bank.sql(false, statements).exitCode, 1) << statements;
    EXPECT_EQ(bank.bank.scalar("SELECT COUNT(*) FROM KNJIZBE"), "1");
    // The logon still works for both.
    EXPECT_EQ(bank.sql(false, "SELECT 1 FROM dual").exitCode, 0);
    EXPECT_EQ(bank.sql(true, "SELECT 1 FROM dual").exitCode, 0);
}

// A table one user made is not another's to drop, as on the bank's database.
TEST(Privileges, AUsersTableIsNotAnothersToDrop) {
    const EmbeddedBank bank;
    {
        sqlite::BankFile file(bank.bank.path(), false);
        sqlite::setUserPassword(file.handle(), "KONTROLOR", "drugo");
    }
    ASSERT_EQ(bank.sql(false, "CREATE TABLE MOJA (A NUMBER)").exitCode, 0);
    const auto other = test::runCommand(kSql + " ORVDEMO KONTROLOR drugo", "DROP TABLE MOJA");
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_EQ(other.err.rfind("ORA-01031", 0), 0u) << other.err;
    EXPECT_EQ(bank.sql(false, "INSERT INTO MOJA (A) VALUES (1);\nDROP TABLE MOJA").exitCode, 0);
}

// The engine's functions that take or return pointers or reach files, and its raw pages, are
// not there for any statement; a value is kept to a size a statement cannot blow up.
TEST(Privileges, TheEnginesOwnDoorsAreShut) {
    struct Probe {
        const char* statement;
        const char* error;
    } probes[] = {
        {"SELECT hex(fts3_tokenizer('simple')) FROM dual", "ORA-00904"},
        {"SELECT fts3_tokenizer('zlo', randomblob(8)) FROM dual", "ORA-00904"},
        {"SELECT load_extension('/tmp/knjiznica.so') FROM dual", "ORA-00904"},
        {"SELECT readfile('/etc/passwd') FROM dual", "ORA-00904"},
        {"SELECT writefile('/tmp/orv-zapis', 'x') FROM dual", "ORA-00904"},
        {"SELECT COUNT(*) FROM dbstat", "ORA-00942"},
        {"SELECT COUNT(*) FROM sqlite_dbpage", "ORA-00942"},
        {"SELECT COUNT(*) FROM pragma_table_info('KNJIZBE')", "ORA-01031"},
        {"SELECT length(randomblob(100000000)) FROM dual", ""},
    };
    const EmbeddedBank bank;
    for (bool asOwner : {false, true}) {
        for (const Probe& probe : probes) {
            SCOPED_TRACE(probe.statement);
            const auto result = bank.sql(asOwner, probe.statement);
            EXPECT_EQ(result.exitCode, 1) << result.out;
            EXPECT_EQ(result.out, "");
            if (*probe.error) {
                EXPECT_EQ(result.err.rfind(probe.error, 0), 0u) << result.err;
            }
        }
    }
    // The crash of the open tokenizer: a forged tokenizer, then a table that uses it.
    const auto forged = bank.sql(false, "SELECT fts3_tokenizer('zlo', randomblob(8)) FROM dual;\n"
                                        "CREATE VIRTUAL TABLE V USING fts3(tokenize=zlo)");
    EXPECT_EQ(forged.exitCode, 1) << forged.err;
}

} // namespace
} // namespace orv
