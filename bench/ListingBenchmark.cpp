// The printed listing of 10,000 and 100,000 output rows to a PDF file, as orvelnost-izvoz
// --oblika pdf prints it: wall time and the command's peak resident memory (GNU time). The rows
// stream from the statement into the pages and each page goes out when it is full, so the peak
// should barely grow with the rows.

#include "bank/BankSchema.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace orv::bench {
namespace {

namespace fs = std::filesystem;

// A bank of its own with `rows` output rows of 31.12.2024 and an alias store naming it.
struct ListingBank {
    std::string folder;
    std::string aliasStore;

    explicit ListingBank(long rows) {
        std::string pattern =
            (fs::temp_directory_path() / "orvelnost-bench-listing-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        const std::string path = folder + "/banka.db";
        {
            sqlite::BankFile bank(path, true);
            sqlite::createBankSchema(bank.handle());
            sqlite::createUsersTable(bank.handle());
            sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
            bank.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                      std::to_string(rows) +
                      ") INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, ID_VALUTE, ZNESEK_VAL, "
                      "ZNESEK_SIT, OPOMBA, VKNT) SELECT '31.12.2024', 'P-' || i, 'EUR', i * 1.25, "
                      "i * 1.5, 'vrstica ' || i, 'A' FROM n");
        }
        aliasStore = folder + "/aliasi.ini";
        std::ofstream(aliasStore) << "[ORVLIST]\nTYPE=ORACLE\nSERVER NAME=sqlite:" << path << "\n";
    }
    ~ListingBank() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    long peakKiB = 0;
};

// The command under GNU time, which starts small, so that the peak is the command's own.
ChildRun printListing(const ListingBank& bank, const std::string& pdf) {
    const std::string report = bank.folder + "/listing-time.txt";
    std::vector<std::string> arguments = {"/usr/bin/time",
                                          "-f",
                                          "%e %M",
                                          "-o",
                                          report,
                                          ORVELNOST_IZVOZ_PROGRAM,
                                          "ORVLIST",
                                          "OPERATER",
                                          "demo",
                                          "--dan",
                                          "31.12.2024",
                                          "--stolpci",
                                          "POGODBA,ID_VALUTE,ZNESEK_VAL,ZNESEK_SIT,OPOMBA,VKNT",
                                          "--oblika",
                                          "pdf",
                                          pdf};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"ORVELNOST_ALIASI=" + bank.aliasStore};
    for (char** variable = environ; *variable; ++variable)
        if (std::string(*variable).rfind("ORVELNOST_ALIASI=", 0) != 0)
            environment.push_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ChildRun result;
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child)
            result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream(report) >> result.seconds >> result.peakKiB;
    return result;
}

void Listing_pdf(benchmark::State& state) {
    const long rows = state.range(0);
    const ListingBank bank(rows);
    const std::string pdf = bank.folder + "/seznam.pdf";
    ChildRun run;
    for (auto _ : state) {
        run = printListing(bank, pdf);
        if (!run.ok) {
            state.SkipWithError("orvelnost-izvoz --oblika pdf failed");
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["rows_per_s"] = static_cast<double>(rows) / run.seconds;
    state.counters["peak_MB"] = static_cast<double>(run.peakKiB) / 1024.0;
    state.counters["pdf_MB"] = static_cast<double>(fs::file_size(pdf)) / (1024.0 * 1024.0);
}
BENCHMARK(Listing_pdf)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
