#pragma once
// A PostgreSQL 15 server of the tests' own: a cluster in a temporary folder, on a free port of
// the loopback interface, started once per test program and stopped when the program ends.
// When the tests run as root the cluster belongs to an unprivileged user (the server refuses to
// run as root). The server has the orafce extension available in every database it creates.

#include <memory>
#include <string>

namespace orv::test {

class PostgresServer {
public:
    /// The program's server, started on first use. Never null; check available().
    static PostgresServer& shared();

    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    /// True when the server runs; otherwise unavailableReason() says why not.
    bool available() const { return running_; }
    const std::string& unavailableReason() const { return reason_; }

    /// The superuser the cluster was made with, and its password.
    static constexpr const char* kAdmin = "ORV_ADMIN";
    static constexpr const char* kAdminPassword = "Skrbnik-Geslo-1";

    /// Creates an empty database (dropping one of the same name) with orafce, owned by the
    /// superuser. Throws std::runtime_error with psql's output on failure.
    void createDatabase(const std::string& name) const;

    /// Runs SQL through psql as the superuser on a database; throws on failure.
    std::string psql(const std::string& database, const std::string& sql) const;

    /// An ODBC connection string for a database of this server (no user or password in it).
    std::string connectionString(const std::string& database) const;

    int port() const { return port_; }

private:
    PostgresServer();
    bool start();
    void stop();
    void watchOverServer();

    std::string folder_;
    std::string bin_;
    std::string runAs_; ///< "runuser -u nobody -- " when running as root, else ""
    int port_ = 0;
    bool running_ = false;
    std::string reason_;
};

/// Call at the start of a test that needs the server: skips the test with the reason when no
/// server could be started.
#define ORV_REQUIRE_POSTGRES()                                                                     \
    do {                                                                                           \
        if (!::orv::test::PostgresServer::shared().available())                                    \
            GTEST_SKIP() << "no PostgreSQL server: "                                               \
                         << ::orv::test::PostgresServer::shared().unavailableReason();             \
    } while (false)

} // namespace orv::test
