#include "bank/demo/DemoContext.h"

#include "bank/demo/CodeLists.h"

#include <cmath>

namespace orv::demo {

namespace {

double round2(double value) {
    return std::round(value * 100.0) / 100.0;
}

} // namespace

void DemoContext::knjizi(const Knjizba& k) {
    const double rate = tecaj(k.valuta, k.dan);
    const double debit = k.znesek > 0 ? k.znesek : 0.0;
    const double credit = k.znesek < 0 ? -k.znesek : 0.0;
    const double toDomestic = rate != 0.0 ? 1.0 / rate : 1.0;
    const long booked = k.dan + (rng.chance(0.2) ? 1 : 0);
    tables.write(KnjizbaRow{.datumv = besedilo(k.dan),
                            .datumk = besedilo(booked),
                            .konto = k.konto,
                            .valuta = k.valuta,
                            .idpog = k.idpog,
                            .vp = k.vp,
                            .idvp = k.idvp,
                            .idmaster = k.idmaster,
                            .idobd = k.idobd ? k.idobd : Int(deli(k.dan).month),
                            .bznesek = debit,
                            .dznesek = credit,
                            .bzneseksit = round2(debit * toDomestic),
                            .dzneseksit = round2(credit * toDomestic),
                            .dejavnost = k.dejavnost,
                            .oe = k.oe});
}

void DemoContext::razvrstiVrednostnice() {
    poVrsti_.assign(static_cast<std::size_t>(VrstaVp::KomercialniZapis) + 1, {});
    for (std::size_t i = 0; i < vrednostnice.size(); ++i)
        poVrsti_[static_cast<std::size_t>(vrednostnice[i].vrsta)].push_back(i);
}

const Vrednostnica& DemoContext::nakljucna(VrstaVp vrsta) {
    return vrednostnice[rng.pick(poVrsti_[static_cast<std::size_t>(vrsta)])];
}

} // namespace orv::demo
