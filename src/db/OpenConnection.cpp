#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/odbc/OdbcConnection.h"
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
    // Anything else names a server database, reached through ODBC.
    return std::make_unique<odbc::OdbcConnection>(logonDatabase, userName, password,
                                                  busyTimeoutSeconds);
}

} // namespace orv
