// Own-portfolio holdings of securities and the clients' securities business.

#include "bank/demo/Accounts.h"
#include "bank/demo/CodeLists.h"
#include "bank/demo/Contracts.h"
#include "bank/demo/Securities.h"

#include <algorithm>
#include <cmath>

namespace orv::demo {

namespace {

struct Imetje {
    const Vrednostnica* vp = nullptr;
    long idvp = 0;
    long nakup = 0; // IDDOG of the purchase deal
    Dan danNakupa = 0;
    double kolicina = 0;
    double cena = 100; // per cent of nominal for bonds, per unit otherwise
    long konto = 0;
    const char* dejavnost = "L";
};

double knjigovodska(const Imetje& h) {
    const double perUnit = h.vp->obveznica() ? h.vp->nominala * h.cena / 100.0 : h.cena;
    return std::round(h.kolicina * perUnit * 100.0) / 100.0;
}

// Own securities by the contract's special number where the output needs one, else by kind.
const Vrednostnica& izberiPapir(DemoContext& ctx, const Pogodba& p, bool bonds) {
    switch (p.idpog) {
    case 60390:
        return vrednostnica(ctx, papir::k4250);
    case 64398:
        return vrednostnica(ctx, papir::k6123);
    case 66356:
        return vrednostnica(ctx, papir::k6122);
    case 75805:
        return vrednostnica(ctx, papir::k2796);
    case 75806:
        return vrednostnica(ctx, papir::k6307);
    case 60391:
        return vrednostnica(ctx, papir::k5779);
    default:
        break;
    }
    static const VrstaVp bondKinds[] = {VrstaVp::KotiranaObveznica,   VrstaVp::SpremenljivaObrestna,
                                        VrstaVp::NekotiranaObveznica, VrstaVp::LastnaObveznica,
                                        VrstaVp::KomercialniZapis,    VrstaVp::ZakladnaMenica};
    static const VrstaVp equityKinds[] = {VrstaVp::Delnica, VrstaVp::Sklad};
    // a bond that matured before the previous year would have nothing left to hold
    for (int attempt = 0;; ++attempt) {
        const Vrednostnica& v = bonds ? ctx.nakljucna(bondKinds[ctx.rng.below(6)])
                                      : ctx.nakljucna(equityKinds[ctx.rng.below(2)]);
        if (!v.obveznica() || v.zapadlost >= dan(1, 1, kPorocilnoLeto - 1) || attempt == 20)
            return v;
    }
}

long kontoImetja(DemoContext& ctx, const Pogodba& p, const Vrednostnica& v) {
    if (p.idpog == 60390) return konto::k1Odpis99;
    if (v.sfvp == papir::k6307) return ctx.rng.chance(0.5) ? konto::k1Zava910 : konto::k1Zava911;
    if (v.vrsta == VrstaVp::ZakladnaMenica) return konto::k9Vp;
    if (!v.obveznica()) {
        static const long equity[] = {konto::kFDelnice, konto::kFOznaka9953007, konto::k9Vp,
                                      konto::k9Oznaka9788};
        return equity[ctx.rng.below(4)];
    }
    static const long bonds[] = {
        konto::k1Vp, konto::k1Vp, konto::k1Vp2, konto::k1Oznaka171, konto::k1Oznaka9903007,
        konto::k9Vp};
    return bonds[ctx.rng.below(6)];
}

// Bought on the primary market on the issue day, or later on a market; a tenth of the
// purchases fall in the reporting month.
Dan danNakupa(DemoContext& ctx, const Vrednostnica& v, bool primary) {
    const Dan earliest = std::max(v.izdaja, dan(1, 1, 2019));
    const Dan latest = v.obveznica() ? std::min(kPorocilniDan, v.zapadlost - 1) : kPorocilniDan;
    if (primary && v.izdaja >= dan(1, 1, 2019)) return v.izdaja;
    if (latest <= earliest) return earliest;
    if (ctx.rng.chance(0.1)) return std::max(earliest, ctx.danMed(dan(1, 12, 2024), latest));
    return ctx.danMed(earliest, latest);
}

void writePurchaseDeal(DemoContext& ctx, const Pogodba& p, Imetje& h, bool primary) {
    static const long purchaseTypes[] = {248, 908, 963, 826};
    static const char* const kinds[] = {"N", "N", "A", "B", "3"};
    h.nakup = ctx.novIddog();
    ctx.tables.write(DogRow{.iddog = h.nakup,
                            .idpog = p.idpog,
                            .sfvp = h.vp->sfvp,
                            .idvp = h.idvp,
                            .dan = besedilo(h.danNakupa),
                            .zpd = h.vp->obveznica() ? Txt(besedilo(h.vp->zapadlost)) : Txt(),
                            .sfpdg = kinds[ctx.rng.below(5)],
                            .sfdog = purchaseTypes[ctx.rng.below(4)],
                            .sfvlt = h.vp->valuta,
                            .glvtcj = h.cena,
                            .lot = h.kolicina,
                            .sftrg = primary ? "01" : (ctx.rng.chance(0.7) ? "02" : "03"),
                            .glvvlt = h.vp->nominala,
                            .obrvlt = h.vp->obveznica() ? ctx.rng.amount(0, 20) : 0.0});
}

// Later deals of the line: a partial sale (type 249 or 909) and, for some, a write-down (916)
// and an own-issue deal (963) on the reporting day's month.
void writeLaterDeals(DemoContext& ctx, const Pogodba& p, const Imetje& h, Dan sale) {
    auto deal = [&](long sfdog, Dan day, double lot, double glvvlt, const char* sfpdg) {
        ctx.tables.write(DogRow{.iddog = ctx.novIddog(),
                                .idpog = p.idpog,
                                .sfvp = h.vp->sfvp,
                                .idvp = h.idvp,
                                .dan = besedilo(day),
                                .sfpdg = sfpdg,
                                .sfdog = sfdog,
                                .sfvlt = h.vp->valuta,
                                .lot = lot,
                                .glvvlt = glvvlt,
                                .obrvlt = 0.0});
    };
    if (sale) deal(ctx.rng.chance(0.5) ? 249 : 909, sale, h.kolicina / 4, h.vp->nominala, "P");
    if (ctx.rng.chance(0.2))
        deal(916, ctx.danMed(h.danNakupa, kPorocilniDan), h.kolicina, -ctx.rng.amount(0.5, 5), "O");
    if (ctx.rng.chance(0.1)) deal(963, ctx.danMed(dan(1, 12, 2024), kPorocilniDan), 0, 0, "O");
}

// Holding states at the end of the previous year and of every month of the reporting year.
void writeHoldingStates(DemoContext& ctx, const Pogodba& p, const Imetje& h, Dan sale) {
    std::vector<Dan> days = konciMesecev();
    days.insert(days.begin(), konecMeseca(kPorocilnoLeto - 1, 12));
    const bool priced = h.vp->vrsta != VrstaVp::NekotiranaObveznica;
    for (const Dan day : days) {
        if (day < h.danNakupa) continue;
        if (h.vp->obveznica() && day > h.vp->zapadlost) break;
        const double lot = sale && day >= sale ? h.kolicina * 0.75 : h.kolicina;
        const double rate = tecaj(h.vp->valuta, day);
        ctx.tables.write(VphstRow{.dan = besedilo(day),
                                  .sfvp = h.vp->sfvp,
                                  .idpog = p.idpog,
                                  .idvp = h.idvp,
                                  .dannkp = besedilo(h.danNakupa),
                                  .sfdjv = "L",
                                  .sfsvp = "L",
                                  .lot = lot,
                                  .iddoggen = h.nakup,
                                  .glvtcjnkp = h.cena,
                                  .glvtcj = priced ? h.cena + ctx.rng.amount(-1, 1) : 0.0,
                                  .glvvlt = h.vp->nominala,
                                  .obrvlt = h.vp->obveznica() ? ctx.rng.amount(0, 15) : 0.0,
                                  .revvlt = ctx.rng.amount(-2, 2),
                                  .tcjvlt = rate != 0.0 ? rate : 1.0});
        ctx.tables.write(VpshstRow{.dan = besedilo(day),
                                   .idpog = p.idpog,
                                   .sfvp = h.vp->sfvp,
                                   .zst = ctx.rng.chance(0.8) ? lot : 0.0});
    }
}

// The ledger of a line: opening balances or the purchase, revaluations on a revaluation deal,
// accrued coupons on class 2, fees on accounts 617/618, and the partial sale.
void writeHoldingPostings(DemoContext& ctx, const Pogodba& p, const Imetje& h, Dan sale) {
    const double value = knjigovodska(h);
    Knjizba k{.konto = h.konto,
              .valuta = h.vp->valuta,
              .idpog = p.idpog,
              .vp = h.vp->sfvp,
              .idvp = h.idvp,
              .idmaster = h.nakup,
              .dejavnost = h.dejavnost,
              .oe = ctx.rng.pick(ctx.enote)};
    for (int year = kPorocilnoLeto - 1; year <= kPorocilnoLeto; ++year) {
        if (h.danNakupa < dan(1, 1, year)) {
            k.dan = dan(1, 1, year), k.znesek = value, k.idobd = 0;
            ctx.knjizi(k);
        }
    }
    k.idobd = Int();
    if (h.danNakupa >= kZacetekKnjizb) {
        k.dan = h.danNakupa, k.znesek = value;
        ctx.knjizi(k);
    }
    const long revaluation = ctx.novIddog();
    ctx.tables.write(DogRow{.iddog = revaluation,
                            .idpog = p.idpog,
                            .sfvp = h.vp->sfvp,
                            .idvp = h.idvp,
                            .dan = besedilo(dan(1, 1, kPorocilnoLeto)),
                            .sfpdg = ctx.rng.chance(0.5) ? "V" : "x",
                            .sfdog = 300,
                            .sfvlt = h.vp->valuta});
    for (const Dan end : konciMesecev()) {
        if (end < h.danNakupa || !ctx.rng.chance(0.35)) continue;
        k.dan = end, k.idmaster = revaluation, k.znesek = ctx.rng.amount(-0.01, 0.01) * value;
        ctx.knjizi(k);
    }
    k.idmaster = h.nakup;
    if (sale) {
        k.dan = sale, k.znesek = -std::round(value * 25.0) / 100.0;
        ctx.knjizi(k);
    }
    if (h.vp->obveznica()) {
        Knjizba coupon = k;
        coupon.konto = konto::k2Kupon;
        if (ctx.rng.chance(0.1)) coupon.konto = konto::k2Oznaka0909051;
        for (const Dan end : konciMesecevObehLet()) {
            if (end < h.danNakupa || end > h.vp->zapadlost) continue;
            coupon.dan = end, coupon.znesek = std::round(value * 0.3) / 100.0;
            ctx.knjizi(coupon);
        }
    }
    if (ctx.rng.chance(0.4)) {
        Knjizba fee = k;
        fee.konto = ctx.rng.chance(0.7) ? konto::k5Konto617 : konto::k5Konto618;
        fee.dan = ctx.danMed(std::max(h.danNakupa, dan(1, 12, 2024)), kPorocilniDan);
        fee.znesek = ctx.rng.amount(5, 200);
        ctx.knjizi(fee);
    }
}

// Write-down rows of the line at every month end, for a third of the lines.
void writeLineWriteDowns(DemoContext& ctx, const Pogodba& p, const Imetje& h) {
    if (!ctx.rng.chance(0.33)) return;
    const double share = ctx.rng.amount(0.1, 8);
    for (const Dan end : konciMesecev()) {
        if (end < h.danNakupa) continue;
        ctx.tables.write(SlabitevRow{.dat_stanje = besedilo(end),
                                     .idvp = h.idvp,
                                     .idpog = p.idpog,
                                     .sfvp = h.vp->sfvp,
                                     .ecb_133 = ctx.rng.chance(0.5) ? "11" : "30",
                                     .vrsta_slabitve = ctx.rng.chance(0.7) ? "S1" : "S2",
                                     .ecb_42 = share});
    }
}

// Every eighth own-bond contract subscribes on the primary market in the reporting month.
bool vpisVMesecu(const Pogodba& p) {
    return p.profil == Profil::LastneObveznice && p.zaporedna % 8 == 5;
}

void writeHolding(DemoContext& ctx, const Pogodba& p, const Vrednostnica& v, bool first) {
    const bool subscription = first && vpisVMesecu(p) && v.zapadlost > kPorocilniDan;
    const bool primary = subscription || ctx.rng.chance(0.3);
    Imetje h;
    h.vp = &v;
    h.idvp = ctx.novIdvp();
    h.danNakupa = subscription ? ctx.danMed(dan(1, 12, kPorocilnoLeto), kPorocilniDan)
                               : danNakupa(ctx, v, primary);
    h.kolicina =
        static_cast<double>(v.obveznica() ? ctx.rng.between(10, 500) : ctx.rng.between(100, 10000));
    h.cena = v.obveznica() ? ctx.rng.amount(95, 105) : ctx.rng.amount(5, 150);
    h.konto = kontoImetja(ctx, p, v);
    // a line of class F booked under another activity than the own portfolio
    h.dejavnost = h.konto == konto::kFDelnice && ctx.rng.chance(0.3) ? "N" : "L";
    const Dan sale = h.danNakupa < dan(1, 6, kPorocilnoLeto) && ctx.rng.chance(0.25)
                         ? ctx.danMed(dan(1, 6, kPorocilnoLeto), dan(30, 11, kPorocilnoLeto))
                         : 0;
    writePurchaseDeal(ctx, p, h, primary);
    writeLaterDeals(ctx, p, h, sale);
    writeHoldingStates(ctx, p, h, sale);
    writeHoldingPostings(ctx, p, h, sale);
    writeLineWriteDowns(ctx, p, h);
}

} // namespace

void lastniPortfelj(DemoContext& ctx, const Pogodba& p) {
    const bool bonds = p.profil == Profil::LastneObveznice;
    const Vrednostnica* first = &izberiPapir(ctx, p, bonds);
    for (int attempt = 0; vpisVMesecu(p) && first->zapadlost <= kPorocilniDan && attempt < 50;
         ++attempt)
        first = &izberiPapir(ctx, p, bonds);
    writeHolding(ctx, p, *first, true);
    if (p.idpog < 100000 || !ctx.rng.chance(0.4)) return;
    const Vrednostnica& second = izberiPapir(ctx, p, bonds);
    if (second.sfvp != first->sfvp) writeHolding(ctx, p, second, false);
}

// Fees and settlements of clients' securities on classes 5 and E, in both years.
void komitentiVp(DemoContext& ctx, const Pogodba& p) {
    const Vrednostnica& v = ctx.rng.pick(ctx.vrednostnice);
    static const long accounts[] = {konto::k5Provizije, konto::kEDomaci, konto::kEDevizni};
    const long account = accounts[ctx.rng.below(3)];
    Knjizba k{.konto = account,
              .valuta = account == konto::kEDevizni ? v.valuta : "E",
              .idpog = p.idpog,
              .vp = v.sfvp,
              .idvp = 0,
              .dejavnost = ctx.rng.chance(0.5) ? "N" : "T",
              .oe = ctx.rng.pick(ctx.enote)};
    for (const Dan end : konciMesecevObehLet()) {
        if (!ctx.rng.chance(0.4) && end != kPorocilniDan) continue;
        k.dan = end - ctx.rng.below(20);
        k.znesek = ctx.rng.amount(-500, 1500);
        ctx.knjizi(k);
    }
}

} // namespace orv::demo
