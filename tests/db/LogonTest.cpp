#include "base/RecordingVmesnik.h"
#include "db/LogonComponent.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/SqliteConnection.h"
#include "db/sqlite/Users.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {
namespace {

constexpr const char* kLogonDenied = "ORA-01017: invalid username/password; logon denied";

struct LogonFixture : ::testing::Test {
    test::TestBank bank;
    Session session;
    LogonComponent logon{session};
    RecordingVmesnik window;

    void preset(const std::string& user, const std::string& password) {
        session.logonDatabase = bank.logonDatabase();
        session.logonUsername = user;
        session.logonPassword = password;
    }
    LogonPrompt answer(const std::string& user, const std::string& password) const {
        return {user, password, bank.logonDatabase()};
    }
};

TEST_F(LogonFixture, PresetCredentialsLogOnWithoutDialog) {
    preset("operater", "demo"); // user names are not case-sensitive
    logon.Execute(window);
    EXPECT_TRUE(session.connected());
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(LogonFixture, FailedAttemptShowsErrorThenPrefilledDialogAndRetries) {
    preset("OPERATER", "wrong");
    window.logonAnswers.push_back(answer("OPERATER", "demo"));
    logon.Execute(window);
    EXPECT_TRUE(session.connected());
    ASSERT_EQ(window.messages, std::vector<std::string>{kLogonDenied});
    ASSERT_EQ(window.logonPrompts.size(), 1u);
    EXPECT_EQ(window.logonPrompts[0].userName, "OPERATER");
    EXPECT_EQ(window.logonPrompts[0].password, "wrong");
    EXPECT_EQ(window.logonPrompts[0].database, bank.logonDatabase());
}

TEST_F(LogonFixture, CancelAfterFirstFailureStopsWithoutRaising) {
    preset("OPERATER", "wrong");
    window.logonAnswers.push_back(std::nullopt);
    EXPECT_NO_THROW(logon.Execute(window));
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(LogonFixture, ThreeAttemptsInAll) {
    preset("OPERATER", "wrong");
    for (int i = 0; i < 5; ++i)
        window.logonAnswers.push_back(answer("OPERATER", "still wrong"));
    logon.Execute(window);
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.logonPrompts.size(), 2u);
}

TEST_F(LogonFixture, WithoutPresetPasswordTheDialogComesFirst) {
    preset("OPERATER", "");
    window.logonAnswers.push_back(answer("OPERATER", "demo"));
    logon.Execute(window);
    EXPECT_TRUE(session.connected());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(window.logonPrompts.size(), 1u);
}

TEST_F(LogonFixture, UnusableDatabasesGiveAClearMessage) {
    const std::string notABank = bank.folder() + "/not-a-bank.db";
    std::ofstream(notABank) << "this is no database file, just text that is long enough....";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"sqlite:" + bank.folder() + "/missing.db", "no such file"},
        {"sqlite:" + notABank, "not a database"},
        {"", "ORA-12154"},
        {"ORCL", "ORA-12154"},
    };
    for (const auto& [database, expected] : cases) {
        RecordingVmesnik quiet;
        session.logonDatabase = database;
        session.logonUsername = "OPERATER";
        session.logonPassword = "demo";
        EXPECT_NO_THROW(logon.Execute(quiet));
        EXPECT_FALSE(session.connected()) << database;
        ASSERT_EQ(quiet.messages.size(), 1u) << database;
        EXPECT_NE(quiet.messages[0].find(expected), std::string::npos) << quiet.messages[0];
    }
}

// USER is the name the session logged on with, in upper case, in any expression.
TEST(SessionUser, UserIsTheLoggedOnName) {
    test::TestBank bank;
    sqlite::SqliteConnection connection(bank.path(), "OPERATER", "demo");
    const ResultSet result =
        connection.query("SELECT USER, LOWER(USER) || '!' FROM dual WHERE USER = 'OPERATER'", {});
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.fields[0].name, "USER");
    EXPECT_EQ(result.rows.value(0, 0).toText(), "OPERATER");
    EXPECT_EQ(result.rows.value(0, 1).toText(), "operater!");
}

TEST_F(LogonFixture, PasswordIsNotStoredInClear) {
    {
        sqlite::BankFile file(bank.path(), false);
        sqlite::setUserPassword(file.handle(), "KONTROLOR", "Zelo-Skrivno-Geslo-7");
    }
    preset("KONTROLOR", "Zelo-Skrivno-Geslo-7");
    logon.Execute(window);
    ASSERT_TRUE(session.connected());
    session.LogOff();
    for (const std::string& path : {bank.path(), bank.path() + "-wal", bank.path() + ".skup"}) {
        std::ifstream file(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(bytes.find("Zelo-Skrivno-Geslo-7"), std::string::npos) << path;
    }
}

} // namespace
} // namespace orv
