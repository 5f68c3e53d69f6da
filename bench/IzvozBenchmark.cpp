// The export of 100,000 output rows, as orvelnost-izvoz writes them to an .xlsx workbook
// (libxlsxwriter, constant-memory mode) and to a .csv file: wall time, processor time and the
// command's peak resident memory (GNU time). Goal for the .xlsx: under 15 s and under 200 MB.
//
// Two sets of rows: the rows a transfer of the demo bank writes (about 98 of the 162 columns
// set), repeated to 100,000; and the worst case, every column of every row set.
//
//   ./dev bench --benchmark_filter=Izvoz

#include "TimedCommand.h"
#include "bank/BankSchema.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace orv::bench {
namespace {

namespace fs = std::filesystem;

constexpr long kRows = 100000;

// The value of one column for the row i: a code cut to the column's width, an amount with
// cents, a date of the year.
std::string columnValue(const std::string& name, const std::string& type) {
    if (name == "DAT_STANJE") return "'31.12.2024'";
    if (type.find("DATE") != std::string::npos)
        return "printf('%02d.%02d.2024', 1 + (i + " + std::to_string(name.size()) +
               ") % 28, 1 + i % 12)";
    if (type.find("CHAR") != std::string::npos) {
        const size_t open = type.find('(');
        const std::string width =
            open == std::string::npos ? "20" : type.substr(open + 1, type.find(')') - open - 1);
        return "substr('K' || (i * 7 + " + std::to_string(name.size()) + ") || '-" + name +
               "', 1, " + width + ")";
    }
    return "(i % 1000) * 125.37 + " + std::to_string(name.size());
}

struct IzvozBank {
    std::string folder;
    std::string path;
    std::string aliasStore;

    IzvozBank() {
        std::string pattern = (fs::temp_directory_path() / "orvelnost-bench-izvoz-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        path = folder + "/banka.db";
        aliasStore = folder + "/aliasi.ini";
    }
    ~IzvozBank() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    IzvozBank(const IzvozBank&) = delete;
    IzvozBank& operator=(const IzvozBank&) = delete;
};

// Every column of POD_ORVEL set in every row.
std::unique_ptr<IzvozBank> everyColumnBank() {
    auto bank = std::make_unique<IzvozBank>();
    sqlite::BankFile file(bank->path, true);
    sqlite::createBankSchema(file.handle());
    sqlite::createUsersTable(file.handle());
    sqlite::setUserPassword(file.handle(), "OPERATER", "demo");
    std::string names, values;
    sqlite3_stmt* columns = nullptr;
    sqlite3_prepare_v2(file.handle(), "PRAGMA table_info(POD_ORVEL)", -1, &columns, nullptr);
    while (sqlite3_step(columns) == SQLITE_ROW) {
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(columns, 1));
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(columns, 2));
        names += (names.empty() ? "" : ", ") + name;
        values += (values.empty() ? "" : ", ") + columnValue(name, type ? type : "");
    }
    sqlite3_finalize(columns);
    file.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
              std::to_string(kRows) + ") INSERT INTO POD_ORVEL (" + names + ") SELECT " + values +
              " FROM n");
    std::ofstream(bank->aliasStore)
        << "[ORVIZVOZ]\nTYPE=ORACLE\nSERVER NAME=sqlite:" << bank->path << "\n";
    return bank;
}

void runOrThrow(const std::vector<std::string>& command, const IzvozBank& bank) {
    if (!runTimed(command, bank.aliasStore, bank.folder + "/priprava-time.txt").ok)
        throw std::runtime_error(command[0] + " failed");
}

// The rows a transfer of 31.12.2024 writes on a demo bank, repeated to kRows rows.
std::unique_ptr<IzvozBank> transferredBank() {
    auto bank = std::make_unique<IzvozBank>();
    runOrThrow({ORVELNOST_DEMO_PROGRAM, "--velikost", "200", "--alias", "ORVIZVOZ", bank->path},
               *bank);
    runOrThrow({ORVELNOST_PRENOS_PROGRAM, "ORVIZVOZ", "OPERATER", "demo", "--dan", "31.12.2024"},
               *bank);
    sqlite::BankFile file(bank->path, false);
    file.exec("CREATE TEMP TABLE vzorec AS SELECT * FROM POD_ORVEL");
    file.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
              "INSERT INTO POD_ORVEL SELECT vzorec.* FROM n CROSS JOIN vzorec LIMIT " +
              std::to_string(kRows) + " - (SELECT COUNT(*) FROM vzorec)");
    return bank;
}

const IzvozBank& izvozBank(bool everyColumn) {
    static const std::unique_ptr<IzvozBank> transferred = transferredBank();
    if (!everyColumn) return *transferred;
    static const std::unique_ptr<IzvozBank> every = everyColumnBank();
    return *every;
}

void exportAs(benchmark::State& state, const std::string& format, bool everyColumn) {
    const IzvozBank& bank = izvozBank(everyColumn);
    const std::string target = bank.folder + "/izvoz." + format;
    TimedRun run;
    for (auto _ : state) {
        run = runTimed({ORVELNOST_IZVOZ_PROGRAM, "ORVIZVOZ", "OPERATER", "demo", "--dan",
                        "31.12.2024", "--oblika", format, target},
                       bank.aliasStore, bank.folder + "/izvoz-time.txt");
        if (!run.ok) {
            state.SkipWithError(("orvelnost-izvoz --oblika " + format + " failed").c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
    }
    state.counters["rows"] = static_cast<double>(kRows);
    state.counters["rows_per_s"] = static_cast<double>(kRows) / run.seconds;
    state.counters["cpu_s"] = run.cpuSeconds;
    state.counters["peak_MB"] = static_cast<double>(run.peakKiB) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(target)) / (1024.0 * 1024.0);
}

void Izvoz_xlsx(benchmark::State& state) {
    exportAs(state, "xlsx", false);
}
BENCHMARK(Izvoz_xlsx)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void Izvoz_csv(benchmark::State& state) {
    exportAs(state, "csv", false);
}
BENCHMARK(Izvoz_csv)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void Izvoz_xlsx_vsi_stolpci(benchmark::State& state) {
    exportAs(state, "xlsx", true);
}
BENCHMARK(Izvoz_xlsx_vsi_stolpci)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
