#include "PlainCopy.h"

#include "bank/BankSchemaTables.h"
#include "base/Datum.h"
#include "db/DatabaseError.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/dialect/DateArguments.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/Dialect.h"
#include "db/sqlite/dialect/RowNumbers.h"

#include <cmath>
#include <cstring>
#include <set>

namespace orv::bench {

namespace {

using sqlite::BankColumn;
using sqlite::BankTable;
using sqlite::ColumnKind;

void exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw DatabaseError(text + " in: " + sql);
    }
}

long long scalarInteger(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(db));
    long long value = 0;
    if (sqlite3_step(statement) == SQLITE_ROW) value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// A date key or date text as seconds from 30.12.1899; false for anything else.
bool dateSecondsOf(std::string_view text, long long& seconds) {
    DateParts parts;
    if (sqlite::readDateOrKey(text, parts) != sqlite::DateTextError::None) return false;
    seconds = sqlite::dateSeconds(parts);
    return true;
}

// bench_date_seconds(x): a stored date as the copy's integer.
void dateSecondsFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_null(context);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    long long seconds = 0;
    if (!dateSecondsOf({text, static_cast<size_t>(sqlite3_value_bytes(argv[0]))}, seconds))
        return sqlite3_result_null(context);
    sqlite3_result_int64(context, seconds);
}

// The code tables whose first key is one integer column: candidates for an integer primary key.
const char* integerKeyOf(const BankTable& table) {
    if (table.keys.empty()) return nullptr;
    const auto& key = table.keys.front();
    const bool single = key.size() == 1 || (key.size() == 2 && std::string(key[1]) == "*");
    if (!single || std::string(table.name) == "KNJIZBE") return nullptr;
    for (const BankColumn& column : table.columns)
        if (key[0] == std::string(column.name) && column.kind == ColumnKind::Number) return key[0];
    return nullptr;
}

std::string plainType(const BankColumn& column) {
    switch (column.kind) {
    case ColumnKind::Number:
        return "NUMBER";
    case ColumnKind::Date:
        return "INTEGER";
    case ColumnKind::Text:
        break;
    }
    return "TEXT";
}

void copyTable(sqlite3* db, const BankTable& table) {
    const std::string source = std::string(table.schema) + "." + table.name;
    const std::string target =
        std::string(std::string(table.schema) == "main" ? "plain" : "plainskup") + "." + table.name;
    // An integer primary key only where the bank's key is unique and never NULL.
    const char* primary = integerKeyOf(table);
    if (primary) {
        const std::string column = primary;
        const long long rows = scalarInteger(db, "SELECT count(*) FROM " + source);
        const long long distinct =
            scalarInteger(db, "SELECT count(DISTINCT " + column + ") FROM " + source);
        if (rows != distinct) primary = nullptr;
    }
    std::string columns, values;
    for (const BankColumn& column : table.columns) {
        const std::string name = column.name;
        columns += (columns.empty() ? "" : ",\n  ") + name + " " +
                   (primary && name == primary ? "INTEGER PRIMARY KEY" : plainType(column));
        values += (values.empty() ? "" : ", ") +
                  (column.kind == ColumnKind::Date ? "bench_date_seconds(" + name + ")" : name);
    }
    exec(db, "CREATE TABLE " + target + " (\n  " + columns + "\n)");
    exec(db, "INSERT INTO " + target + " SELECT " + values + " FROM " + source);

    const std::string schema = std::string(table.schema) == "main" ? "plain" : "plainskup";
    int number = 0;
    for (size_t k = 0; k < table.keys.size(); ++k) {
        std::string list;
        for (const char* column : table.keys[k])
            if (std::string(column) != "*")
                list += (list.empty() ? "" : ", ") + std::string(column);
        if (k == 0 && primary) continue;
        // The ledger's covering index is the one below.
        if (std::string(table.name) == "KNJIZBE" && list == "KONTO, DATUMV") continue;
        exec(db, "CREATE INDEX " + schema + "." + table.name + "_P" + std::to_string(++number) +
                     " ON " + table.name + " (" + list + ")");
    }
    if (std::string(table.name) == "KNJIZBE") {
        // The one covering ledger index: account, date, then every column the branches read.
        std::string list = "KONTO, DATUMV";
        for (const BankColumn& column : table.columns)
            if (std::string(column.name) != "KONTO" && std::string(column.name) != "DATUMV")
                list += ", " + std::string(column.name);
        exec(db, "CREATE INDEX plain.KNJIZBE_COVER ON KNJIZBE (" + list + ")");
    }
}

// --- The plain functions -------------------------------------------------------------------

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

void resultNumber(sqlite3_context* context, sqlite3_value* a, sqlite3_value* b, bool plus) {
    if (sqlite3_value_numeric_type(a) == SQLITE_INTEGER &&
        sqlite3_value_numeric_type(b) == SQLITE_INTEGER) {
        const long long x = sqlite3_value_int64(a), y = sqlite3_value_int64(b);
        return sqlite3_result_int64(context, plus ? x + y : x - y);
    }
    const double x = sqlite3_value_double(a), y = sqlite3_value_double(b);
    sqlite3_result_double(context, plus ? x + y : x - y);
}

void plusFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    resultNumber(context, argv[0], argv[1], true);
}

void minusFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    resultNumber(context, argv[0], argv[1], false);
}

void concatFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    std::string text;
    for (int i = 0; i < argc; ++i)
        if (const unsigned char* part = sqlite3_value_text(argv[i]))
            text.append(reinterpret_cast<const char*>(part),
                        static_cast<size_t>(sqlite3_value_bytes(argv[i])));
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void divisorFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    sqlite3_result_double(context, sqlite3_value_double(argv[0]));
}

void nvlFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    sqlite3_result_value(context, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

void toCharFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    sqlite3_result_text(context, reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), -1,
                        SQLITE_TRANSIENT);
}

DateValue dayOf(sqlite3_value* value) {
    return static_cast<double>(sqlite3_value_int64(value) / sqlite::kSecondsPerDay);
}

void resultDay(sqlite3_context* context, DateValue day) {
    sqlite3_result_int64(context, static_cast<long long>(std::floor(day)) * sqlite::kSecondsPerDay);
}

void lastDayFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    resultDay(context, lastDayOfMonth(dayOf(argv[0])));
}

void addMonthsFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    resultDay(context, addMonths(dayOf(argv[0]), sqlite3_value_int(argv[1])));
}

void extractFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    sqlite3_result_int(context, decodeDate(dayOf(argv[1])).year);
}

void define(sqlite3* db, const char* name, int args,
            void (*function)(sqlite3_context*, int, sqlite3_value**)) {
    sqlite3_create_function_v2(db, name, args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               function, nullptr, nullptr, nullptr);
}

void registerPlainFunctions(sqlite3* db) {
    define(db, "orv_plus", 2, plusFunction);
    define(db, "orv_minus", 2, minusFunction);
    define(db, "orv_concat", -1, concatFunction);
    define(db, "orv_divisor", 1, divisorFunction);
    define(db, "orv_extract", 2, extractFunction);
    define(db, "nvl", 2, nvlFunction);
    define(db, "to_char", 1, toCharFunction);
    define(db, "last_day", 1, lastDayFunction);
    define(db, "add_months", 2, addMonthsFunction);
}

// The translation without its date collations: the copy's dates are integers.
std::string withoutDateCollation(std::string sql) {
    const std::string collate = " COLLATE DATUM";
    for (size_t at = sql.find(collate); at != std::string::npos; at = sql.find(collate, at))
        sql.erase(at, collate.size());
    return sql;
}

} // namespace

void writePlainCopy(const std::string& bankPath, const std::string& plainPath) {
    // The bank's connection attaches only files that exist.
    for (const std::string& file : {plainPath, plainPath + ".skup"}) {
        sqlite3* created = nullptr;
        sqlite3_open_v2(file.c_str(), &created, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr);
        sqlite3_close(created);
    }
    sqlite::BankFile bank(bankPath, false);
    sqlite3* db = bank.handle();
    define(db, "bench_date_seconds", 1, dateSecondsFunction);
    exec(db, "ATTACH DATABASE '" + plainPath + "' AS plain");
    exec(db, "ATTACH DATABASE '" + plainPath + ".skup' AS plainskup");
    exec(db, "BEGIN");
    for (const BankTable& table : sqlite::bankTables())
        copyTable(db, table);
    exec(db, "COMMIT");
    exec(db, "ANALYZE plain");
    exec(db, "ANALYZE plainskup");
}

PlainStatement::PlainStatement(const std::string& plainPath, const std::string& bankSql) {
    if (sqlite3_open_v2(plainPath.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw DatabaseError("cannot open " + plainPath);
    exec(db_, "ATTACH DATABASE '" + plainPath + ".skup' AS skup");
    // The same page cache as the bank's connection.
    exec(db_, "PRAGMA cache_size = -4096");
    registerPlainFunctions(db_);
    // Branch 9 numbers its rows with ROWNUM, which the translation reads from a one-row counter
    // table: plain SQLite needs the same counter to run the same shape.
    sqlite::registerRowNumbers(db_);
    const sqlite::TranslatedStatement translated = sqlite::translateStatement(bankSql, true);
    sql_ = withoutDateCollation(translated.sql);
    if (sqlite3_prepare_v3(db_, sql_.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement_,
                           nullptr) != SQLITE_OK)
        throw DatabaseError(std::string(sqlite3_errmsg(db_)) + " in the plain statement");
    for (size_t i = 0; i < translated.literals.size(); ++i) {
        const sqlite::SharedLiteral& literal = translated.literals[i];
        const std::string name = ":orv_l" + std::to_string(i + 1);
        const int index = sqlite3_bind_parameter_index(statement_, name.c_str());
        long long seconds = 0;
        switch (literal.kind) {
        case sqlite::SharedLiteral::Kind::Integer:
            sqlite3_bind_int64(statement_, index, literal.integer);
            break;
        case sqlite::SharedLiteral::Kind::Real:
            sqlite3_bind_double(statement_, index, literal.real);
            break;
        case sqlite::SharedLiteral::Kind::Text:
            if (dateSecondsOf(literal.text, seconds))
                sqlite3_bind_int64(statement_, index, seconds);
            else
                sqlite3_bind_text(statement_, index, literal.text.c_str(), -1, SQLITE_TRANSIENT);
            break;
        }
    }
}

PlainStatement::~PlainStatement() {
    sqlite3_finalize(statement_);
    sqlite3_close(db_);
}

long PlainStatement::run() {
    long rows = 0;
    const int columns = sqlite3_column_count(statement_);
    int rc;
    while ((rc = sqlite3_step(statement_)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i)
            if (sqlite3_column_type(statement_, i) == SQLITE_TEXT)
                sqlite3_column_text(statement_, i);
        ++rows;
    }
    const std::string error = rc == SQLITE_DONE ? "" : sqlite3_errmsg(db_);
    sqlite3_reset(statement_);
    if (!error.empty()) throw DatabaseError(error);
    return rows;
}

} // namespace orv::bench
