#include "db/Session.h"

#include "db/DatabaseError.h"

namespace orv {

void Session::LogOn() {
    connection_.reset();
    connection_ = openConnection(logonDatabase, logonUsername, logonPassword, busyTimeoutSeconds);
}

void Session::LogOff() {
    connection_.reset();
}

void Session::Commit() {
    if (connection_) connection_->commit();
}

void Session::Rollback() {
    if (connection_) connection_->rollback();
}

Connection& Session::connection() {
    if (!connection_) throw DatabaseError("ORA-03114: not connected to ORACLE (Not logged on)");
    return *connection_;
}

} // namespace orv
