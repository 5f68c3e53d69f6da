#include "db/sqlite/Privileges.h"

#include "base/Besedilo.h"
#include "db/sqlite/dialect/BankErrorTexts.h"

#include <sqlite3.h>

#include <algorithm>

namespace orv::sqlite {

namespace {

constexpr const char* kInsufficientPrivileges = "ORA-01031: insufficient privileges";

std::string text(const char* value) {
    return value ? value : "";
}

bool isHiddenTable(const std::string& upperTable) {
    return upperTable == kUsersTable || upperTable == kTableOwnersTable;
}

bool listed(const std::vector<std::string_view>& names, const std::string& name) {
    const std::string upper = toUpper(name);
    return std::any_of(names.begin(), names.end(),
                       [&](std::string_view listedName) { return toUpper(listedName) == upper; });
}

int deny(std::string& denial, std::string text) {
    denial = std::move(text);
    return SQLITE_DENY;
}

} // namespace

const std::vector<std::string_view>& unsafeFunctions() {
    // fts3_tokenizer returns and takes the address of a tokenizer's code (a crash or worse with
    // a forged one); fts5 hands out a pointer to its interface; load_extension loads a shared
    // library; readfile, writefile and edit read, write or open files (present when the
    // engine is built with the shell's functions).
    static const std::vector<std::string_view> names = {
        "fts3_tokenizer", "fts5", "load_extension", "readfile", "writefile", "edit"};
    return names;
}

const std::vector<std::string_view>& unsafeVirtualTables() {
    // The raw pages of the bank's files, and their layout: reading them passes by every
    // privilege above (the users table's pages hold its hashes).
    static const std::vector<std::string_view> names = {"sqlite_dbpage", "dbstat"};
    return names;
}

Privileges::Privileges(UserRole role, std::set<std::string> ownTables)
    : role_(role), ownTables_(std::move(ownTables)) {}

bool Privileges::mayRestructure(const std::string& upperTable, const std::string& database) const {
    if (role_ == UserRole::Owner || database == "temp") return true;
    if (temporaryTables_.count(upperTable)) return true;
    return database == "main" && ownTables_.count(upperTable) > 0;
}

int Privileges::decide(int action, const char* first, const char* second, const char* database,
                       std::string& denial) {
    switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
    case SQLITE_PRAGMA:
    case SQLITE_CREATE_VTABLE:
    case SQLITE_DROP_VTABLE:
        return deny(denial, kInsufficientPrivileges);
    case SQLITE_FUNCTION:
        if (listed(unsafeFunctions(), text(second)))
            return deny(denial, bankWordsFor("no such function: " + text(second)));
        return SQLITE_OK;
    case SQLITE_READ:
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_DROP_TEMP_VIEW:
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_VIEW:
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_VIEW:
        return decideTableAction(action, toUpper(text(first)), text(database), denial);
    case SQLITE_ALTER_TABLE:
        // SQLite names the database first and the table second here.
        return decideTableAction(action, toUpper(text(second)), text(first), denial);
    case SQLITE_CREATE_INDEX:
    case SQLITE_CREATE_TRIGGER:
    case SQLITE_DROP_INDEX:
    case SQLITE_DROP_TRIGGER:
    case SQLITE_CREATE_TEMP_INDEX:
    case SQLITE_CREATE_TEMP_TRIGGER:
    case SQLITE_DROP_TEMP_INDEX:
    case SQLITE_DROP_TEMP_TRIGGER:
        // The index or trigger first, the table it belongs to second.
        return decideTableAction(action, toUpper(text(second)), text(database), denial);
    default:
        return SQLITE_OK;
    }
}

int Privileges::decideTableAction(int action, const std::string& table, const std::string& database,
                                  std::string& denial) {
    // A temporary table of such a name would stand in for the real one wherever a name is
    // read without its schema: it may not be made at all.
    if (isHiddenTable(table) && database == "temp") return deny(denial, kInsufficientPrivileges);
    if (isHiddenTable(table)) return deny(denial, kTableDoesNotExist);
    if (listed(unsafeVirtualTables(), table)) return deny(denial, kTableDoesNotExist);
    switch (action) {
    case SQLITE_READ:
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE:
        return SQLITE_OK;
    case SQLITE_CREATE_TEMP_TABLE:
    case SQLITE_CREATE_TEMP_VIEW:
        temporaryTables_.insert(table);
        return SQLITE_OK;
    case SQLITE_CREATE_TABLE:
    case SQLITE_CREATE_VIEW:
        if (database == "temp") {
            temporaryTables_.insert(table);
            return SQLITE_OK;
        }
        // skup holds the bank's write-down table only; users make theirs in main.
        if (database != "main" && role_ != UserRole::Owner)
            return deny(denial, kInsufficientPrivileges);
        return SQLITE_OK;
    default:
        break;
    }
    if (!mayRestructure(table, database)) return deny(denial, kInsufficientPrivileges);
    return SQLITE_OK;
}

} // namespace orv::sqlite
