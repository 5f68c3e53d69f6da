#pragma once
// The local table store of the dataset print form: an in-memory SQLite database of its own,
// apart from the bank, that holds the temporary copies "_TMP<n>" and runs the listing
// statements over them as plain SQL (not the bank's dialect).
//
// Dates are stored as date values (days from 30.12.1899), so that they sort and aggregate as
// numbers. A date column's sentinel is a text literal ('03/10/2999', month/day/year) and a text
// sorts after every number, so the total lines of a date column sort after its dates. Reading
// back, a column named as a date column gives its date values and its month/day/year texts as
// the program's date texts (dd.mm.yyyy).

#include "db/Connection.h"

#include <set>
#include <string>

struct sqlite3;

namespace orv::print {

class LocalDatabase : public Connection {
public:
    LocalDatabase();
    ~LocalDatabase() override;
    LocalDatabase(const LocalDatabase&) = delete;
    LocalDatabase& operator=(const LocalDatabase&) = delete;

    ResultSet query(const std::string& sql, const std::vector<BoundVariable>& variables) override;
    void streamQuery(const std::string& sql, const std::vector<BoundVariable>& variables,
                     const std::function<void(const std::vector<FieldInfo>&)>& columns,
                     const std::function<void(const std::vector<Value>&)>& row) override;
    void execute(const std::string& sql, const std::vector<BoundVariable>& variables) override;
    void insertRow(const std::string& table,
                   const std::vector<std::pair<std::string, Value>>& values) override;
    void lockTableForWriting(const std::string& table) override;
    void commit() override;
    void rollback() override;

    /// Columns of these names (any letter case) read back as dates.
    void setDateColumns(const std::set<std::string>& names);

    sqlite3* handle() const { return db_; }

    /// Runs a statement without variables; throws DatabaseError with SQLite's text.
    void exec(const std::string& sql);

private:
    bool isDateColumn(const std::string& name) const;

    sqlite3* db_ = nullptr;
    std::set<std::string> dateColumns_; // upper case
};

/// A value read from a date column of the local store: a date value becomes its date text, a
/// month/day/year text ("03/10/2999", optionally with " hh:mm:ss") the same day's date text;
/// anything else stays as it is.
Value localDateValue(const Value& stored);

} // namespace orv::print
