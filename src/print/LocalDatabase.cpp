#include "print/LocalDatabase.h"

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "db/DatabaseError.h"

#include <sqlite3.h>

#include <cstdio>

namespace orv::print {

namespace {

// A prepared statement that is finalized when it goes, also when a step throws.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_,
                               nullptr) != SQLITE_OK)
            throw DatabaseError(sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return statement_; }
    /// True for a row, false at the end.
    bool step() {
        const int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw DatabaseError(sqlite3_errmsg(db_));
    }

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

void bind(sqlite3_stmt* statement, int index, const Value& value) {
    if (value.isNull())
        sqlite3_bind_null(statement, index);
    else if (value.isInteger())
        sqlite3_bind_int64(statement, index, value.integer());
    else if (value.isReal())
        sqlite3_bind_double(statement, index, value.real());
    else
        sqlite3_bind_text(statement, index, value.text().c_str(),
                          static_cast<int>(value.text().size()), SQLITE_TRANSIENT);
}

void bindVariables(sqlite3_stmt* statement, const std::vector<BoundVariable>& variables) {
    for (const BoundVariable& variable : variables) {
        const std::string name = ":" + variable.name;
        const int index = sqlite3_bind_parameter_index(statement, name.c_str());
        if (index > 0) bind(statement, index, variable.value);
    }
}

Value columnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return Value(static_cast<long long>(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(statement, column));
    case SQLITE_NULL:
        return Value();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return Value(
            std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column))));
    }
    }
}

} // namespace

Value localDateValue(const Value& stored) {
    if (stored.isNumber()) return Value(formatDateTime(stored.number()));
    if (!stored.isText()) return stored;
    int month = 0, day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char rest = 0;
    const int read = std::sscanf(stored.text().c_str(), "%2d/%2d/%4d %2d:%2d:%2d%c", &month, &day,
                                 &year, &hour, &minute, &second, &rest);
    if ((read != 3 && read != 6) || !isValidDate(year, month, day)) return stored;
    return Value(formatDateTime(encodeDateTime({year, month, day, hour, minute, second})));
}

LocalDatabase::LocalDatabase() {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw DatabaseError(message);
    }
}

LocalDatabase::~LocalDatabase() {
    sqlite3_close_v2(db_);
}

void LocalDatabase::setDateColumns(const std::set<std::string>& names) {
    dateColumns_.clear();
    for (const std::string& name : names)
        dateColumns_.insert(toUpper(name));
}

bool LocalDatabase::isDateColumn(const std::string& name) const {
    return dateColumns_.count(toUpper(name)) != 0;
}

void LocalDatabase::exec(const std::string& sql) {
    execute(sql, {});
}

void LocalDatabase::streamQuery(const std::string& sql, const std::vector<BoundVariable>& variables,
                                const std::function<void(const std::vector<FieldInfo>&)>& columns,
                                const std::function<void(const std::vector<Value>&)>& row) {
    Statement statement(db_, sql);
    bindVariables(statement.get(), variables);
    const int count = sqlite3_column_count(statement.get());
    std::vector<FieldInfo> fields(static_cast<size_t>(count));
    std::vector<bool> dates(static_cast<size_t>(count));
    bool described = false;
    std::vector<Value> values(static_cast<size_t>(count));
    // The kind of a column without a declared type shows in its first value that is not NULL.
    const auto describe = [&](bool fromValues) {
        for (int i = 0; i < count; ++i) {
            FieldInfo& field = fields[static_cast<size_t>(i)];
            field.name = sqlite3_column_name(statement.get(), i);
            field.displayLabel = field.name;
            dates[static_cast<size_t>(i)] = isDateColumn(field.name);
            const char* declared = sqlite3_column_decltype(statement.get(), i);
            const std::string type = declared ? toUpper(declared) : "";
            if (dates[static_cast<size_t>(i)])
                field.type = FieldType::Date;
            else if (type.find("INT") != std::string::npos || type == "REAL" || type == "NUMERIC" ||
                     (type.empty() && fromValues &&
                      sqlite3_column_type(statement.get(), i) != SQLITE_TEXT &&
                      sqlite3_column_type(statement.get(), i) != SQLITE_BLOB))
                field.type = FieldType::Float;
            else
                field.type = FieldType::String;
        }
        described = true;
        columns(fields);
    };
    while (statement.step()) {
        if (!described) describe(true);
        for (int i = 0; i < count; ++i) {
            Value value = columnValue(statement.get(), i);
            values[static_cast<size_t>(i)] =
                dates[static_cast<size_t>(i)] ? localDateValue(value) : std::move(value);
        }
        row(values);
    }
    if (!described) describe(false);
}

ResultSet LocalDatabase::query(const std::string& sql,
                               const std::vector<BoundVariable>& variables) {
    ResultSet result;
    streamQuery(
        sql, variables, [&](const std::vector<FieldInfo>& fields) { result.fields = fields; },
        [&](const std::vector<Value>& row) { result.rows.addRow(row); });
    return result;
}

void LocalDatabase::execute(const std::string& sql, const std::vector<BoundVariable>& variables) {
    Statement statement(db_, sql);
    bindVariables(statement.get(), variables);
    while (statement.step()) {
    }
}

void LocalDatabase::insertRow(const std::string& table,
                              const std::vector<std::pair<std::string, Value>>& values) {
    std::string names, marks;
    for (const auto& [name, value] : values) {
        names += (names.empty() ? "\"" : ",\"") + name + "\"";
        marks += marks.empty() ? "?" : ",?";
    }
    Statement statement(db_,
                        "INSERT INTO \"" + table + "\" (" + names + ") VALUES (" + marks + ")");
    int index = 1;
    for (const auto& entry : values)
        bind(statement.get(), index++, entry.second);
    statement.step();
}

void LocalDatabase::lockTableForWriting(const std::string&) {
    // One file, one write lock for all its tables.
    if (sqlite3_get_autocommit(db_)) exec("BEGIN IMMEDIATE");
}

void LocalDatabase::commit() {
    if (!sqlite3_get_autocommit(db_)) exec("COMMIT");
}

void LocalDatabase::rollback() {
    if (!sqlite3_get_autocommit(db_)) exec("ROLLBACK");
}

} // namespace orv::print
