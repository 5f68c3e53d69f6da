// orvelnost-demo [--velikost N] [--seme S] [--alias IME] [--geslo G] [--prazna]
//                [--skrbnik U [--skrbnik-geslo G2]] POT
// orvelnost-demo --streznik DSN --skrbnik U [--skrbnik-geslo G2] [--velikost N] ... [--prazna]
//
// Creates a synthetic bank database at POT (never over an existing file), the user OPERATER
// with password G, and writes the alias IME that names it into the alias store. With --skrbnik
// the bank also gets its owner U, the one user who may change the bank's tables' structure. The
// bank is built under a temporary name beside POT and moved into place only when it is complete.
// With --streznik the same bank is created in an empty database of a PostgreSQL server (the
// ODBC data source DSN), by the server user U, with OPERATER as a server role; the alias then
// names the data source.

#include "bank/BankSchema.h"
#include "bank/demo/DemoBank.h"
#include "bank/server/ServerBank.h"
#include "base/AliasStore.h"
#include "base/Besedilo.h"
#include "base/PasswordInput.h"
#include "cli/CommandLine.h"
#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <limits>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: orvelnost-demo [--velikost N] [--seme S] [--alias IME] [--geslo G] [--prazna]\n"
    "                      [--skrbnik U [--skrbnik-geslo G2]] POT\n"
    "       orvelnost-demo --streznik DSN --skrbnik U [--skrbnik-geslo G2] [options]\n"
    "Creates a demo bank at POT (an existing file is never written over), or with --streznik\n"
    "in an empty database of a PostgreSQL server.\n"
    "  --velikost N  size of the bank, 1 to 1000000: contracts, securities, deals, postings\n"
    "                grow with N (100)\n"
    "  --seme S      seed of the synthetic data (1)\n"
    "  --alias IME   alias written into the alias store (ORVDEMO)\n"
    "  --geslo G     password of the user OPERATER (demo); '-' takes it from ORVELNOST_GESLO\n"
    "                when set, else from standard input (or asks for it on a terminal)\n"
    "  --prazna      schema, routines and the user only, no bank data\n"
    "  --streznik DSN  the server's ODBC data source (a DSN or a connection string)\n"
    "  --skrbnik U     the bank's owner: on a server the server user that creates the bank\n"
    "                  (tables, functions, the role OPERATER); in a bank file a user U with\n"
    "                  the owner's rights (the only one who may drop or alter the bank's tables)\n"
    "  --skrbnik-geslo G2  its password; '-' or none takes it from ORVELNOST_SKRBNIK_GESLO\n"
    "                  when set, else from standard input\n";

struct Arguments {
    orv::demo::DemoOptions options;
    std::string alias = "ORVDEMO";
    std::string password = "demo";
    bool empty = false;
    std::string path;
    std::string server; ///< --streznik: the data source of a server database
    std::string admin;  ///< --skrbnik
    std::string adminPassword = "-";
};

// The largest demo bank: some 3.6 kB of data per unit of size, so about 4 GB at the top.
constexpr long kLargestSize = 1000000;

long parseWhole(const std::string& option, const char* text, long lowest, long highest) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || errno != 0 || value < lowest || value > highest)
        throw orv::UsageError(option + " needs a whole number from " + std::to_string(lowest) +
                              " to " + std::to_string(highest) + ", not '" + text + "'");
    return value;
}

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) throw orv::UsageError(argument + " needs a value");
            return argv[++i];
        };
        if (argument == "--velikost")
            arguments.options.velikost = parseWhole(argument, value(), 1, kLargestSize);
        else if (argument == "--seme")
            arguments.options.seme = static_cast<unsigned long>(
                parseWhole(argument, value(), 0, std::numeric_limits<long>::max()));
        else if (argument == "--alias")
            arguments.alias = value();
        else if (argument == "--geslo")
            arguments.password = value();
        else if (argument == "--prazna")
            arguments.empty = true;
        else if (argument == "--streznik")
            arguments.server = value();
        else if (argument == "--skrbnik")
            arguments.admin = value();
        else if (argument == "--skrbnik-geslo")
            arguments.adminPassword = value();
        else if (argument.rfind("--", 0) == 0)
            throw orv::UsageError("unknown option " + argument);
        else if (arguments.path.empty())
            arguments.path = argument;
        else
            throw orv::UsageError("only one path may be given");
    }
    if (!arguments.server.empty()) {
        if (!arguments.path.empty())
            throw orv::UsageError("--streznik creates the bank on the server: no path");
        if (arguments.admin.empty()) throw orv::UsageError("--streznik needs --skrbnik");
    } else if (arguments.path.empty()) {
        throw orv::UsageError("the path of the bank is missing");
    }
    if (orv::toUpper(arguments.admin) == "OPERATER")
        throw orv::UsageError("--skrbnik names the bank's owner, another user than OPERATER");
    try {
        orv::checkAliasName(arguments.alias);
    } catch (const std::runtime_error& error) {
        throw orv::UsageError(error.what());
    }
    return arguments;
}

void fillBank(const Arguments& arguments, const std::string& path) {
    orv::sqlite::BankFile bank(path, true);
    orv::sqlite::createBankSchema(bank.handle());
    orv::sqlite::createUsersTable(bank.handle());
    orv::sqlite::setUserPassword(bank.handle(), "OPERATER", arguments.password);
    // On a server the owner is the server user that makes the bank, and has no user here.
    if (arguments.server.empty() && !arguments.admin.empty())
        orv::sqlite::setUserPassword(bank.handle(), arguments.admin, arguments.adminPassword,
                                     orv::sqlite::UserRole::Owner);
    if (!arguments.empty) orv::demo::fillDemoBank(bank.handle(), arguments.options);
}

