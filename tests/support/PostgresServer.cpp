#include "support/PostgresServer.h"

#include "support/TestBank.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace orv::test {

namespace {

// The server's programs: ORVELNOST_PG_BIN when set, else Debian's PostgreSQL 15.
std::string serverPrograms() {
    if (const char* bin = std::getenv("ORVELNOST_PG_BIN")) return bin;
    return "/usr/lib/postgresql/15/bin";
}

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

} // namespace

PostgresServer& PostgresServer::shared() {
    static PostgresServer server;
    return server;
}

PostgresServer::PostgresServer() : bin_(serverPrograms()) {
    running_ = start();
}

PostgresServer::~PostgresServer() {
    stop();
}

bool PostgresServer::start() {
    namespace fs = std::filesystem;
    if (!fs::exists(bin_ + "/initdb") || !fs::exists(bin_ + "/pg_ctl")) {
        reason_ = "initdb and pg_ctl not found in " + bin_ + " (install postgresql-15)";
        return false;
    }
    char pattern[] = "/tmp/orvelnost-pg-XXXXXX";
    if (!::mkdtemp(pattern)) {
        reason_ = "cannot create a temporary folder";
        return false;
    }
    folder_ = pattern;
    if (::geteuid() == 0) {
        // The server refuses to run as root: the cluster belongs to nobody.
        runAs_ = "runuser -u nobody -- ";
        if (runCommand("chown nobody " + shellQuoted(folder_)).exitCode != 0) {
            reason_ = "cannot hand " + folder_ + " to the user nobody";
            return false;
        }
    }
    { std::ofstream(folder_ + "/pw") << kAdminPassword << "\n"; }
    if (!runAs_.empty()) runCommand("chown nobody " + shellQuoted(folder_ + "/pw"));
    const CommandResult init = runCommand(
        runAs_ + shellQuoted(bin_ + "/initdb") + " -D " + shellQuoted(folder_ + "/data") + " -U " +
        kAdmin + " --auth=scram-sha-256 --pwfile=" + shellQuoted(folder_ + "/pw") +
        " -E UTF8 --locale=C.UTF-8 --no-sync");
    if (init.exitCode != 0) {
        reason_ = "initdb failed: " + init.err + init.out;
        return false;
    }
    // A few tries: another program may take the free port between the look and the start.
    for (int attempt = 0; attempt < 3; ++attempt) {
        port_ = freePort();
        const std::string options = "-p " + std::to_string(port_) + " -k " + folder_ +
                                    " -c listen_addresses=127.0.0.1 -c fsync=off"
                                    " -c synchronous_commit=off -c full_page_writes=off";
        const CommandResult started = runCommand(runAs_ + shellQuoted(bin_ + "/pg_ctl") + " -D " +
                                                 shellQuoted(folder_ + "/data") + " -l " +
                                                 shellQuoted(folder_ + "/server.log") + " -o " +
                                                 shellQuoted(options) + " -w -t 30 start");
        if (started.exitCode == 0) {
            watchOverServer();
            return true;
        }
        reason_ = "pg_ctl start failed: " + started.err + started.out;
    }
    return false;
}

// A program that is killed (a timeout, a crash, a closed pipe) runs no destructor: a watchdog
// process waits for the end of a pipe that only this program holds open, and when the program is
// gone, whatever ended it, stops the server and removes its folder.
void PostgresServer::watchOverServer() {
    int ends[2];
    if (::pipe(ends) != 0) return;
    const pid_t watchdog = ::fork();
    if (watchdog < 0) {
        ::close(ends[0]);
        ::close(ends[1]);
        return;
    }
    if (watchdog == 0) {
        ::close(ends[1]);
        char byte;
        while (::read(ends[0], &byte, 1) > 0) {
        }
        const std::string stopServer =
            runAs_ + shellQuoted(bin_ + "/pg_ctl") + " -D " + shellQuoted(folder_ + "/data") +
            " -m immediate -w stop >/dev/null 2>&1; rm -rf " + shellQuoted(folder_);
        const int ignored = std::system(stopServer.c_str());
        (void)ignored;
        ::_exit(0);
    }
    ::close(ends[0]);
    // Not inherited by the commands the tests run, which would keep the pipe open.
    ::fcntl(ends[1], F_SETFD, FD_CLOEXEC);
}

void PostgresServer::stop() {
    if (running_)
        runCommand(runAs_ + shellQuoted(bin_ + "/pg_ctl") + " -D " +
                   shellQuoted(folder_ + "/data") + " -m immediate -w stop");
    running_ = false;
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::string PostgresServer::psql(const std::string& database, const std::string& sql) const {
    const CommandResult result =
        runCommand("PGPASSWORD=" + shellQuoted(kAdminPassword) + " " + shellQuoted(bin_ + "/psql") +
                       " -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p " + std::to_string(port_) +
                       " -U " + kAdmin + " -d " + shellQuoted(database) + " -f -",
                   sql);
    if (result.exitCode != 0) throw std::runtime_error("psql: " + result.err + result.out);
    return result.out;
}

void PostgresServer::createDatabase(const std::string& name) const {
    psql("postgres",
         "DROP DATABASE IF EXISTS " + name + " WITH (FORCE);\nCREATE DATABASE " + name + ";\n");
    psql(name, "CREATE EXTENSION orafce;\n");
}

std::string PostgresServer::connectionString(const std::string& database) const {
    return "Driver={PostgreSQL ANSI};Server=127.0.0.1;Port=" + std::to_string(port_) +
           ";Database=" + database + ";";
}

} // namespace orv::test
