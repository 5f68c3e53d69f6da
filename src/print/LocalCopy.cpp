#include "print/LocalCopy.h"

#include "base/Besedilo.h"
#include "base/Datum.h"
#include "db/DatabaseError.h"
#include "db/TOracleDataSet.h"
#include "print/LocalDatabase.h"

#include <sqlite3.h>

#include <atomic>
#include <set>

namespace orv::print {

namespace {

// Every new copy of the process gets the next number, also after the earlier ones are gone.
std::atomic<int> nextCopyNumber{0};

std::string columnType(CopyKind kind) {
    switch (kind) {
    case CopyKind::Text:
        return "TEXT";
    case CopyKind::Integer:
        return "INTEGER";
    case CopyKind::Float:
    case CopyKind::Date: // a date value: days from 30.12.1899
        return "REAL";
    }
    return "TEXT";
}

// A source value as the copy stores it: dates as date values, numbers as numbers.
Value storedValue(const CopyField& field, const Value& value) {
    if (value.isNull()) return value;
    switch (field.kind) {
    case CopyKind::Date:
        if (value.isText()) {
            if (const auto date = parseDate(value.text())) return Value(*date);
        }
        return value;
    case CopyKind::Float:
    case CopyKind::Integer:
        return value;
    case CopyKind::Text:
        return value.isText() ? value : Value(value.toText());
    }
    return value;
}

} // namespace

std::string labelOf(const CopyField& field) {
    return field.displayLabel.empty() ? field.name : field.displayLabel;
}

LocalCopy::~LocalCopy() {
    try {
        close();
    } catch (...) {
        // The store goes with the process; a table it could not drop costs only memory.
    }
}

void LocalCopy::define(const std::vector<FieldInfo>& source, const std::vector<int>& visible) {
    close();
    name_ = "_TMP" + std::to_string(nextCopyNumber++);
    fields_.clear();
    CopyField n;
    n.name = "N";
    n.kind = CopyKind::Integer;
    n.displayLabel = "N";
    n.displayWidth = 1;
    fields_.push_back(n);
    std::set<std::string> dates;
    for (const int position : visible) {
        const FieldInfo& info = source[static_cast<size_t>(position)];
        CopyField field;
        field.name = info.name;
        field.kind = info.type == FieldType::Float  ? CopyKind::Float
                     : info.type == FieldType::Date ? CopyKind::Date
                                                    : CopyKind::Text;
        field.size = info.size;
        field.displayLabel = info.displayLabel;
        field.displayWidth = info.displayWidth;
        if (field.kind == CopyKind::Float) field.displayFormat = info.displayFormat;
        field.sourceField = position;
        if (field.kind == CopyKind::Date) dates.insert(field.name);
        fields_.push_back(field);
    }
    database_.setDateColumns(dates);
}

void LocalCopy::open() {
    if (open_ || name_.empty()) return;
    std::string columns;
    for (const CopyField& field : fields_)
        columns += (columns.empty() ? "\"" : ", \"") + field.name + "\" " + columnType(field.kind);
    database_.exec("CREATE TABLE \"" + name_ + "\" (" + columns + ")");
    open_ = true;
}

void LocalCopy::close() {
    if (!open_) return;
    open_ = false;
    database_.exec("DROP TABLE IF EXISTS \"" + name_ + "\"");
}

int LocalCopy::indexOf(const std::string& name) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (toUpper(fields_[i].name) == toUpper(name)) return static_cast<int>(i);
    return -1;
}

std::string LocalCopy::from() const {
    return "FROM \"" + name_ + "\"";
}

void LocalCopy::copyRows(TOracleDataSet& source, const std::function<void(int)>& progress) {
    std::string names, marks;
    for (const CopyField& field : fields_) {
        names += (names.empty() ? "\"" : ", \"") + field.name + "\"";
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO \"" + name_ + "\" (" + names + ") VALUES (" + marks + ")";
    sqlite3* db = database_.handle();
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(db));
    database_.exec("BEGIN");
    try {
        const int rows = source.RecordCount();
        for (int row = 0; row < rows; ++row) {
            sqlite3_reset(insert);
            sqlite3_bind_int64(insert, 1, 1); // N
            for (size_t i = 1; i < fields_.size(); ++i) {
                const int column = static_cast<int>(i) + 1;
                const Value value =
                    storedValue(fields_[i], source.cell(row, fields_[i].sourceField));
                if (value.isNull())
                    sqlite3_bind_null(insert, column);
                else if (value.isInteger())
                    sqlite3_bind_int64(insert, column, value.integer());
                else if (value.isReal())
                    sqlite3_bind_double(insert, column, value.real());
                else
                    sqlite3_bind_text(insert, column, value.text().c_str(),
                                      static_cast<int>(value.text().size()), SQLITE_TRANSIENT);
            }
            if (sqlite3_step(insert) != SQLITE_DONE) throw DatabaseError(sqlite3_errmsg(db));
            if (progress) progress(row + 1);
        }
        sqlite3_finalize(insert);
        insert = nullptr;
        database_.exec("COMMIT");
    } catch (...) {
        sqlite3_finalize(insert);
        database_.rollback();
        throw;
    }
    if (source.RecordCount() > 0) source.First();
}

} // namespace orv::print
