#pragma once
// The one database session of the program (`OracleSession1`): logon properties, the connection
// and its single transaction.

#include "db/Connection.h"
#include "db/QueryResultCache.h"

#include <memory>
#include <string>

namespace orv {

class Session {
public:
    std::string logonDatabase;
    std::string logonUsername;
    std::string logonPassword;
    /// How long a statement waits for another session's lock (the alias's BUSY TIMEOUT).
    int busyTimeoutSeconds = kDefaultBusyTimeoutSeconds;

    /// Connects with the logon properties; replaces an earlier connection. Throws DatabaseError.
    void LogOn();
    /// Takes `connection` as the session's connection without a logon: a local store of the
    /// program's own (the dataset print form's copies) that no user owns.
    void attach(std::unique_ptr<Connection> connection) { connection_ = std::move(connection); }
    /// Ends the connection; uncommitted work is rolled back.
    void LogOff();
    bool connected() const { return connection_ != nullptr; }

    /// Commits the transaction when connected; does nothing otherwise. While a unit of work is
    /// open (see UnitOfWork) the commit waits for the unit's end.
    void Commit();
    /// Rolls back the transaction when connected; does nothing otherwise.
    void Rollback();

    /// The connection; throws DatabaseError "Not logged on" when there is none.
    Connection& connection();

    /// Runs a query, or answers it from the kept results (see QueryResultCache).
    ResultSet query(const std::string& sql, const std::vector<BoundVariable>& variables);
    /// Executes a statement that returns no rows; the kept results are forgotten.
    void execute(const std::string& sql, const std::vector<BoundVariable>& variables);
    /// Inserts one row; the kept results that read the table are forgotten.
    void insertRow(const std::string& table,
                   const std::vector<std::pair<std::string, Value>>& values);

    /// Keeps the answers of small queries while on. A transfer turns it on for its loop, in
    /// which the bank's reference data does not change; off, every query runs.
    void keepQueryResults(bool keep) { results_.setEnabled(keep); }
    /// The queries answered from the kept results since they were turned on.
    long keptResultHits() const { return results_.hits(); }

    /// Holds back every Commit until releaseCommits; for UnitOfWork. Throws when already held:
    /// units of work do not nest.
    void holdCommits();
    void releaseCommits() { commitsHeld_ = false; }
    bool commitsHeld() const { return commitsHeld_; }

private:
    std::unique_ptr<Connection> connection_;
    bool commitsHeld_ = false;
    QueryResultCache results_;
};

} // namespace orv
