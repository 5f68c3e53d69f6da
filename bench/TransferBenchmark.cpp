// One whole transfer of 31.12.2024 on demo banks of size 1000, 10000 and 100000 (kept under
// build/bench-banks between runs): source rows, written rows, the seconds of the source
// statement, of the loop (derivation and writing) and of the FIFO clean-up with K1 to K11, rows
// per second, the CPU seconds and the peak memory of the process that ran it. Each transfer runs in
// a child process of its own, so that its peak memory is its own. Run with
//   ./dev bench --benchmark_filter=Transfer

#include "bank/BankSchema.h"
#include "bank/demo/DemoBank.h"
#include "base/StoredOptionsVmesnik.h"
#include "db/TDM.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"
#include "transfer/Prepis.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

/// A UI port that keeps nothing: the benchmark measures the transfer, not a recorder.
class TihoOkno : public orv::StoredOptionsVmesnik {
public:
    void setLblSporociloVisible(bool) override {}
    void setLblSporocilo(const std::string&) override {}
    void setLblSporocilo2(const std::string&) override {}
    void setLblStevec(const std::string&) override {}
    void setLblKorak(const std::string&) override {}
    void showMessage(const std::string&) override {}
    bool askLogon(orv::LogonPrompt&) override { return false; }
    void processMessages() override {}
};

/// The demo bank of a size, created on first use under build/bench-banks.
std::string banka(long velikost) {
    const fs::path mapa =
        fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bench-banks";
    fs::create_directories(mapa);
    const fs::path pot = mapa / ("banka-" + std::to_string(velikost) + ".db");
    // A bank whose filling was interrupted has no mark and is made again.
    const fs::path znamka = pot.string() + ".gotova";
    if (!fs::exists(znamka)) {
        for (const char* dodatek : {"", "-wal", "-shm", ".skup", ".skup-wal", ".skup-shm"})
            fs::remove(pot.string() + dodatek);
        {
            orv::sqlite::BankFile bank(pot.string(), true);
            orv::sqlite::createBankSchema(bank.handle());
            orv::sqlite::createUsersTable(bank.handle());
            orv::sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
            orv::demo::fillDemoBank(bank.handle(), orv::demo::DemoOptions{velikost, 1});
        }
        std::FILE* file = std::fopen(znamka.c_str(), "w");
        if (file) std::fclose(file);
    }
    return pot.string();
}

struct Izid {
    int skupaj = 0, zapisanih = 0;
    double izvor = 0, zanka = 0, ciscenje = 0, skupno = 0;
    long peakKb = 0;
    double cpu = 0; ///< user and system seconds of the child, logon and bank opening included
    bool uspel = false;
};

Izid prenos(const std::string& pot) {
    int cev[2];
    if (pipe(cev) != 0) throw std::runtime_error("pipe");
    const pid_t otrok = fork();
    if (otrok == 0) {
        close(cev[0]);
        Izid izid;
        try {
            TihoOkno okno;
            okno.options.eDanText = "31.12.2024";
            orv::TDM dm(okno, fs::path(pot).parent_path().string() + "/");
            dm.OracleSession1.logonDatabase = "sqlite:" + pot;
            dm.OracleSession1.logonUsername = "OPERATER";
            dm.OracleSession1.logonPassword = "demo";
            dm.OracleSession1.LogOn();
            const auto zacetek = std::chrono::steady_clock::now();
            const orv::IzidPrenosa p = orv::Prepis(dm, okno);
            izid.skupno =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - zacetek).count();
            izid.skupaj = p.skupaj;
            izid.zapisanih = p.zapisanih;
            izid.izvor = p.sekundIzvora;
            izid.zanka = p.sekundZanke;
            izid.ciscenje = p.sekundCiscenja;
            izid.uspel = true;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "transfer failed: %s\n", e.what());
        }
        const ssize_t zapisano = write(cev[1], &izid, sizeof izid);
        _exit(zapisano == static_cast<ssize_t>(sizeof izid) ? 0 : 1);
    }
    close(cev[1]);
    Izid izid;
    const ssize_t prebrano = read(cev[0], &izid, sizeof izid);
    close(cev[0]);
    int status = 0;
    rusage poraba{};
    wait4(otrok, &status, 0, &poraba);
    if (prebrano != static_cast<ssize_t>(sizeof izid) || !izid.uspel)
        throw std::runtime_error("the transfer did not finish");
    izid.peakKb = poraba.ru_maxrss;
    izid.cpu = static_cast<double>(poraba.ru_utime.tv_sec + poraba.ru_stime.tv_sec) +
               static_cast<double>(poraba.ru_utime.tv_usec + poraba.ru_stime.tv_usec) / 1e6;
    return izid;
}

std::map<long, double>& vrsticNaSekundo() {
    static std::map<long, double> hitrosti;
    return hitrosti;
}

void Transfer(benchmark::State& state, long velikost) {
    const std::string pot = banka(velikost);
    Izid izid;
    for (auto _ : state) {
        izid = prenos(pot);
        state.SetIterationTime(izid.skupno);
    }
    const double hitrost = izid.skupaj / izid.skupno;
    vrsticNaSekundo()[velikost] = hitrost;
    state.counters["source_rows"] = izid.skupaj;
    state.counters["written_rows"] = izid.zapisanih;
    state.counters["s_source"] = izid.izvor;
    state.counters["s_loop"] = izid.zanka;
    state.counters["s_fifo_K"] = izid.ciscenje;
    state.counters["rows_per_s"] = hitrost;
    state.counters["us_per_row_loop"] = izid.zanka / izid.skupaj * 1e6;
    // The machine is shared: CPU seconds show the work when the wall clock shows the waiting.
    state.counters["cpu_s"] = izid.cpu;
    state.counters["peak_MB"] = static_cast<double>(izid.peakKb) / 1024.0;
}

// rows/s at 100000 over rows/s at 10000: 1 means the transfer costs linear time.
void Transfer_ratio_100000_10000(benchmark::State& state) {
    for (auto _ : state) {
    }
    const auto& h = vrsticNaSekundo();
    if (h.count(100000) && h.count(10000))
        state.counters["ratio"] = h.at(100000) / h.at(10000);
    else
        state.SkipWithError("run the sizes 10000 and 100000 first");
}

const bool registrirano = [] {
    for (const long velikost : {1000L, 10000L, 100000L})
        benchmark::RegisterBenchmark(("Transfer/velikost:" + std::to_string(velikost)).c_str(),
                                     Transfer, velikost)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("Transfer/ratio_100000_10000", Transfer_ratio_100000_10000)
        ->Iterations(1);
    return true;
}();

} // namespace
