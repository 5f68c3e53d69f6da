#pragma once
// The server backend: a connection to the bank's database server through ODBC (unixODBC).
//
// The logon database text is the data source: a DSN name, or a whole ODBC connection string
// (anything with '=' in it, "Driver=...;Server=...;Port=...;Database=..."). The user name and
// password go to the server, which checks them. The connection runs one transaction (autocommit
// off); a failed statement takes back only itself, as on the bank's database.
//
// The dialect follows the server, read from the driver's DBMS name at logon: PostgreSQL gets the
// bank's statements translated (PostgresDialect.h) and a session that reads dates day first and
// finds the orafce functions; any other server is taken to speak the bank's dialect and gets the
// statements as they are. Prepared statements are kept by their server text, so a statement that
// repeats (every lookup of a transfer) is prepared on the server once.

#include "db/Connection.h"

#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace orv::odbc {

class OdbcConnection : public Connection {
public:
    /// Connects and logs on; throws DatabaseError with the server's own text (a wrong password
    /// is the server's refusal).
    /// A statement that meets another session's lock waits up to `busyTimeoutSeconds` for it.
    OdbcConnection(const std::string& dataSource, const std::string& userName,
                   const std::string& password,
                   int busyTimeoutSeconds = kDefaultBusyTimeoutSeconds);
    ~OdbcConnection() override;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

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

    /// Runs a statement in the server's own SQL, untranslated and without variables, inside the
    /// session's transaction. For tools that set up a bank on the server.
    void executeServerText(const std::string& serverSql) { runPlain(serverSql); }

    /// The DBMS name the driver reported at logon ("PostgreSQL", "Oracle", ...).
    const std::string& dbmsName() const { return dbmsName_; }
    /// True when statements are translated for PostgreSQL.
    bool translatesForPostgres() const { return postgres_; }

private:
    struct Prepared;
    struct Handles;
    struct Running;

    /// The server text of a statement, its parameters in order, and how its columns are named.
    struct ServerStatement {
        std::string sql;
        std::vector<std::string> parameters;
        std::vector<size_t> markers; ///< where each '?' stands in sql
        std::vector<std::string> columnNames;
        std::string sourceTable;
        bool changes = true; ///< not a query: the transaction holds a change after it
    };
    const ServerStatement& translate(const std::string& bankSql);
    Prepared& prepare(const std::string& serverSql);
    /// Prepares, binds and executes; the statement is open for fetching afterwards.
    /// With `ownHandle`, the statement runs on a prepared handle of its own even without
    /// variables (its rows are read while other statements run).
    Running run(const std::string& bankSql, const std::vector<BoundVariable>& variables,
                bool ownHandle = false);
    void installDateDifference();
    /// Runs server SQL as it stands; a failure is the server's text, or with `bankWords` the
    /// bank database's words for it.
    void runPlain(const std::string& serverSql, bool bankWords = false);
    void fetchAll(Running& running,
                  const std::function<void(const std::vector<FieldInfo>&)>& columns,
                  const std::function<void(const std::vector<Value>&)>& row);

    std::unique_ptr<Handles> handles_;
    std::unique_ptr<Prepared> direct_; ///< the handle of statements sent without variables
    std::string dbmsName_;
    bool postgres_ = false;
    int busyTimeoutSeconds_;
    bool changed_ = false;       ///< the transaction holds uncommitted changes
    bool savepointOpen_ = false; ///< the savepoint orv_statement exists in the transaction
    std::list<std::pair<std::string, std::unique_ptr<Prepared>>> order_;
    std::unordered_map<std::string, decltype(order_)::iterator> prepared_;
    std::unordered_map<std::string, ServerStatement> translations_;
};

} // namespace orv::odbc
