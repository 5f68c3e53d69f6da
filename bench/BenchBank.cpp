#include "BenchBank.h"

#include "bank/BankSchema.h"
#include "bank/demo/DemoBank.h"
#include "db/DatabaseError.h"
#include "db/sqlite/Users.h"

#include <cstdlib>
#include <filesystem>

namespace orv::bench {

BenchBank::BenchBank() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orvelnost-bench-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    path = folder + "/banka.db";
    sqlite::BankFile bank(path, true);
    sqlite::createBankSchema(bank.handle());
    sqlite::createUsersTable(bank.handle());
    sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
    // ORVELNOST_BENCH_VELIKOST chooses another size (the goals are stated for 100000).
    long velikost = 10000;
    if (const char* izbrana = std::getenv("ORVELNOST_BENCH_VELIKOST"))
        velikost = std::atol(izbrana);
    demo::fillDemoBank(bank.handle(), demo::DemoOptions{velikost > 0 ? velikost : 10000, 1});
}

BenchBank::~BenchBank() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

const BenchBank& benchBank() {
    static BenchBank bank;
    return bank;
}

std::string scalar(sqlite::BankFile& bank, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(bank.handle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(bank.handle()));
    std::string result;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return result;
}

LoggedOn::LoggedOn() {
    window.options.eDanText = "31.12.2024";
    dm.OracleSession1.logonDatabase = "sqlite:" + benchBank().path;
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
}

} // namespace orv::bench
