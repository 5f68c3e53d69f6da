#include "bank/demo/DemoBank.h"

#include "bank/demo/Accounts.h"
#include "bank/demo/CodeLists.h"
#include "bank/demo/Contracts.h"
#include "bank/demo/Counterparties.h"
#include "bank/demo/DemoContext.h"
#include "bank/demo/Securities.h"
#include "db/DatabaseError.h"

#include <string>

namespace orv::demo {

namespace {

void execute(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw DatabaseError(text);
    }
}

std::string pragma(sqlite3* db, const char* name) {
    sqlite3_stmt* statement = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, (std::string("PRAGMA ") + name).c_str(), -1, &statement, nullptr) ==
            SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

void fill(sqlite3* db, const DemoOptions& options) {
    DemoTables tables(db);
    DemoContext ctx(tables, options.seme, options.velikost < 0 ? 0 : options.velikost);
    writeCodeLists(tables);
    writeCurrencies(tables);
    writeIndices(tables);
    writeAccounts(tables);
    writeCounterparties(ctx);
    writeSecurities(ctx);
    writeContracts(ctx);
}

} // namespace

// A savepoint is a transaction of its own when none is open, and nests in the caller's when
// one is (the demo command writes schema, users and data in one transaction).
void fillDemoBank(sqlite3* db, const DemoOptions& options) {
    // Every insert of a table with date checks keeps a statement journal (it could be undone on
    // its own); in memory, and with a cache that holds the transaction's pages, writing a large
    // bank costs what the rows cost and not repeated writes of the same pages to temporary files.
    // The connection's own settings come back afterwards.
    const std::string restore = "PRAGMA temp_store = " + pragma(db, "temp_store") +
                                "; PRAGMA cache_size = " + pragma(db, "cache_size");
    execute(db, "PRAGMA temp_store = MEMORY");
    execute(db, "PRAGMA cache_size = -262144");
    execute(db, "SAVEPOINT demo_bank");
    try {
        fill(db, options);
        execute(db, "RELEASE demo_bank");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK TO demo_bank; RELEASE demo_bank", nullptr, nullptr, nullptr);
        sqlite3_exec(db, restore.c_str(), nullptr, nullptr, nullptr);
        throw;
    }
    execute(db, restore.c_str());
    // Statistics of the filled tables, so that the planner knows which index narrows a join
    // (an account's postings of a period, not all postings of a deal).
    execute(db, "ANALYZE");
}

} // namespace orv::demo
