// One whole transfer of 31.12.2024 on the same demo bank on both backends, side by side: the
// embedded bank, and its copy on a PostgreSQL server that the benchmark starts for itself (as
// the server tests do). Reports source and written rows, seconds and rows per second of each.
// Run with
//   ./dev bench --benchmark_filter=Transfer_both

#include "TransferInChild.h"
#include "bank/server/ServerBank.h"
#include "db/odbc/OdbcConnection.h"
#include "support/PostgresServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

void Transfer_both(benchmark::State& state) {
    const long velikost = state.range(0);
    orv::test::PostgresServer& streznik = orv::test::PostgresServer::shared();
    if (!streznik.available()) {
        state.SkipWithError(("no PostgreSQL server: " + streznik.unavailableReason()).c_str());
        return;
    }
    const std::string pot = orv::bench::cachedDemoBank(velikost);
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
    orv::bench::TransferRun vgrajena, strezniska;
    for (auto _ : state) {
        vgrajena = orv::bench::transferInChild("sqlite:" + pot, mapa);
        strezniska = orv::bench::transferInChild(streznik.connectionString(baza), mapa);
        state.SetIterationTime(vgrajena.seconds + strezniska.seconds);
    }
    state.counters["source_rows"] = vgrajena.sourceRows;
    state.counters["written_embedded"] = vgrajena.writtenRows;
    state.counters["written_server"] = strezniska.writtenRows;
    state.counters["s_embedded"] = vgrajena.seconds;
    state.counters["s_server"] = strezniska.seconds;
    state.counters["rows_per_s_embedded"] = vgrajena.sourceRows / vgrajena.seconds;
    state.counters["rows_per_s_server"] = strezniska.sourceRows / strezniska.seconds;
    // The machine is shared: CPU seconds of the program show its own work beside the waiting.
    state.counters["cpu_s_embedded"] = vgrajena.cpu;
    state.counters["cpu_s_server_client"] = strezniska.cpu;
    state.counters["s_copy_to_server"] = sekundKopije;
}

BENCHMARK(Transfer_both)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