// Moves a file into place; never over a file that exists.
void moveNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
    if (errno == EEXIST)
        throw std::runtime_error("the file " + to +
                                 " exists already; a bank is never written over");
    if (errno != EINVAL && errno != ENOSYS)
        throw std::runtime_error("cannot move the new bank to " + to + ": " + std::strerror(errno));
    // A file system without RENAME_NOREPLACE: a hard link refuses an existing name as well.
    if (link(from.c_str(), to.c_str()) != 0)
        throw std::runtime_error("cannot move the new bank to " + to + ": " + std::strerror(errno));
    unlink(from.c_str());
}

// The files of the bank being built and their folder, removed when a signal ends the run
// (Ctrl-C, a terminal closed, kill): set before the handlers are installed, only read by them.
std::vector<std::string> buildingFiles;
std::string buildingFolder;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removeHalfBank(int signal) {
    for (const std::string& file : buildingFiles)
        unlink(file.c_str());
    rmdir(buildingFolder.c_str());
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void removeOnSignal(const std::string& folder, const std::string& building) {
    buildingFolder = folder;
    for (const std::string& file : {building, orv::sqlite::skupSchemaPath(building)})
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            buildingFiles.push_back(file + suffix);
    for (const int signal : kEndingSignals)
        std::signal(signal, removeHalfBank);
}

void keepOnSignal() {
    for (const int signal : kEndingSignals)
        std::signal(signal, SIG_DFL);
}

// The bank is built in a hidden folder beside POT and its two files are moved into place when
// it is complete. A run that is interrupted removes the folder; one that is killed outright
// leaves only that folder, which no logon takes for a bank and which does not block the name POT.
void createBank(const Arguments& arguments, const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const std::string skup = orv::sqlite::skupSchemaPath(path);
    if (fs::exists(path, ignored) || fs::exists(skup, ignored))
        throw std::runtime_error("the file " + path +
                                 " exists already; a bank is never written over");
    const fs::path target(path);
    std::string folder =
        (target.parent_path() / ("." + target.filename().string() + ".nastaja-XXXXXX")).string();
    if (!mkdtemp(folder.data()))
        throw std::runtime_error("cannot create a folder beside " + path + ": " +
                                 std::strerror(errno));
    const std::string building = folder + "/" + target.filename().string();
    removeOnSignal(folder, building);
    try {
        fillBank(arguments, building);
        // The schema file first: a bank file without its schema is refused at logon.
        moveNoReplace(orv::sqlite::skupSchemaPath(building), skup);
        try {
            moveNoReplace(building, path);
        } catch (...) {
            fs::remove(skup, ignored);
            throw;
        }
    } catch (...) {
        keepOnSignal();
        fs::remove_all(folder, ignored);
        throw;
    }
    keepOnSignal();
    fs::remove_all(folder, ignored);
}

// The server user's password: the option's value, or ORVELNOST_SKRBNIK_GESLO, or one line of
// standard input.
std::string adminPassword(const std::string& given) {
    if (given != "-") return given;
    if (const char* fromEnvironment = std::getenv("ORVELNOST_SKRBNIK_GESLO"))
        return fromEnvironment;
    std::string line;
    std::getline(std::cin, line);
    return line;
}

// The bank is built as an embedded bank in a temporary folder, then copied to the server with
// its schema, routines and role; the temporary bank is removed either way.
void createServerBank(const Arguments& arguments) {
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "orvelnost-demo-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        throw std::runtime_error(std::string("cannot create a temporary folder: ") +
                                 std::strerror(errno));
    std::error_code ignored;
    try {
        orv::odbc::OdbcConnection admin(arguments.server, arguments.admin,
                                        adminPassword(arguments.adminPassword));
        std::string source;
        if (!arguments.empty) {
            source = folder + "/banka.db";
            fillBank(arguments, source);
        }
        orv::serverbank::createServerBank(admin, source, "OPERATER", arguments.password);
    } catch (...) {
        fs::remove_all(folder, ignored);
        throw;
    }
    fs::remove_all(folder, ignored);
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    Arguments arguments = parseArguments(argc, argv);
    arguments.password = orv::passwordFromArgument(arguments.password);
    if (arguments.server.empty() && !arguments.admin.empty())
        arguments.adminPassword = adminPassword(arguments.adminPassword);
    // The alias is written last: a store it cannot be written into stops the run before a bank
    // is made that no alias would name.
    orv::AliasStore::standard().checkWritable(arguments.alias);
    if (!arguments.server.empty()) {
        const auto started = std::chrono::steady_clock::now();
        createServerBank(arguments);
        const orv::AliasStore store = orv::AliasStore::standard();
        store.writeAlias(arguments.alias, {"ORACLE", {{"SERVER NAME", arguments.server}}});
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::cout << "Banka na strezniku " << arguments.server
                  << (arguments.empty ? " (prazna)" : "") << " ustvarjena v " << seconds
                  << " s; alias " << arguments.alias << " v " << store.path() << "\n";
        return 0;
    }
    const std::string path = std::filesystem::absolute(arguments.path).lexically_normal().string();
    const auto started = std::chrono::steady_clock::now();
    createBank(arguments, path);
    const orv::AliasStore store = orv::AliasStore::standard();
    store.writeAlias(arguments.alias, {"ORACLE", {{"SERVER NAME", "sqlite:" + path}}});
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "Banka " << path << (arguments.empty ? " (prazna)" : "") << " ustvarjena v "
              << seconds << " s; alias " << arguments.alias << " v " << store.path() << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return orv::runCommand("orvelnost-demo", kUsage, run, argc, argv);
}
