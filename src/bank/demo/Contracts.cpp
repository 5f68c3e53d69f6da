#include "bank/demo/Contracts.h"

#include "bank/demo/Counterparties.h"

#include <cstdio>

namespace orv::demo {

namespace {

// Contract numbers the output treats specially, each with the business it is given.
struct Posebna {
    long idpog;
    Profil profil;
    long sfosb;
    const char* sfdjv;
    const char* sftpf;
    int posebnost;
};

const Posebna kPosebne[] = {
    {4790, Profil::KomitentiVp, oseba::kKrt4790, "L", "T", 0},
    {25283, Profil::PosojilaZ, oseba::kKrt25283, "N", "K", 0},
    {44229, Profil::Izvenbilanca78, oseba::kKrt44229, "N", "K", 0},
    {60390, Profil::LastneObveznice, oseba::kBankaPa, "L", "R", 0},
    {60391, Profil::LastneDelnice, oseba::kBankaPa, "L", "H", 0},
    {60392, Profil::KreditnaLinija, oseba::kHranilnica, "N", "K", 0},
    {62374, Profil::Vloge34, oseba::kMts5214246, "N", "K", 0},
    {64398, Profil::LastneObveznice, oseba::kKrt9814, "L", "R", 0},
    {64415, Profil::PosojilaZ, oseba::kCentralnaBanka, "N", "K", 0},
    {66356, Profil::LastneObveznice, oseba::kTujaDrzava, "L", "R", 0},
    {67015, Profil::KomitentiVp, oseba::kFinancna, "N", "K", 0},
    {75805, Profil::LastneObveznice, oseba::kDrzava, "L", "H", 0},
    {75806, Profil::LastneObveznice, oseba::kDrzava, "L", "T", 0},
    // class A balances just at and just above the 0.02 threshold of the open-deal selection
    {70001, Profil::KreditnaLinija, oseba::kKrt11908, "N", "K", 2},
    {70002, Profil::KreditnaLinija, oseba::kKrt11908, "N", "K", 3},
};

Profil profilPogodbe(long index) {
    return static_cast<Profil>(index % kSteviloProfilov);
}

// Own-portfolio business is contracted as trading (T), available for sale (R) or held (H).
const char* tipPortfelja(DemoContext& ctx) {
    static const char* const types[] = {"T", "R", "H"};
    return types[ctx.rng.below(3)];
}

bool lastniPosel(Profil profil) {
    return profil == Profil::LastneObveznice || profil == Profil::LastneDelnice;
}

void writePog(DemoContext& ctx, const Pogodba& p) {
    ctx.tables.write(PogRow{.idpog = p.idpog,
                            .sftpf = p.sftpf,
                            .sfosb = p.sfosb,
                            .sforg = p.sforg,
                            .sfdjv = p.sfdjv,
                            .ban_trg = ctx.rng.chance(0.5) ? "T" : "B"});
}

void generate(DemoContext& ctx, const Pogodba& p) {
    writePog(ctx, p);
    switch (p.profil) {
    case Profil::LastneObveznice:
    case Profil::LastneDelnice:
        lastniPortfelj(ctx, p);
        break;
    case Profil::KomitentiVp:
        komitentiVp(ctx, p);
        break;
    case Profil::PosojilaZ:
        posojiloZ(ctx, p);
        break;
    case Profil::KreditnaLinija:
        kreditnaLinija(ctx, p);
        break;
    case Profil::KreditnaLinijaStn:
        kreditnaLinijaStn(ctx, p);
        break;
    case Profil::Slabitve:
        slabitve(ctx, p);
        break;
    case Profil::Vloge34:
        vloge34(ctx, p);
        break;
    case Profil::Izvenbilanca78:
        izvenbilanca78(ctx, p);
        break;
    case Profil::TerjatveBC:
        terjatveBC(ctx, p);
        break;
    case Profil::GrupiraniB:
        grupiraniB(ctx, p);
        break;
    }
}

} // namespace

std::vector<Dan> konciMesecev() {
    std::vector<Dan> ends;
    for (int month = 1; month <= 12; ++month)
        ends.push_back(konecMeseca(kPorocilnoLeto, month));
    return ends;
}

std::vector<Dan> konciMesecevObehLet() {
    std::vector<Dan> ends;
    for (int month = 1; month <= 12; ++month)
        ends.push_back(konecMeseca(kPorocilnoLeto - 1, month));
    for (const Dan end : konciMesecev())
        ends.push_back(end);
    return ends;
}

std::string idpog5(long idpog) {
    char text[24];
    std::snprintf(text, sizeof text, "00000%ld", idpog);
    const std::string all = text;
    return all.substr(all.size() - 5);
}

void writeContracts(DemoContext& ctx) {
    for (const Posebna& s : kPosebne)
        generate(ctx, Pogodba{.idpog = s.idpog,
                              .profil = s.profil,
                              .sfosb = s.sfosb,
                              .sforg = ctx.rng.pick(ctx.enote),
                              .sfdjv = s.sfdjv,
                              .sftpf = s.sftpf,
                              .posebnost = s.posebnost});
    for (long i = 0; i < ctx.velikost; ++i) {
        const Profil profil = profilPogodbe(i);
        const bool own = lastniPosel(profil);
        generate(ctx, Pogodba{.idpog = 100001 + i,
                              .profil = profil,
                              .sfosb = ctx.rng.pick(ctx.osebe),
                              .sforg = ctx.rng.pick(ctx.enote),
                              .sfdjv = own ? "L" : "N",
                              .sftpf = own ? tipPortfelja(ctx) : "K",
                              .zaporedna = i / kSteviloProfilov});
    }
}

} // namespace orv::demo
