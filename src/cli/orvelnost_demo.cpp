// orvelnost-demo [--velikost N] [--seme S] [--alias IME] [--geslo G] [--prazna] POT
//
// Creates a synthetic bank database at POT (never over an existing file), the user OPERATER
// with password G, and writes the alias IME that names it into the alias store.

#include "base/AliasStore.h"
#include "cli/CommandLine.h"
#include "db/sqlite/BankFile.h"
#include "bank/BankSchema.h"
#include "db/sqlite/Users.h"
#include "bank/demo/DemoBank.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

constexpr const char* kUsage =
    "Usage: orvelnost-demo [--velikost N] [--seme S] [--alias IME] [--geslo G] [--prazna] POT\n"
    "Creates a demo bank at POT (an existing file is never written over).\n"
    "  --velikost N  size of the bank: contracts, securities, deals, postings grow with N (100)\n"
    "  --seme S      seed of the synthetic data (1)\n"
    "  --alias IME   alias written into the alias store (ORVDEMO)\n"
    "  --geslo G     password of the user OPERATER (demo)\n"
    "  --prazna      schema, routines and the user only, no bank data\n";

struct Arguments {
    orv::demo::DemoOptions options;
    std::string alias = "ORVDEMO";
    std::string password = "demo";
    bool empty = false;
    std::string path;
};

long parsePositive(const std::string& option, const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0)
        throw orv::UsageError(option + " needs a whole number, not '" + text + "'");
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
            arguments.options.velikost = parsePositive(argument, value());
        else if (argument == "--seme")
            arguments.options.seme = static_cast<unsigned long>(parsePositive(argument, value()));
        else if (argument == "--alias")
            arguments.alias = value();
        else if (argument == "--geslo")
            arguments.password = value();
        else if (argument == "--prazna")
            arguments.empty = true;
        else if (argument.rfind("--", 0) == 0)
            throw orv::UsageError("unknown option " + argument);
        else if (arguments.path.empty())
            arguments.path = argument;
        else
            throw orv::UsageError("only one path may be given");
    }
    if (arguments.path.empty()) throw orv::UsageError("the path of the bank is missing");
    if (arguments.alias.empty()) throw orv::UsageError("the alias may not be empty");
    return arguments;
}

void fillBank(const Arguments& arguments, const std::string& path) {
    orv::sqlite::BankFile bank(path, true);
    orv::sqlite::createBankSchema(bank.handle());
    orv::sqlite::createUsersTable(bank.handle());
    orv::sqlite::setUserPassword(bank.handle(), "OPERATER", arguments.password);
    if (!arguments.empty) orv::demo::fillDemoBank(bank.handle(), arguments.options);
}

void removeBankFiles(const std::string& path) {
    std::error_code ignored;
    for (const std::string& file : {path, orv::sqlite::skupSchemaPath(path)})
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            std::filesystem::remove(file + suffix, ignored);
}

void createBank(const Arguments& arguments, const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) ||
        std::filesystem::exists(orv::sqlite::skupSchemaPath(path), ignored))
        throw std::runtime_error("the file " + path +
                                 " exists already; a bank is never written over");
    try {
        fillBank(arguments, path);
    } catch (...) {
        // Half a bank is no use to anyone: remove what was created (the files did not exist).
        removeBankFiles(path);
        throw;
    }
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    const Arguments arguments = parseArguments(argc, argv);
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
