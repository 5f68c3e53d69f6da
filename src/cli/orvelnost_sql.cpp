// orvelnost-sql ALIAS USER PASSWORD [DATOTEKA]
// orvelnost-sql --preveri ALIAS USER PASSWORD
//
// An SQL console in the bank database's dialect: runs the statements of the file (or standard
// input), prints each query's rows, commits at the end. At the first failing statement, or when
// its output cannot be written, it prints the error text, rolls back everything uncommitted and
// exits 1. With --preveri it checks the bank's files for damage instead.

#include "base/PasswordInput.h"
#include "base/ProgramFolder.h"
#include "base/TerminalVmesnik.h"
#include "cli/CommandLine.h"
#include "cli/StatementSplitter.h"
#include "db/TDM.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* kUsage =
    "Usage: orvelnost-sql ALIAS USER PASSWORD [DATOTEKA]\n"
    "       orvelnost-sql --preveri ALIAS USER PASSWORD\n"
    "Runs the statements of DATOTEKA (or standard input) on the database of ALIAS.\n"
    "A statement ends at a ';' outside texts and comments or at a line holding only '/'.\n"
    "A query prints a header line and its rows, values separated by TAB.\n"
    "--preveri checks the bank's files for damage and prints 'ok' or the problems found.\n"
    "PASSWORD '-' takes the password from ORVELNOST_GESLO when it is set, else reads it\n"
    "from the first line of standard input (or asks for it on a terminal).\n";

bool isQuery(const std::string& statement) {
    size_t i = 0;
    while (i < statement.size() &&
           (std::isspace(static_cast<unsigned char>(statement[i])) || statement[i] == '('))
        ++i;
    auto startsWith = [&](const char* word) {
        const size_t n = std::strlen(word);
        return statement.size() >= i + n && strncasecmp(statement.c_str() + i, word, n) == 0 &&
               (statement.size() == i + n ||
                !std::isalnum(static_cast<unsigned char>(statement[i + n])));
    };
    return startsWith("SELECT") || startsWith("WITH");
}

// The whole of a stream, in one text that grows as it is read (no second copy of it).
std::string readAll(std::istream& in) {
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        text.append(buffer, static_cast<size_t>(in.gcount()));
    return text;
}

std::string readScript(int argc, char** argv) {
    if (argc == 5) {
        std::error_code error;
        if (std::filesystem::is_directory(argv[4], error))
            throw std::runtime_error(std::string("cannot read ") + argv[4] + ": it is a folder");
        std::ifstream file(argv[4], std::ios::binary);
        if (!file) throw std::runtime_error(std::string("cannot read ") + argv[4]);
        std::string text = readAll(file);
        if (file.bad()) throw std::runtime_error(std::string("cannot read ") + argv[4]);
        return text;
    }
    std::string text = readAll(std::cin);
    if (std::cin.bad()) throw std::runtime_error("cannot read standard input");
    return text;
}

// --preveri ALIAS USER PASSWORD
int checkBank(int argc, char** argv) {
    if (argc != 5) throw orv::UsageError("--preveri needs ALIAS, USER and PASSWORD");
    orv::TerminalVmesnik window;
    orv::TDM dm(window, orv::programFolder());
    orv::logOnThroughAlias(dm, window, argv[2], argv[3], orv::passwordFromArgument(argv[4]));
    const std::vector<std::string> problems = dm.OracleSession1.connection().checkIntegrity();
    for (const std::string& line : problems)
        std::cout << line << "\n";
    return problems.size() == 1 && problems[0] == "ok" ? 0 : 1;
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--preveri") == 0) return checkBank(argc, argv);
    if (argc < 4 || argc > 5) throw orv::UsageError("wrong number of arguments");
    orv::TerminalVmesnik window;
    orv::TDM dm(window, orv::programFolder());
    // The password first: with "-" it is the first line of standard input, the script the rest.
    const std::string password = orv::passwordFromArgument(argv[3]);
    const std::string script = readScript(argc, argv);
    // The whole script is cut before anything runs: one that cannot be cut cleanly runs not at all.
    const std::vector<std::string> statements = orv::splitStatements(script);
    orv::logOnThroughAlias(dm, window, argv[1], argv[2], password);
    try {
        for (const std::string& statement : statements) {
            orv::TOracleDataSet& dataset = dm.Q1;
            dataset.Close();
            dataset.setSQL(statement);
            if (isQuery(statement)) {
                orv::streamQuery(dataset, std::cout);
                orv::ensureWritten(std::cout, "standard output");
            } else {
                dataset.ExecSQL();
            }
        }
        // Nothing is committed whose output went missing.
        orv::ensureWritten(std::cout, "standard output");
        dm.OracleSession1.Commit();
    } catch (...) {
        std::cout.flush();
        dm.OracleSession1.Rollback();
        throw;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    return orv::runCommand("orvelnost-sql", kUsage, run, argc, argv);
}
