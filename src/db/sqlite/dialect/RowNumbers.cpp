#include "db/sqlite/dialect/RowNumbers.h"

#include "db/DatabaseError.h"

#include <string>

namespace orv::sqlite {

namespace {

struct RowNumberCursor : sqlite3_vtab_cursor {
    sqlite3_int64 number = 0;
    bool done = true;
};

// The column is hidden, so that SELECT * does not show it.
int connect(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** table, char**) {
    const int rc = sqlite3_declare_vtab(db, "CREATE TABLE x(value INTEGER HIDDEN)");
    if (rc != SQLITE_OK) return rc;
    sqlite3_vtab_config(db, SQLITE_VTAB_INNOCUOUS);
    *table = new sqlite3_vtab{};
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* table) {
    delete table;
    return SQLITE_OK;
}

// One row, no constraints to use: the cheapest plan there is.
int bestIndex(sqlite3_vtab*, sqlite3_index_info* info) {
    info->estimatedCost = 1.0;
    info->estimatedRows = 1;
    info->idxFlags = SQLITE_INDEX_SCAN_UNIQUE;
    return SQLITE_OK;
}

int open(sqlite3_vtab*, sqlite3_vtab_cursor** cursor) {
    *cursor = new RowNumberCursor{};
    return SQLITE_OK;
}

int close(sqlite3_vtab_cursor* cursor) {
    delete static_cast<RowNumberCursor*>(cursor);
    return SQLITE_OK;
}

// A scan starts for each row of the tables joined before: that row gets the next number.
int filter(sqlite3_vtab_cursor* base, int, const char*, int, sqlite3_value**) {
    auto* cursor = static_cast<RowNumberCursor*>(base);
    ++cursor->number;
    cursor->done = false;
    return SQLITE_OK;
}

int next(sqlite3_vtab_cursor* cursor) {
    static_cast<RowNumberCursor*>(cursor)->done = true;
    return SQLITE_OK;
}

int eof(sqlite3_vtab_cursor* cursor) {
    return static_cast<RowNumberCursor*>(cursor)->done ? 1 : 0;
}

int column(sqlite3_vtab_cursor* cursor, sqlite3_context* context, int) {
    sqlite3_result_int64(context, static_cast<RowNumberCursor*>(cursor)->number);
    return SQLITE_OK;
}

int rowid(sqlite3_vtab_cursor* cursor, sqlite_int64* id) {
    *id = static_cast<RowNumberCursor*>(cursor)->number;
    return SQLITE_OK;
}

sqlite3_module makeModule() {
    sqlite3_module module{};
    module.iVersion = 0;
    module.xCreate = nullptr; // eponymous only: the table exists without CREATE VIRTUAL TABLE
    module.xConnect = connect;
    module.xBestIndex = bestIndex;
    module.xDisconnect = disconnect;
    module.xDestroy = disconnect;
    module.xOpen = open;
    module.xClose = close;
    module.xFilter = filter;
    module.xNext = next;
    module.xEof = eof;
    module.xColumn = column;
    module.xRowid = rowid;
    return module;
}

const sqlite3_module kModule = makeModule();

} // namespace

void registerRowNumbers(sqlite3* db) {
    if (sqlite3_create_module_v2(db, kRowNumberTable, &kModule, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(std::string("Cannot register the table ") + kRowNumberTable + ": " +
                            sqlite3_errmsg(db));
}

} // namespace orv::sqlite
