// A query with a long IN list of spliced literals, as a contract filter or a pasted list of
// keys makes one: every literal becomes a parameter of the shared statement, and binding them
// must cost linear time in their number. Each run uses new values in the same shape, so the
// translation and the prepared statement are reused and the time is what every such text costs.

#include "BenchBank.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using orv::bench::LoggedOn;

std::string inList(long values, long offset) {
    std::string sql = "SELECT count(*) N FROM VLN WHERE TCJ IN (";
    for (long i = 0; i < values; ++i)
        sql += (i ? ", " : "") + std::to_string(offset + i) + ".5";
    return sql + ")";
}

void BM_InList(benchmark::State& state) {
    LoggedOn session;
    orv::TOracleDataSet& q = session.dm.Q1;
    long offset = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string sql = inList(state.range(0), ++offset);
        state.ResumeTiming();
        q.Close();
        q.setSQL(sql);
        q.Open();
        benchmark::DoNotOptimize(q.FieldByName("N").AsString());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// 256000 values are more than SQLite takes parameters: that text runs with its literals inline.
BENCHMARK(BM_InList)
    ->RangeMultiplier(4)
    ->Range(1000, 65536)
    ->Arg(256000)
    ->Unit(benchmark::kMillisecond);

} // namespace
