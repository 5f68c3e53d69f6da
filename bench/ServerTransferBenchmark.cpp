// One whole transfer of 31.12.2024 on the same demo bank on both backends, side by side: the
// embedded bank, and its copy on a PostgreSQL server that the benchmark starts for itself (as
// the server tests do). Reports source and written rows, seconds and rows per second of each.
// Run with
//   ./dev bench --benchmark_filter=Transfer_both

#include "bank/BankSchema.h"
#include "bank/demo/DemoBank.h"
#include "bank/server/ServerBank.h"
#include "base/StoredOptionsVmesnik.h"
#include "db/TDM.h"
#include "db/odbc/OdbcConnection.h"
#include "db/sqlite/BankFile.h"
#include "db/sqlite/Users.h"
#include "support/PostgresServer.h"
#include "transfer/Prepis.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

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

/// The embedded demo bank of a size, made afresh under build/bench-banks for this benchmark.
std::string vgrajenaBanka(long velikost) {
    const fs::path mapa =
        fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "bench-banks";
    fs::create_directories(mapa);
    const fs::path pot = mapa / ("oba-" + std::to_string(velikost) + ".db");
    for (const char* dodatek : {"", "-wal", "-shm", ".skup", ".skup-wal", ".skup-shm"})
        fs::remove(pot.string() + dodatek);
    orv::sqlite::BankFile bank(pot.string(), true);
    orv::sqlite::createBankSchema(bank.handle());
    orv::sqlite::createUsersTable(bank.handle());
    orv::sqlite::setUserPassword(bank.handle(), "OPERATER", "demo");
    orv::demo::fillDemoBank(bank.handle(), orv::demo::DemoOptions{velikost, 1});
    return pot.string();
}

struct Izid {
    int skupaj = 0, zapisanih = 0;
    double skupno = 0, cpu = 0;
    bool uspel = false;
};

// One transfer in a child process of its own, so that its CPU seconds are its own.
Izid prenos(const std::string& logonDatabase, const std::string& mapa) {
    int cev[2];
    if (pipe(cev) != 0) throw std::runtime_error("pipe");
    const pid_t otrok = fork();
    if (otrok == 0) {
        close(cev[0]);
        Izid izid;
        try {
            TihoOkno okno;
            okno.options.eDanText = "31.12.2024";
            orv::TDM dm(okno, mapa + "/");
            dm.OracleSession1.logonDatabase = logonDatabase;
            dm.OracleSession1.logonUsername = "OPERATER";
            dm.OracleSession1.logonPassword = "demo";
            dm.OracleSession1.LogOn();
            const auto zacetek = std::chrono::steady_clock::now();
            const orv::IzidPrenosa p = orv::Prepis(dm, okno);
            izid.skupno =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - zacetek).count();
            izid.skupaj = p.skupaj;
            izid.zapisanih = p.zapisanih;
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
    izid.cpu = static_cast<double>(poraba.ru_utime.tv_sec + poraba.ru_stime.tv_sec) +
               static_cast<double>(poraba.ru_utime.tv_usec + poraba.ru_stime.tv_usec) / 1e6;
    return izid;
}

void Transfer_both(benchmark::State& state) {
    const long velikost = state.range(0);
    orv::test::PostgresServer& streznik = orv::test::PostgresServer::shared();
    if (!streznik.available()) {
        state.SkipWithError(("no PostgreSQL server: " + streznik.unavailableReason()).c_str());
        return;
    }
    const std::string pot = vgrajenaBanka(velikost);
    const std::string baza = "orv_bench_" + std::to_string(velikost);
    streznik.createDatabase(baza);
    const auto kopija = std::chrono::steady_clock::now();
    {
        orv::odbc::OdbcConnection skrbnik(streznik.connectionString(baza),
                                          orv::test::PostgresServer::kAdmin,
                                          orv::test::PostgresServer::kAdminPassword);
        orv::serverbank::createServerBank(skrbnik, pot, "OPERATER", "demo");
    }
    const double sekundKopije =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - kopija).count();
    const std::string mapa = fs::path(pot).parent_path().string();
    Izid vgrajena, strezniska;
    for (auto _ : state) {
        vgrajena = prenos("sqlite:" + pot, mapa);
        strezniska = prenos(streznik.connectionString(baza), mapa);
        state.SetIterationTime(vgrajena.skupno + strezniska.skupno);
    }
    state.counters["source_rows"] = vgrajena.skupaj;
    state.counters["written_embedded"] = vgrajena.zapisanih;
    state.counters["written_server"] = strezniska.zapisanih;
    state.counters["s_embedded"] = vgrajena.skupno;
    state.counters["s_server"] = strezniska.skupno;
    state.counters["rows_per_s_embedded"] = vgrajena.skupaj / vgrajena.skupno;
    state.counters["rows_per_s_server"] = strezniska.skupaj / strezniska.skupno;
    // The machine is shared: CPU seconds of the program show its own work beside the waiting.
    state.counters["cpu_s_embedded"] = vgrajena.cpu;
    state.counters["cpu_s_server_client"] = strezniska.cpu;
    state.counters["s_copy_to_server"] = sekundKopije;
}

BENCHMARK(Transfer_both)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
