// The printed listing of 10,000 and 100,000 output rows to a PDF file, as orvelnost-izvoz
// --oblika pdf prints it: wall time and the command's peak resident memory (GNU time). The rows
// stream from the statement into the pages and each page goes out when it is full, so the peak
// should barely grow with the rows.

#include "TimedCommand.h"
#include "bank/BankSchema.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

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

// `orvelnost-izvoz ... --oblika pdf` of the date's rows: wall time and peak memory.
TimedRun printListing(const ListingBank& bank, const std::string& pdf) {
    return runTimed({ORVELNOST_IZVOZ_PROGRAM, "ORVLIST", "OPERATER", "demo", "--dan", "31.12.2024",
                     "--stolpci", "POGODBA,ID_VALUTE,ZNESEK_VAL,ZNESEK_SIT,OPOMBA,VKNT", "--oblika",
                     "pdf", pdf},
                    bank.aliasStore, bank.folder + "/listing-time.txt");
}

void Listing_pdf(benchmark::State& state) {
    const long rows = state.range(0);
    const ListingBank bank(rows);
    const std::string pdf = bank.folder + "/seznam.pdf";
    TimedRun run;
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
