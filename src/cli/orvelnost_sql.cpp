// orvelnost-sql ALIAS USER PASSWORD [DATOTEKA]
//
// An SQL console in the bank database's dialect: runs the statements of the file (or standard
// input), prints each query's rows, commits at the end. At the first failing statement it prints
// the database's error text, rolls back everything uncommitted and exits 1.

#include "base/ProgramFolder.h"
#include "base/TerminalVmesnik.h"
#include "cli/CommandLine.h"
#include "cli/StatementSplitter.h"
#include "db/TDM.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* kUsage =
    "Usage: orvelnost-sql ALIAS USER PASSWORD [DATOTEKA]\n"
    "Runs the statements of DATOTEKA (or standard input) on the database of ALIAS.\n"
    "A statement ends at a ';' at the end of a line or at a line holding only '/'.\n"
    "A query prints a header line and its rows, values separated by TAB.\n";

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

std::string readScript(int argc, char** argv) {
    std::stringstream text;
    if (argc == 5) {
        std::ifstream file(argv[4], std::ios::binary);
        if (!file) throw std::runtime_error(std::string("cannot read ") + argv[4]);
        text << file.rdbuf();
    } else {
        text << std::cin.rdbuf();
    }
    return text.str();
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    if (argc < 4 || argc > 5) throw orv::UsageError("wrong number of arguments");
    orv::TerminalVmesnik window;
    orv::TDM dm(window, orv::programFolder());
    const std::string script = readScript(argc, argv);
    orv::logOnThroughAlias(dm, window, argv[1], argv[2], argv[3]);
    try {
        for (const std::string& statement : orv::splitStatements(script)) {
            orv::TOracleDataSet& dataset = dm.Q1;
            dataset.Close();
            dataset.setSQL(statement);
            if (isQuery(statement)) {
                orv::streamQuery(dataset, std::cout);
            } else {
                dataset.ExecSQL();
            }
        }
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
