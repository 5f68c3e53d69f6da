// The source statement on both backends: a bank with rows in every branch, on the embedded bank
// and on its copy on the PostgreSQL server, gives the same source rows, branch by branch and
// through BeriPodatke, also with the contract and class filters.

#include "bank/server/ServerBank.h"
#include "db/odbc/OdbcConnection.h"
#include "support/PostgresServer.h"
#include "transfer/IzvorneVeje.h"
#include "transfer/SourceBank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace orv::test {
namespace {

constexpr const char* kDatabase = "orv_source";

// A row as one text: its columns by name, numbers to 12 significant digits. The server adds in
// exact decimals, as the bank's database does; a derived amount may differ in its 15th digit.
std::string rowText(const Vrstica& row) {
    std::string text;
    for (const auto& [name, value] : row.stolpci) {
        std::string shown = value;
        char* end = nullptr;
        const double number = std::strtod(value.c_str(), &end);
        if (!value.empty() && *end == '\0' && value.find('.') != std::string::npos) {
            char digits[40];
            std::snprintf(digits, sizeof digits, "%.12g", number);
            shown = digits;
        }
        text += name + "=" + shown + "|";
    }
    return text;
}

std::vector<std::string> sortedRows(const Vrstice& rows) {
    std::vector<std::string> texts;
    for (const Vrstica& row : rows)
        texts.push_back(rowText(row));
    std::sort(texts.begin(), texts.end());
    return texts;
}

// The rows of every branch, on contracts 1 and 2, as the embedded bank's branch tests have them.
class SourceOnBothBackends : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        rowsInEveryBranch();
        // Amounts with decimals, which the server adds as decimals and the embedded bank too.
        knjizi(Knjizba('1', "11.12.2024", 10.01).idpog(1).dejavnost("X"));
        knjizi(Knjizba('C', "11.12.2024", -3.3).idpog(2).dejavnost("L"));
        knjizi(Knjizba(500, "11.12.2024", 0.1).idpog(2).dejavnost("X"));
    }

    /// Each branch alone and the whole statement through BeriPodatke, on the bank `dm` is on.
    std::vector<std::vector<std::string>> everyAnswer() {
        std::vector<std::vector<std::string>> answers;
        for (int n = 1; n <= SteviloIzvornihVej; ++n)
            answers.push_back(sortedRows(veja(n)));
        answers.push_back(sortedRows(izvor()));
        return answers;
    }
};

TEST_F(SourceOnBothBackends, EveryBranchGivesTheSameRows) {
    ORV_REQUIRE_POSTGRES();
    PostgresServer& server = PostgresServer::shared();
    server.createDatabase(kDatabase);
    {
        odbc::OdbcConnection admin(server.connectionString(kDatabase), PostgresServer::kAdmin,
                                   PostgresServer::kAdminPassword);
        serverbank::createServerBank(admin, bank.path(), "OPERATER", "demo");
    }
    auto onServer = std::make_unique<TDM>(window, bank.folder() + "/");
    onServer->OracleSession1.logonDatabase = server.connectionString(kDatabase);
    onServer->OracleSession1.logonUsername = "OPERATER";
    onServer->OracleSession1.logonPassword = "demo";
    onServer->OracleSession1.LogOn();

    const std::pair<const char*, const char*> filters[] = {
        {"", ""}, {"2", ""}, {"", "a"}, {"", "6"}, {"1", "C"}};
    for (const auto& [contract, accountClass] : filters) {
        SCOPED_TRACE(std::string("contract '") + contract + "', class '" + accountClass + "'");
        window.options.eIdpog = contract;
        window.options.eVKNT = accountClass;
        const auto embedded = everyAnswer();
        std::swap(dm, onServer);
        const auto server_ = everyAnswer();
        std::swap(dm, onServer);
        ASSERT_EQ(embedded.size(), server_.size());
        for (size_t i = 0; i < embedded.size(); ++i) {
            const std::string what = i < static_cast<size_t>(SteviloIzvornihVej)
                                         ? "branch " + std::to_string(i + 1)
                                         : std::string("BeriPodatke");
            EXPECT_EQ(embedded[i], server_[i]) << what;
        }
        EXPECT_FALSE(embedded.back().empty() && contract[0] == '\0' && accountClass[0] == '\0')
            << "the bank has rows in every branch";
    }
    EXPECT_TRUE(window.messages.empty());
}

} // namespace
} // namespace orv::test
