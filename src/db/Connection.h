#pragma once
// A backend's connection: what the session needs of a database, independent of which one.

#include "db/FieldInfo.h"
#include "db/RowStore.h"
#include "db/Value.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orv {

/// A named variable bound to a statement (name without the colon).
struct BoundVariable {
    std::string name;
    Value value;
};

/// All rows of a query, fetched at once.
struct ResultSet {
    std::vector<FieldInfo> fields;
    RowStore rows;
    /// The table every column comes from, when they all come from one; empty otherwise.
    std::string sourceTable;
};

class Connection {
public:
    virtual ~Connection() = default;

    /// Runs a query and fetches every row. Throws DatabaseError with the database's text.
    virtual ResultSet query(const std::string& sql,
                            const std::vector<BoundVariable>& variables) = 0;

    /// Runs a query and hands its rows over one at a time without keeping them: `columns` once,
    /// before the first row, then `row` for each row (the same vector, refilled). Columns
    /// without a declared type are described as texts. Throws DatabaseError.
    virtual void streamQuery(const std::string& sql, const std::vector<BoundVariable>& variables,
                             const std::function<void(const std::vector<FieldInfo>&)>& columns,
                             const std::function<void(const std::vector<Value>&)>& row) = 0;

    /// Executes a statement that returns no rows, inside the session's transaction.
    virtual void execute(const std::string& sql, const std::vector<BoundVariable>& variables) = 0;

    /// Inserts one row (column name, value) into a table, inside the session's transaction.
    virtual void insertRow(const std::string& table,
                           const std::vector<std::pair<std::string, Value>>& values) = 0;

    /// Takes the write lock on `table` and opens a transaction that holds it until the commit or
    /// rollback, so that another session that wants to write the table waits for this one. Waits
    /// for another session's lock as long as the busy timeout allows, then fails with ORA-00054.
    /// Readers are not held up: they see the table as it was until the commit.
    virtual void lockTableForWriting(const std::string& table) = 0;
    /// Commits the transaction; nothing happens when none is open.
    virtual void commit() = 0;

    /// Rolls the transaction back; nothing happens when none is open.
    virtual void rollback() = 0;

    /// Checks the database's files for damage: {"ok"} when they are sound, else one line per
    /// problem found. Throws DatabaseError when the backend cannot check itself.
    virtual std::vector<std::string> checkIntegrity();
};

/// How long a statement waits for a lock that another session holds, unless the alias says.
inline constexpr int kDefaultBusyTimeoutSeconds = 30;

/// Opens the backend that a logon database text names ("sqlite:<path>" is the embedded
/// substitute) and logs the user on. Throws DatabaseError with the database's text.
/// A statement that meets another session's lock waits up to `busyTimeoutSeconds` for it.
std::unique_ptr<Connection> openConnection(const std::string& logonDatabase,
                                           const std::string& userName, const std::string& password,
                                           int busyTimeoutSeconds = kDefaultBusyTimeoutSeconds);

} // namespace orv
