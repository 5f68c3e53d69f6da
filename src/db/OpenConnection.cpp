#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/sqlite/SqliteConnection.h"

namespace orv {

std::unique_ptr<Connection> openConnection(const std::string& logonDatabase,
                                           const std::string& userName, const std::string& password,
                                           int busyTimeoutSeconds) {
    static constexpr std::string_view kSqlitePrefix = "sqlite:";
    if (logonDatabase.rfind(kSqlitePrefix, 0) == 0)
        return std::make_unique<sqlite::SqliteConnection>(
            logonDatabase.substr(kSqlitePrefix.size()), userName, password,
            busyTimeoutSeconds * 1000);
    // A server database is reached through ODBC; until that backend exists, such a logon
    // database cannot be resolved, which is what the bank's client says of an unknown one.
    throw DatabaseError("ORA-12154: TNS:could not resolve the connect identifier specified (" +
                        logonDatabase + ")");
}

} // namespace orv
