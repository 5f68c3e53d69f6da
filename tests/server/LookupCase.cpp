#include "server/LookupCase.h"

#include "bank/server/ServerBank.h"
#include "base/Besedilo.h"
#include "db/odbc/OdbcConnection.h"
#include "support/PostgresServer.h"
#include "support/TestBank.h"

#include <exception>

namespace orv::test {

void PrintTo(const LookupCase& c, std::ostream* out) {
    *out << c.name;
}

std::string number(double value) {
    return formatNumber(value);
}

std::string yesNo(bool value) {
    return value ? "yes" : "no";
}

std::string date(DateValue value) {
    return formatDate(value);
}

BankOnBothBackends::Backend::Backend(const std::string& folder, const std::string& logonDatabase) {
    dm = std::make_unique<TDM>(window, folder + "/");
    dm->OracleSession1.logonDatabase = logonDatabase;
    dm->OracleSession1.logonUsername = "OPERATER";
    dm->OracleSession1.logonPassword = "demo";
    dm->OracleSession1.LogOn();
}

struct BankOnBothBackends::Banks {
    TestBank bank;
    std::unique_ptr<Backend> embedded;
    std::unique_ptr<Backend> onServer;
};

BankOnBothBackends::BankOnBothBackends(const std::string& database, const std::string& rows)
    : banks_(std::make_unique<Banks>()) {
    banks_->bank.exec(rows);
    banks_->embedded =
        std::make_unique<Backend>(banks_->bank.folder(), banks_->bank.logonDatabase());
    PostgresServer& server = PostgresServer::shared();
    if (!server.available()) return;
    server.createDatabase(database);
    {
        odbc::OdbcConnection admin(server.connectionString(database), PostgresServer::kAdmin,
                                   PostgresServer::kAdminPassword);
        serverbank::createServerBank(admin, banks_->bank.path(), "OPERATER", "demo");
    }
    banks_->onServer =
        std::make_unique<Backend>(banks_->bank.folder(), server.connectionString(database));
}

BankOnBothBackends::~BankOnBothBackends() = default;

namespace {

std::string answerOf(const LookupCase& c, BankOnBothBackends::Backend& backend) {
    backend.window.messages.clear();
    backend.window.options.eDanText = c.reportingDay;
    try {
        return c.call(*backend.dm, backend.window);
    } catch (const std::exception& failure) {
        return std::string("raises: ") + failure.what();
    }
}

} // namespace

void BankOnBothBackends::expectOnBothBackends(const LookupCase& c) {
    Backend& embedded = *banks_->embedded;
    EXPECT_EQ(answerOf(c, embedded), c.answer) << "on the embedded bank";
    EXPECT_EQ(embedded.window.messages, c.messages) << "on the embedded bank";
    ORV_REQUIRE_POSTGRES();
    ASSERT_TRUE(banks_->onServer);
    Backend& onServer = *banks_->onServer;
    EXPECT_EQ(answerOf(c, onServer), c.answer) << "on the server";
    EXPECT_EQ(onServer.window.messages, c.messages) << "on the server";
}

} // namespace orv::test
