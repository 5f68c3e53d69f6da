// The source statement of a transfer (what `orvelnost-prenos --izvor` reads) on demo banks of
// size 10000 and 100000, side by side with the same statement on a plain-SQLite copy of the same
// data (PlainCopy.h). After the runs a table shows both times, their ratio, the rows, and the
// peak memory of `orvelnost-prenos --izvor` itself, measured in a child process.
//
//   ./dev bench --benchmark_filter=Source            both sizes
//   ./dev bench --benchmark_filter='Source.*/10000/'  one size

#include "BenchBanks.h"
#include "PlainCopy.h"
#include "SourceTable.h"
#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "transfer/BeriPodatke.h"
#include "transfer/IzvorneVeje.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void Source_ours(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const orv::bench::CachedBank& bank = orv::bench::cachedBank(size);
    orv::RecordingVmesnik window;
    window.options.eDanText = "31.12.2024";
    orv::TDM dm(window, bank.folder + "/");
    dm.OracleSession1.logonDatabase = "sqlite:" + bank.path;
    dm.OracleSession1.logonUsername = "OPERATER";
    dm.OracleSession1.logonPassword = "demo";
    dm.OracleSession1.LogOn();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = processorSeconds();
        orv::BeriPodatke(dm, window);
        orv::bench::recordSourceRun(size, false, secondsSince(start), processorSeconds() - cpuStart,
                                    dm.Q1.RecordCount());
    }
    state.counters["rows"] = static_cast<double>(dm.Q1.RecordCount());
}

void Source_plain(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const orv::bench::CachedBank& bank = orv::bench::cachedBank(size);
    orv::RecordingVmesnik window;
    window.options.eDanText = "31.12.2024";
    orv::bench::PlainStatement statement(bank.plainPath,
                                         orv::izvorniStavek(orv::izvornaIzbira(window)));
    long rows = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = processorSeconds();
        rows = statement.run();
        orv::bench::recordSourceRun(size, true, secondsSince(start), processorSeconds() - cpuStart,
                                    rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// Alternating sizes and kinds keeps a run of one size together; a few iterations, as one run at
// 100000 takes seconds.
BENCHMARK(Source_ours)->Arg(10000)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(Source_plain)->Arg(10000)->Iterations(3)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(Source_ours)->Arg(100000)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(Source_plain)->Arg(100000)->Iterations(2)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
