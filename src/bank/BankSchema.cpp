#include "bank/BankSchema.h"

#include "bank/BankSchemaTables.h"
#include "db/DatabaseError.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orv::sqlite {

namespace {

// The bank's database checks every value it stores: a date column takes only real days and a
// number column only numbers. The check functions and the collation come from the dialect.
std::string columnDefinition(const BankColumn& column) {
    const std::string name = column.name;
    std::string definition = name + " " + declaredType(column);
    if (column.kind == ColumnKind::Date)
        definition += " COLLATE DATUM CHECK (orv_check_date(" + name + "))";
    else if (column.kind == ColumnKind::Number)
        definition += " CHECK (orv_check_number(" + name + "))";
    return definition;
}

// SQLite names the schema before the object in CREATE TABLE/INDEX/TRIGGER; the table an index
// or trigger belongs to is then named without it.
std::string qualified(const BankTable& table, const std::string& object) {
    return std::string(table.schema) == "main" ? object : std::string(table.schema) + "." + object;
}

std::string createTable(const BankTable& table) {
    std::string sql = "CREATE TABLE " + qualified(table, table.name) + " ( -- " + table.holds;
    for (size_t i = 0; i < table.columns.size(); ++i)
        sql += std::string(i == 0 ? "\n  " : ",\n  ") + columnDefinition(table.columns[i]);
    return sql + "\n)";
}

std::vector<std::string> createIndexes(const BankTable& table) {
    std::vector<std::string> statements;
    for (size_t k = 0; k < table.keys.size(); ++k) {
        std::string indexName = std::string(table.name) + "_K" + std::to_string(k + 1);
        std::vector<std::string> names;
        for (const char* column : table.keys[k]) {
            if (std::string(column) != kEveryOtherColumn) {
                names.push_back(column);
                continue;
            }
            for (const BankColumn& other : table.columns)
                if (std::find(names.begin(), names.end(), other.name) == names.end())
                    names.push_back(other.name);
        }
        std::string columns;
        for (const std::string& column : names)
            columns += (columns.empty() ? "" : ", ") + column;
        statements.push_back("CREATE INDEX " + qualified(table, indexName) + " ON " + table.name +
                             " (" + columns + ")");
    }
    return statements;
}

std::vector<const BankColumn*> dateColumns(const BankTable& table) {
    std::vector<const BankColumn*> dates;
    for (const BankColumn& column : table.columns)
        if (column.kind == ColumnKind::Date) dates.push_back(&column);
    return dates;
}

// A date column stores each date as its key (see db/sqlite/dialect/DateText.h): keys compare
// chronologically byte by byte, so indexes, joins, ORDER BY, GROUP BY and MIN/MAX on dates never
// parse, a CASE or an aggregate over date columns is still a date, and the reader turns every key
// back into dd.mm.yyyy. The column's DATUM collation compares a key with the date texts that
// statements write ('31.12.2024', '1.1.2007'). A date written as text ('1.1.2007', a bound
// dd.mm.yyyy) is replaced by its key; the trigger runs only for such rows, so that writers that
// store keys already (the demo generator) pay nothing but the test. BINARY makes the test see
// the difference that the DATUM collation would call equal.
std::string createNormalisingTrigger(const BankTable& table, const char* event,
                                     const std::string& suffix) {
    std::string when;
    std::string set;
    std::string columnList;
    for (const BankColumn* column : dateColumns(table)) {
        const std::string name = column->name;
        when += (when.empty() ? "" : " OR ") + ("NEW." + name) + " IS NOT orv_date_key(NEW." +
                name + ") COLLATE BINARY";
        set += (set.empty() ? "" : ", ") + name + " = orv_date_key(" + name + ")";
        columnList += (columnList.empty() ? "" : ", ") + name;
    }
    const std::string on = std::string(event) == "UPDATE" ? "UPDATE OF " + columnList : event;
    return "CREATE TRIGGER " + qualified(table, std::string(table.name) + suffix) + " AFTER " + on +
           " ON " + table.name + " WHEN " + when + " BEGIN UPDATE " + table.name + " SET " + set +
           " WHERE rowid = NEW.rowid; END";
}

std::vector<std::string> schemaStatements() {
    std::vector<std::string> statements;
    for (const BankTable& table : bankTables()) {
        statements.push_back(createTable(table));
        for (std::string& index : createIndexes(table))
            statements.push_back(std::move(index));
        if (dateColumns(table).empty()) continue;
        statements.push_back(createNormalisingTrigger(table, "INSERT", "_DATUM_AI"));
        statements.push_back(createNormalisingTrigger(table, "UPDATE", "_DATUM_AU"));
    }
    return statements;
}

void execute(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw DatabaseError(text);
    }
}

} // namespace

void createBankSchema(sqlite3* db) {
    // One transaction: a bank gets all of its tables or none.
    execute(db, "BEGIN");
    try {
        for (const std::string& statement : schemaStatements())
            execute(db, statement);
        execute(db, "COMMIT");
    } catch (const DatabaseError&) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace orv::sqlite
