#pragma once
// Answers of small queries kept for a while, so that a question asked again is not run again.
//
// A transfer asks the bank the same questions over and over: the balance of an account, the
// rate of a currency on the reporting date, the data of a deal. The bank's reference data does
// not change within a transfer, and the one table the transfer writes as it goes is its output,
// so a query asked again with the same text and the same bound values gets the same rows. The
// cache keeps such answers while the session allows it (`keepQueryResults`), and forgets them as
// soon as they could be out of date:
// * a row inserted into a table drops every answer whose statement names that table, and
//   statements that name it are not kept from then on;
// * any other statement the session runs (an UPDATE, a DELETE, DDL) drops every answer;
// * so does a rollback, and turning the cache off.
// Statements whose answer changes by itself (SYSDATE, a sequence) are never kept, and neither
// are large results, which are read once.

#include "db/Connection.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace orv {

class QueryResultCache {
public:
    /// Whether answers are kept; turning it off forgets them.
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    /// The key of a query: its text and its bound values.
    static std::string key(const std::string& sql, const std::vector<BoundVariable>& variables);
    /// Fills `result` with a copy of the kept answer of a query; false when there is none.
    bool answer(const std::string& key, ResultSet& result);
    /// Keeps an answer when the cache is on and the statement and result qualify.
    void keep(std::string key, const std::string& sql, const ResultSet& result);

    /// A row went into `table`: forgets the answers that read it.
    void tableWritten(const std::string& table);
    /// Forgets every answer.
    void clear();

    /// Answers given from the cache since it was turned on (for the benchmark's report).
    long hits() const { return hits_; }

private:
    /// False for a statement whose answer changes by itself or that names a written table.
    bool keepable(const std::string& sql) const;

    struct Entry {
        std::string sql; ///< to find the tables a statement names
        ResultSet result;
    };

    bool enabled_ = false;
    std::unordered_map<std::string, Entry> entries_;
    /// The tables written while the cache is on. A statement that names one is not kept: the
    /// transfer writes its output row by row, and an answer over it would not outlive the next.
    std::vector<std::string> writtenTables_;
    size_t bytes_ = 0;
    long hits_ = 0;
};

} // namespace orv
