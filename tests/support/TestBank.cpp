#include "support/TestBank.h"

#include "bank/BankSchema.h"
#include "base/AliasStore.h"
#include "db/DatabaseError.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <sys/wait.h>

namespace orv::test {

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

TestBank::TestBank() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orvelnost-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
    path_ = folder_ + "/banka.db";
    {
        sqlite::BankFile bank(path_, true);
        sqlite::createBankSchema(bank.handle());
        sqlite::createUsersTable(bank.handle());
        sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
        // The bank's settings name the schema of its write-down table, as every bank's do; a
        // test of a bank without them deletes the row.
        bank.exec("INSERT INTO INISET (KLJUC, VREDNOST) VALUES ('MSRP9_Shema', 'skup')");
    }
    const std::string aliases = folder_ + "/aliasi.ini";
    setenv("ORVELNOST_ALIASI", aliases.c_str(), 1);
    AliasStore(aliases).writeAlias("ORVDEMO", {"ORACLE", {{"SERVER NAME", logonDatabase()}}});
}

TestBank::~TestBank() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void TestBank::exec(const std::string& sql) const {
    sqlite::BankFile bank(path_, false);
    bank.exec(sql);
}

std::string TestBank::scalar(const std::string& sql) const {
    sqlite::BankFile bank(path_, false);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(bank.handle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw DatabaseError(sqlite3_errmsg(bank.handle()));
    std::string result;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return result;
}

CommandResult runCommand(const std::string& commandLine, const std::string& input) {
    const std::string base =
        (std::filesystem::temp_directory_path() / "orvelnost-cmd-XXXXXX").string();
    std::string folder = base;
    if (!mkdtemp(folder.data())) throw std::runtime_error("cannot make a temporary folder");
    const std::string in = folder + "/in", out = folder + "/out", err = folder + "/err";
    std::ofstream(in, std::ios::binary) << input;
    const std::string full = commandLine + " <" + in + " >" + out + " 2>" + err;
    const int status = std::system(full.c_str());
    CommandResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(out);
    result.err = readFile(err);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return result;
}

BoundedResult runBoundedCommand(const std::string& commandLine, const std::string& input,
                                int seconds) {
    // GNU time writes its line last on standard error; timeout ends a command that hangs with
    // 124. The command runs in a shell of its own so that its environment settings hold.
    constexpr std::string_view kPeakMark = "ORV_PEAK_KB=";
    std::string quoted = "'";
    for (char c : commandLine) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += "'";
    const CommandResult run =
        runCommand("/usr/bin/time -f '" + std::string(kPeakMark) + "%M' timeout -k 5 " +
                       std::to_string(seconds) +
                       " prlimit --as=" + std::to_string(kProbeAddressSpace) + " sh -c " + quoted,
                   input);
    BoundedResult result;
    result.exitCode = run.exitCode;
    result.out = run.out;
    result.err = run.err;
    result.timedOut = run.exitCode == 124 || run.exitCode == 137;
    const size_t mark = result.err.rfind(kPeakMark);
    if (mark != std::string::npos) {
        result.peakMegabytes = std::atol(result.err.c_str() + mark + kPeakMark.size()) / 1024;
        result.err.erase(mark);
        // GNU time's own word on how the command ended stands just before.
        for (const char* ending : {"Command exited with", "Command terminated by"}) {
            const size_t own = result.err.rfind(ending);
            if (own != std::string::npos) result.err.erase(own);
        }
    }
    return result;
}

} // namespace orv::test
