// The cost of one typical lookup through the data module, on a demo bank of size 10000:
// close, replace the statement text, bind, open, read one column. Run with ./dev bench.

#include "BenchBank.h"

#include <benchmark/benchmark.h>

namespace {

using orv::bench::LoggedOn;

// The exchange-rate lookup: a bound statement whose text repeats on every row.
void BM_LookupWithVariables(benchmark::State& state) {
    LoggedOn session;
    orv::TOracleDataSet& q = session.dm.Qvln;
    const double date = orv::encodeDate(2024, 12, 31);
    for (auto _ : state) {
        q.Close();
        q.setSQL("SELECT TCJ FROM VLN  WHERE SFVLT= :SFVLT  AND SFVLN = '0'  AND DAN <= :DAN  "
                 "ORDER BY DAN DESC ");
        q.SetVariable("SFVLT", "U");
        q.SetVariable("DAN", date);
        q.Open();
        benchmark::DoNotOptimize(q.FieldByName("TCJ").AsFloat());
    }
}
BENCHMARK(BM_LookupWithVariables);

// A lookup by key whose key is spliced into the text: a new text on every row.
void BM_LookupSplicedKey(benchmark::State& state) {
    LoggedOn session;
    orv::TOracleDataSet& q = session.dm.Qvlt;
    const char* keys[] = {"U", "C", "G", "E"};
    size_t i = 0;
    for (auto _ : state) {
        session.dm.OdpriPoizvedbo(q, std::string("SELECT IDBNK FROM VLT WHERE SFVLT='") +
                                         keys[i++ % 4] + "'");
        benchmark::DoNotOptimize(q.FieldByName("IDBNK").AsString());
    }
}
BENCHMARK(BM_LookupSplicedKey);

// The same lookup with a key that is new on every call, as the contract or account numbers of a
// transfer are: the text must be translated afresh, and only literal sharing lets it reuse the
// prepared statement.
void BM_LookupSplicedNewKey(benchmark::State& state) {
    LoggedOn session;
    orv::TOracleDataSet& q = session.dm.Qvlt;
    long key = 0;
    for (auto _ : state) {
        session.dm.OdpriPoizvedbo(q, "SELECT IDBNK FROM VLT WHERE SFVLT='K" +
                                         std::to_string(++key) + "'");
        benchmark::DoNotOptimize(q.FieldByName("IDBNK").AsString());
    }
}
BENCHMARK(BM_LookupSplicedNewKey);

} // namespace
