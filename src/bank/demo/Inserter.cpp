#include "bank/demo/Inserter.h"

#include "bank/BankSchemaTables.h"
#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"

namespace orv::demo {

namespace {

// Which of the named columns of a bank table ("skup.X" or "X") hold dates.
std::vector<bool> findDateColumns(const std::string& table,
                                  const std::vector<std::string>& columns) {
    const size_t dot = table.find('.');
    const std::string name = dot == std::string::npos ? table : table.substr(dot + 1);
    std::vector<bool> dates(columns.size(), false);
    for (const sqlite::BankTable& bankTable : sqlite::bankTables()) {
        if (name != bankTable.name) continue;
        for (size_t i = 0; i < columns.size(); ++i)
            for (const sqlite::BankColumn& column : bankTable.columns)
                if (columns[i] == column.name && column.kind == sqlite::ColumnKind::Date)
                    dates[i] = true;
    }
    return dates;
}

} // namespace

Inserter::Inserter(sqlite3* db, const std::string& table, const std::vector<std::string>& columns)
    : db_(db), dateColumns_(findDateColumns(table, columns)), table_(table),
      columns_(static_cast<int>(columns.size())) {
    std::string names, marks;
    for (const auto& column : columns) {
        names += (names.empty() ? "" : ", ") + column;
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
    if (sqlite3_prepare_v3(db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
        SQLITE_OK)
        throw DatabaseError("demo bank, table " + table + ": " + sqlite3_errmsg(db_));
}

Inserter::~Inserter() {
    sqlite3_finalize(statement_);
}

void Inserter::bind(int index, const Int& value) {
    if (value)
        sqlite3_bind_int64(statement_, index, *value);
    else
        sqlite3_bind_null(statement_, index);
}

void Inserter::bind(int index, const Num& value) {
    if (value)
        sqlite3_bind_double(statement_, index, *value);
    else
        sqlite3_bind_null(statement_, index);
}

void Inserter::bind(int index, const Txt& value) {
    DateParts parts;
    if (value && dateColumns_[static_cast<size_t>(index - 1)] &&
        sqlite::readDateText(*value, parts) == sqlite::DateTextError::None) {
        const std::string key = sqlite::dateKey(parts);
        sqlite3_bind_text(statement_, index, key.data(), static_cast<int>(key.size()),
                          SQLITE_TRANSIENT);
    } else if (value)
        sqlite3_bind_text(statement_, index, value->data(), static_cast<int>(value->size()),
                          SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(statement_, index);
}

void Inserter::run(int boundValues) {
    if (boundValues != columns_)
        throw DatabaseError("demo bank, table " + table_ + ": " + std::to_string(boundValues) +
                            " values for " + std::to_string(columns_) + " columns");
    if (sqlite3_step(statement_) != SQLITE_DONE) {
        const std::string text = sqlite3_errmsg(db_);
        sqlite3_reset(statement_);
        throw DatabaseError("demo bank, table " + table_ + ": " + text);
    }
    sqlite3_reset(statement_);
    ++rows_;
}

} // namespace orv::demo
