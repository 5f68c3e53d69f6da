#pragma once
// One prepared INSERT of the demo bank, reused for every row of its table.
//
// Values are optional: an empty one is NULL, as a column nobody sets in the bank's database.
// Dates are given as date texts (dd.mm.yyyy) and stored as the keys the date columns hold, so
// that the columns' triggers have nothing to rewrite.

#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

namespace orv::demo {

using Int = std::optional<long long>;
using Num = std::optional<double>;
using Txt = std::optional<std::string>;

class Inserter {
public:
    /// Prepares "INSERT INTO table (columns) VALUES (?, ...)". Throws DatabaseError.
    Inserter(sqlite3* db, const std::string& table, const std::vector<std::string>& columns);
    ~Inserter();
    Inserter(const Inserter&) = delete;
    Inserter& operator=(const Inserter&) = delete;

    /// Inserts one row; the values follow the columns' order. Throws DatabaseError.
    template <class... Values> void insert(const Values&... values) {
        int index = 0;
        (bind(++index, values), ...);
        run(index);
    }

    /// Rows inserted so far.
    long rows() const { return rows_; }

private:
    void bind(int index, const Int& value);
    void bind(int index, const Num& value);
    void bind(int index, const Txt& value);
    void run(int boundValues);

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    std::vector<bool> dateColumns_; ///< by bind index - 1: texts bound there are date keys
    std::string table_;
    int columns_ = 0;
    long rows_ = 0;
};

} // namespace orv::demo
