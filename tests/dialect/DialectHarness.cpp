#include "DialectHarness.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/BankErrorTexts.h"
#include "db/sqlite/dialect/DateText.h"

#include <cstdio>
#include <memory>

namespace orv::sqlite::test {

namespace {

struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

void bindLiteral(sqlite3_stmt* statement, int index, const SharedLiteral& literal) {
    switch (literal.kind) {
    case SharedLiteral::Kind::Integer:
        sqlite3_bind_int64(statement, index, literal.integer);
        break;
    case SharedLiteral::Kind::Real:
        sqlite3_bind_double(statement, index, literal.real);
        break;
    case SharedLiteral::Kind::Text:
        sqlite3_bind_text(statement, index, literal.text.c_str(), -1, SQLITE_TRANSIENT);
        break;
    }
}

} // namespace

DialectDatabase::DialectDatabase() {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw DatabaseError("cannot open");
    registerDialect(db_);
}

DialectDatabase::~DialectDatabase() {
    sqlite3_close(db_);
}

void DialectDatabase::execute(const std::string& bankSql) {
    query(bankSql);
}

Rows DialectDatabase::query(const std::string& bankSql, const std::vector<Bind>& binds,
                            bool shareLiterals) {
    const TranslatedStatement translated = translateStatement(bankSql, shareLiterals);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, translated.sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw DatabaseError(bankWordsFor(sqlite3_errmsg(db_)) + " in: " + translated.sql);
    Statement statement(raw);
    for (size_t i = 0; i < translated.literals.size(); ++i) {
        const std::string name = ":orv_l" + std::to_string(i + 1);
        bindLiteral(raw, sqlite3_bind_parameter_index(raw, name.c_str()), translated.literals[i]);
    }
    for (const Bind& bind : binds) {
        const int index = sqlite3_bind_parameter_index(raw, (":" + bind.name).c_str());
        if (index == 0) throw DatabaseError("no variable " + bind.name);
        sqlite3_bind_text(raw, index, bind.value.c_str(), -1, SQLITE_TRANSIENT);
    }
    Rows rows;
    takeDateComparisonError();
    for (;;) {
        const int rc = sqlite3_step(raw);
        if (const char* error = takeDateComparisonError()) throw DatabaseError(error);
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) throw DatabaseError(bankWordsFor(sqlite3_errmsg(db_)));
        Row row;
        for (int c = 0; c < sqlite3_column_count(raw); ++c)
            row.push_back(valueText(raw, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string valueText(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return "NULL";
    case SQLITE_INTEGER:
        return std::to_string(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT: {
        const double value = sqlite3_column_double(statement, column);
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.15g", value == 0.0 ? 0.0 : value);
        return buffer;
    }
    default: {
        // A stored date reads back as the program reads it: dd.mm.yyyy.
        const std::string text =
            reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        DateParts parts;
        return readDateKey(text, parts) ? canonicalDateText(parts) : text;
    }
    }
}

} // namespace orv::sqlite::test
