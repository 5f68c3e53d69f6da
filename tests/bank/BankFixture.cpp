#include "BankFixture.h"

#include "bank/BankSchema.h"
#include "base/Datum.h"
#include "db/sqlite/BankRoutines.h"
#include "db/sqlite/dialect/DateText.h"

#include <cstring>
#include <random>

namespace orv::sqlite::test {

namespace {

bool hasFunction(sqlite3* db, const char* name) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT 1 FROM pragma_function_list WHERE name = ?", -1, &statement,
                       nullptr);
    sqlite3_bind_text(statement, 1, name, -1, SQLITE_STATIC);
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
}

bool hasCollation(sqlite3* db, const char* name) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT 1 FROM pragma_collation_list WHERE name = ?", -1, &statement,
                       nullptr);
    sqlite3_bind_text(statement, 1, name, -1, SQLITE_STATIC);
    const bool found = sqlite3_step(statement) == SQLITE_ROW;
    sqlite3_finalize(statement);
    return found;
}

std::optional<DateValue> dateOf(sqlite3_value* value) {
    if (sqlite3_value_type(value) != SQLITE_TEXT) return std::nullopt;
    return parseDate(reinterpret_cast<const char*>(sqlite3_value_text(value)));
}

// Minimal stand-ins for the dialect's check functions and collation, used only while the
// dialect module does not register them yet; the real ones win as soon as they exist.
void checkDate(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || dateOf(args[0])) {
        sqlite3_result_int(context, 1);
        return;
    }
    sqlite3_result_error(context, "ORA-01847: day of month must be between 1 and last day of month",
                         -1);
}

void checkNumber(sqlite3_context* context, int, sqlite3_value** args) {
    const int type = sqlite3_value_type(args[0]);
    if (type == SQLITE_NULL || type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        sqlite3_result_int(context, 1);
        return;
    }
    sqlite3_result_error(context, "ORA-01722: invalid number", -1);
}

void canonicalDate(sqlite3_context* context, int, sqlite3_value** args) {
    if (const auto date = dateOf(args[0])) {
        const std::string text = formatDateTime(*date);
        sqlite3_result_text(context, text.c_str(), -1, SQLITE_TRANSIENT);
        return;
    }
    sqlite3_result_value(context, args[0]);
}

int compareDates(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const std::string textA(static_cast<const char*>(a), static_cast<size_t>(lengthA));
    const std::string textB(static_cast<const char*>(b), static_cast<size_t>(lengthB));
    const auto dateA = parseDate(textA);
    const auto dateB = parseDate(textB);
    if (dateA && dateB) return *dateA < *dateB ? -1 : (*dateA > *dateB ? 1 : 0);
    return textA.compare(textB);
}

void registerMissingDialectParts(sqlite3* db) {
    constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (!hasFunction(db, "orv_check_date"))
        sqlite3_create_function(db, "orv_check_date", 1, flags, nullptr, checkDate, nullptr,
                                nullptr);
    if (!hasFunction(db, "orv_check_number"))
        sqlite3_create_function(db, "orv_check_number", 1, flags, nullptr, checkNumber, nullptr,
                                nullptr);
    if (!hasFunction(db, "orv_canonical_date"))
        sqlite3_create_function(db, "orv_canonical_date", 1, flags, nullptr, canonicalDate, nullptr,
                                nullptr);
    if (!hasCollation(db, "DATUM"))
        sqlite3_create_collation(db, "DATUM", SQLITE_UTF8, nullptr, compareDates);
}

} // namespace

void BankFixture::SetUp() {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("orv-bank-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder_);
    bank_ = std::make_unique<BankFile>((folder_ / "banka.db").string(), true);
    registerMissingDialectParts(bank_->handle());
    createBankSchema(bank_->handle());
}

void BankFixture::TearDown() {
    // The routines' prepared queries would keep the connection from closing.
    releaseBankRoutines(bank_->handle());
    bank_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void BankFixture::exec(const std::string& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db(), sql.c_str(), nullptr, nullptr, &error);
    const std::string text = error ? error : "";
    sqlite3_free(error);
    ASSERT_EQ(rc, SQLITE_OK) << text << "\n" << sql;
}

std::string BankFixture::errorOf(const std::string& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(db(), sql.c_str(), nullptr, nullptr, &error);
    std::string text = rc == SQLITE_OK ? "" : (error ? error : sqlite3_errmsg(db()));
    sqlite3_free(error);
    return text;
}

Column BankFixture::column(const std::string& sql) {
    Column rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db()) << "\n" << sql;
        return rows;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        // A stored date reads back as the program reads it: dd.mm.yyyy.
        DateParts parts;
        if (text && readDateKey(text, parts))
            rows.push_back(canonicalDateText(parts));
        else
            rows.push_back(text ? std::optional<std::string>(text) : std::nullopt);
    }
    if (rc != SQLITE_DONE) ADD_FAILURE() << sqlite3_errmsg(db()) << "\n" << sql;
    sqlite3_finalize(statement);
    return rows;
}

std::optional<std::string> BankFixture::value(const std::string& sql) {
    const Column rows = column(sql);
    return rows.empty() ? std::nullopt : rows.front();
}

} // namespace orv::sqlite::test
