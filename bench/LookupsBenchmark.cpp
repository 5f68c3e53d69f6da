// The reference lookups as the derivation calls them, on a demo bank of size 10000: what one
// call costs (statement text, bind, open, read). Run with ./dev bench --benchmark_filter=Lookups.

#include "BenchBank.h"
#include "lookup/Imetja.h"
#include "lookup/Klasifikacija.h"
#include "lookup/Kuponi.h"
#include "lookup/Rocnost.h"
#include "lookup/Salda.h"
#include "lookup/Tecaji.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

/// A demo bank of size 10000 for the lookups, and keys of rows it holds.
struct LookupsBank {
    int sfvp = 0, idpog = 0, idvp = 0;
    int konto = 0, kontoIdpog = 0, kontoVp = 0;
    std::string valuta, oznaka;
    std::string konto34, valuta34; // an account of class 3 and a currency it is posted in

    LookupsBank() {
        orv::sqlite::BankFile bank(orv::bench::benchBank().path, false);
        const std::string holding =
            " FROM VPHST WHERE DAN = '31.12.2024' AND IDVP > 0 ORDER BY ROWID LIMIT 1";
        sfvp = std::stoi(text(bank, "SELECT SFVP" + holding));
        idpog = std::stoi(text(bank, "SELECT IDPOG" + holding));
        idvp = std::stoi(text(bank, "SELECT IDVP" + holding));
        const std::string posting = " FROM KNJIZBE WHERE IDPOG > 0 AND VP > 0 AND DATUMV "
                                    "BETWEEN '01.12.2024' AND '31.12.2024' ORDER BY ROWID LIMIT 1";
        konto = std::stoi(text(bank, "SELECT KONTO" + posting));
        kontoIdpog = std::stoi(text(bank, "SELECT IDPOG" + posting));
        kontoVp = std::stoi(text(bank, "SELECT VP" + posting));
        valuta = text(bank, "SELECT VALUTA" + posting);
        oznaka = text(bank, "SELECT OZNAKA FROM SIFKONT WHERE CTRL = " + std::to_string(konto));
        const std::string class3 = " FROM KNJIZBE k JOIN MATRIKA m ON m.CTRL = k.KONTO "
                                   "WHERE m.VKNT = '3' ORDER BY k.ROWID LIMIT 1";
        konto34 = text(bank, "SELECT k.KONTO" + class3);
        valuta34 = text(bank, "SELECT k.VALUTA" + class3);
    }
    static std::string text(orv::sqlite::BankFile& bank, const std::string& sql) {
        return orv::bench::scalar(bank, sql);
    }
};

LookupsBank& lookupsBank() {
    static LookupsBank bank;
    return bank;
}

using Session = orv::bench::LoggedOn;

void Lookups_TecajValute(benchmark::State& state) {
    Session s;
    for (auto _ : state)
        benchmark::DoNotOptimize(orv::TecajValute(s.dm, s.window, "U", "31.12.2024"));
}
BENCHMARK(Lookups_TecajValute);

void Lookups_SifraValute(benchmark::State& state) {
    Session s;
    for (auto _ : state)
        benchmark::DoNotOptimize(orv::SifraValute(s.dm, s.window, "G"));
}
BENCHMARK(Lookups_SifraValute);

void Lookups_Saldo34(benchmark::State& state) {
    Session s;
    const LookupsBank& k = lookupsBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(orv::Saldo34(s.dm, s.window, k.konto34, k.valuta34));
}
BENCHMARK(Lookups_Saldo34);

void Lookups_BeriPovprecje(benchmark::State& state) {
    Session s;
    const LookupsBank& k = lookupsBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            orv::BeriPovprecje(s.dm, s.window, k.kontoIdpog, k.kontoVp, k.oznaka));
}
BENCHMARK(Lookups_BeriPovprecje);

void Lookups_BeriKuponInNabavniTecajNKP(benchmark::State& state) {
    Session s;
    const LookupsBank& k = lookupsBank();
    orv::KontekstVrstice kontekst;
    orv::DateValue danNakupa = 0;
    const orv::DateValue r = orv::encodeDate(2024, 12, 31);
    for (auto _ : state) {
        orv::BeriKupon(s.dm, s.window, k.sfvp);
        benchmark::DoNotOptimize(orv::NabavniTecajNKP(s.dm, s.window, kontekst, k.sfvp, 3, k.idpog,
                                                      k.idvp, r, danNakupa));
    }
}
BENCHMARK(Lookups_BeriKuponInNabavniTecajNKP);

void Lookups_KolicinaVP(benchmark::State& state) {
    Session s;
    const LookupsBank& k = lookupsBank();
    for (auto _ : state)
        benchmark::DoNotOptimize(orv::KolicinaVP(s.dm, s.window, k.sfvp, k.idvp, k.idpog));
}
BENCHMARK(Lookups_KolicinaVP);

void Lookups_EcbSifra14(benchmark::State& state) {
    Session s;
    double days = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(orv::EcbSifra14(s.dm, s.window, days));
        days = days > 4000 ? 0 : days + 37;
    }
}
BENCHMARK(Lookups_EcbSifra14);

} // namespace
