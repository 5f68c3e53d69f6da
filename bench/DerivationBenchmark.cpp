// The derivation loop on a demo bank of size 10000: what one source row costs in steps 1 to 10
// and in steps 1 to 33, with the answers kept for the transfer and without them. One iteration
// is one transfer: the source rows of 31.12.2024 are read once, then every row is derived.
// Run with ./dev bench --benchmark_filter=Derivation.

#include "BenchBank.h"
#include "derive/KontekstPrenosa.h"
#include "derive/PolniPodatke.h"
#include "transfer/BeriPodatke.h"
#include "transfer/Prepis.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void derivationLoop(benchmark::State& state, int zadnjiKorak, bool predpomnilnik) {
    orv::bench::LoggedOn s;
    orv::BeriPodatke(s.dm, s.window);
    orv::TOracleDataSet& q1 = s.dm.Q1;
    const auto& koraki = orv::korakiIzpeljave();
    const double vrstic = q1.RecordCount();
    double sekund = 0;
    for (auto _ : state) {
        orv::KontekstPrenosa k(s.dm, s.window);
        const auto zacetek = std::chrono::steady_clock::now();
        for (q1.First(); !q1.Eof(); q1.Next()) {
            k.vrstica = orv::KontekstVrstice{};
            k.vrstica.Razred = orv::RazredVknt(k.izvor.VKNT());
            if (!predpomnilnik) k.predpomnilnik = orv::PredpomnilnikPrenosa{};
            for (int i = 0; i < zadnjiKorak; ++i)
                koraki[static_cast<size_t>(i)].izvedi(k);
        }
        sekund += std::chrono::duration<double>(std::chrono::steady_clock::now() - zacetek).count();
    }
    state.counters["rows"] = vrstic;
    state.counters["us_per_row"] =
        sekund * 1e6 / (vrstic * static_cast<double>(state.iterations()));
}

void Derivation_Steps1to10(benchmark::State& state) {
    derivationLoop(state, 10, true);
}
BENCHMARK(Derivation_Steps1to10)->Iterations(1)->Unit(benchmark::kMillisecond);

void Derivation_Steps1to33(benchmark::State& state) {
    derivationLoop(state, 33, true);
}
BENCHMARK(Derivation_Steps1to33)->Iterations(1)->Unit(benchmark::kMillisecond);

void Derivation_Steps1to33WithoutTransferCache(benchmark::State& state) {
    derivationLoop(state, 33, false);
}
BENCHMARK(Derivation_Steps1to33WithoutTransferCache)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
