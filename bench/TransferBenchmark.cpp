// One whole transfer of 31.12.2024 on demo banks of size 1000, 10000 and 100000 (kept under
// build/bench-banks between runs): source rows, written rows, the seconds of the source
// statement, of the loop (derivation and writing) and of the FIFO clean-up with K1 to K11, rows
// per second, the CPU seconds and the peak memory of the process that ran it. Each transfer runs in
// a child process of its own, so that its peak memory is its own. Run with
//   ./dev bench --benchmark_filter=Transfer

#include "TransferInChild.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

std::map<long, double>& vrsticNaSekundo() {
    static std::map<long, double> hitrosti;
    return hitrosti;
}

void Transfer(benchmark::State& state, long velikost) {
    const std::string pot = orv::bench::cachedDemoBank(velikost);
    orv::bench::TransferRun izid;
    for (auto _ : state) {
        izid = orv::bench::transferInChild("sqlite:" + pot, fs::path(pot).parent_path().string());
        state.SetIterationTime(izid.seconds);
    }
    const double hitrost = izid.sourceRows / izid.seconds;
    vrsticNaSekundo()[velikost] = hitrost;
    state.counters["source_rows"] = izid.sourceRows;
    state.counters["written_rows"] = izid.writtenRows;
    state.counters["s_source"] = izid.source;
    state.counters["s_loop"] = izid.loop;
    state.counters["s_fifo_K"] = izid.clean;
    state.counters["rows_per_s"] = hitrost;
    state.counters["us_per_row_loop"] = izid.loop / izid.sourceRows * 1e6;
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
