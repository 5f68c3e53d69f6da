#include "db/Session.h"

#include "db/DatabaseError.h"

namespace orv {

void Session::LogOn() {
    results_.setEnabled(false);
    connection_.reset();
    connection_ = openConnection(logonDatabase, logonUsername, logonPassword, busyTimeoutSeconds);
}

void Session::LogOff() {
    results_.setEnabled(false);
    connection_.reset();
}

void Session::Commit() {
    if (commitsHeld_) return;
    if (connection_) connection_->commit();
}

void Session::holdCommits() {
    if (commitsHeld_) throw DatabaseError("Another unit of work is open on this session");
    commitsHeld_ = true;
}

void Session::Rollback() {
    // Answers read inside the rolled-back work may show rows that no longer exist.
    results_.clear();
    if (connection_) connection_->rollback();
}

Connection& Session::connection() {
    if (!connection_) throw DatabaseError("ORA-03114: not connected to ORACLE (Not logged on)");
    return *connection_;
}

ResultSet Session::query(const std::string& sql, const std::vector<BoundVariable>& variables) {
    if (!results_.enabled()) return connection().query(sql, variables);
    std::string key = QueryResultCache::key(sql, variables);
    ResultSet result;
    if (results_.answer(key, result)) return result;
    result = connection().query(sql, variables);
    results_.keep(std::move(key), sql, result);
    return result;
}

void Session::execute(const std::string& sql, const std::vector<BoundVariable>& variables) {
    // Cleared first: a statement that fails half-way may still have changed rows.
    results_.clear();
    connection().execute(sql, variables);
}

void Session::insertRow(const std::string& table,
                        const std::vector<std::pair<std::string, Value>>& values) {
    results_.tableWritten(table);
    connection().insertRow(table, values);
}

} // namespace orv
