#include "BenchBanks.h"

#include "PlainCopy.h"
#include "bank/BankSchema.h"
#include "bank/demo/DemoBank.h"
#include "db/DatabaseError.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"
#include "db/sqlite/dialect/Dialect.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>

namespace orv::bench {

namespace {

namespace fs = std::filesystem;

// The DDL of an empty bank, hashed: a bank written before a change of tables or indexes is
// not used.
std::string schemaFingerprint() {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(db, sqlite3_close);
    sqlite::registerDialect(db);
    sqlite3_exec(db, "ATTACH DATABASE ':memory:' AS skup", nullptr, nullptr, nullptr);
    sqlite::createBankSchema(db);
    std::string ddl;
    for (const char* schema : {"main", "skup"}) {
        sqlite3_stmt* statement = nullptr;
        const std::string sql = std::string("SELECT sql FROM ") + schema +
                                ".sqlite_schema WHERE sql IS NOT NULL ORDER BY name";
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW)
            ddl += reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    char hex[20];
    std::snprintf(hex, sizeof hex, "%08zx", std::hash<std::string>{}(ddl)&0xffffffffu);
    return hex;
}

void writeDemoBank(const std::string& path, int size) {
    std::cerr << "Writing the demo bank of size " << size << " to " << path << " ..." << std::endl;
    sqlite::BankFile bank(path, true);
    sqlite::createBankSchema(bank.handle());
    sqlite::createUsersTable(bank.handle());
    sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
    demo::fillDemoBank(bank.handle(), demo::DemoOptions{size, 1});
}

CachedBank prepare(int size) {
    CachedBank bank;
    bank.folder = std::string(ORVELNOST_BENCH_BANKS) + "/demo-" + std::to_string(size) + "-" +
                  schemaFingerprint();
    bank.path = bank.folder + "/banka.db";
    bank.plainPath = bank.folder + "/plain.db";
    bank.aliasStore = bank.folder + "/aliasi.ini";
    bank.alias = "BENCH" + std::to_string(size);
    const std::string done = bank.folder + "/complete";
    if (!fs::exists(done)) {
        // A folder without the mark is a run that stopped half-way: start it again.
        fs::remove_all(bank.folder);
        fs::create_directories(bank.folder);
        writeDemoBank(bank.path, size);
        std::cerr << "Writing its plain-SQLite copy ..." << std::endl;
        writePlainCopy(bank.path, bank.plainPath);
        std::ofstream(bank.aliasStore)
            << "[" << bank.alias
            << "]\nTYPE=ORACLE\nSERVER NAME=sqlite:" << fs::absolute(bank.path).string() << "\n";
        std::ofstream(done) << "ok\n";
    }
    return bank;
}

} // namespace

const CachedBank& cachedBank(int size) {
    static std::map<int, CachedBank> banks;
    auto found = banks.find(size);
    if (found == banks.end()) found = banks.emplace(size, prepare(size)).first;
    return found->second;
}

} // namespace orv::bench
