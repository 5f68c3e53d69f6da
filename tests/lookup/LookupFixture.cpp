#include "lookup/LookupFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orv::test {

namespace {

void logOn(TDM& dm, const TestBank& bank) {
    dm.OracleSession1.logonDatabase = bank.logonDatabase();
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

LookupFixture::LookupFixture() {
    window.options.eDanText = "15.03.2024";
    logOn(dm, bank);
}

std::string LookupFixture::programFile(const std::string& name) const {
    return readFile(dm.PotPrograma() + name);
}

bool LookupFixture::programFileExists(const std::string& name) const {
    return std::filesystem::exists(dm.PotPrograma() + name);
}

std::unique_ptr<SharedBankSuite::Bank> SharedBankSuite::shared_;

SharedBankSuite::Bank::Bank() {
    logOn(dm, bank);
}

void SharedBankSuite::SetUpTestSuite() {
    shared_ = std::make_unique<Bank>();
}

void SharedBankSuite::TearDownTestSuite() {
    shared_.reset();
}

void SharedBankSuite::SetUp() {
    window().messages.clear();
    window().calls.clear();
    window().options.eDanText = "15.03.2024";
    window().options.DebugSQL = false;
}

std::string SharedBankSuite::programFile(const std::string& name) {
    return readFile(dm().PotPrograma() + name);
}

} // namespace orv::test
