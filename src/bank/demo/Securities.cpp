#include "bank/demo/Securities.h"

#include "bank/demo/CodeLists.h"

#include <algorithm>
#include <cstdio>

namespace orv::demo {

namespace {

struct Lastnosti {
    const char* sffin;
    const char* glvent; // '%' for a bond quoted in per cent of nominal
    bool kotira;
    int mesecevObdobja; // coupon period in months; 0: no coupons
};

Lastnosti lastnosti(VrstaVp vrsta) {
    switch (vrsta) {
    case VrstaVp::KotiranaObveznica:
        return {"D", "%", true, 12};
    case VrstaVp::SpremenljivaObrestna:
        return {"u", "%", true, 6};
    case VrstaVp::NekotiranaObveznica:
        return {"n", "%", false, 3};
    case VrstaVp::Delnica:
        return {"K", "K", true, 0};
    case VrstaVp::Sklad:
        return {"F", "K", false, 0};
    case VrstaVp::ZakladnaMenica:
        return {"G", "%", false, 12};
    case VrstaVp::LastnaObveznica:
        return {"P", "%", false, 12};
    case VrstaVp::KomercialniZapis:
        return {"k", "%", true, 6};
    }
    return {"D", "%", true, 12};
}

// Bond lives short enough that a schedule has at most 16 periods.
Dan zapadlostObveznice(DemoContext& ctx, VrstaVp vrsta, Dan izdaja) {
    const int months = lastnosti(vrsta).mesecevObdobja;
    if (vrsta == VrstaVp::ZakladnaMenica) return izdaja + ctx.rng.between(90, 360);
    const int periods =
        static_cast<int>(ctx.rng.between(vrsta == VrstaVp::KomercialniZapis ? 2 : 4, 16));
    return plusMesecev(izdaja, months * periods) - 1;
}

Vrednostnica novaVrednostnica(DemoContext& ctx, long sfvp, VrstaVp vrsta) {
    Vrednostnica v;
    v.sfvp = sfvp;
    v.vrsta = vrsta;
    const long pick = ctx.rng.below(10);
    v.valuta = pick < 8 ? "E" : (pick == 8 ? "U" : "C");
    char krt[24];
    // some short names end in "_S": the source selection drops those two characters
    std::snprintf(krt, sizeof krt, "%s%ld%s", lastnosti(vrsta).sffin, sfvp,
                  ctx.rng.chance(0.2) ? "_S" : "");
    v.krt = krt;
    v.nominala = vrsta == VrstaVp::Delnica || vrsta == VrstaVp::Sklad ? 1.0 : 1000.0;
    if (lastnosti(vrsta).mesecevObdobja > 0) {
        v.izdaja = ctx.danMed(dan(1, 1, 2016), dan(30, 11, 2024));
        v.zapadlost = zapadlostObveznice(ctx, vrsta, v.izdaja);
    } else {
        v.izdaja = ctx.danMed(dan(1, 1, 2005), dan(31, 12, 2020));
    }
    return v;
}

void writeSfvp(DemoContext& ctx, const Vrednostnica& v) {
    const Lastnosti l = lastnosti(v.vrsta);
    const bool floating = v.vrsta == VrstaVp::SpremenljivaObrestna;
    const bool fund = v.vrsta == VrstaVp::Sklad;
    static const char* const bondKinds[] = {"1", "2", "3", "F"};
    char isin[16];
    std::snprintf(isin, sizeof isin, "SI00%08ld", v.sfvp * 7 % 100000000);
    const bool callable = v.obveznica() && ctx.rng.chance(0.1);
    ctx.tables.write(SfvpRow{
        .sfvp = v.sfvp,
        .krt = v.krt,
        .zpdvp = v.obveznica() ? Txt(besedilo(v.zapadlost)) : Txt(),
        .vrsta_ref_om = floating ? Txt("10" + std::to_string(ctx.rng.between(1, 8))) : Txt(),
        .isin = ctx.rng.chance(0.9) ? Txt(isin) : Txt(),
        .sfvlp = v.valuta,
        .sfvltnmn = v.valuta,
        .sfglvent = l.glvent,
        .fixobr = floating || !v.obveznica() ? 0.0 : ctx.rng.amount(0.5, 6.0),
        .sfodp = callable ? Txt("C") : Txt(),
        .danodp = callable ? Txt(besedilo(v.zapadlost - 365)) : Txt(),
        .sffin = l.sffin,
        .refinxnzv = floating ? Txt("EURIBOR 6M") : Txt(),
        .glvnmn = v.nominala,
        .kotacija = l.kotira ? "D" : "N",
        .sprem_skup_om = ctx.rng.chance(0.1) ? Txt("1") : Txt(),
        .zajamcena_om = v.obveznica() ? Num(ctx.rng.chance(0.3) ? 100.0 : 50.0) : Num(),
        .vrsta_obveznice = v.obveznica() ? Txt(bondKinds[ctx.rng.below(4)]) : Txt(),
        .dat_spr_skup_om = Txt(),
        .vrsta_sklada = fund ? Txt(ctx.rng.chance(0.5) ? "1" : "2") : Txt(),
        .sfosbizd = ctx.rng.pick(ctx.izdajatelji),
        .jamstvo = ctx.rng.chance(0.2) ? "1" : "0",
        .ecb_eligible_dn = ctx.rng.chance(0.5) ? "D" : "N",
    });
}

// Coupon periods from issue to maturity; a floating-rate bond fixes its rate per period.
void writeKpn(DemoContext& ctx, const Vrednostnica& v) {
    const Lastnosti l = lastnosti(v.vrsta);
    if (!v.obveznica()) return;
    const bool floating = v.vrsta == VrstaVp::SpremenljivaObrestna;
    const bool amortising = v.vrsta == VrstaVp::KomercialniZapis;
    const double rate = ctx.rng.amount(0.5, 6.0);
    std::vector<std::pair<Dan, Dan>> periods;
    for (Dan start = v.izdaja; start <= v.zapadlost;) {
        Dan end = std::min(plusMesecev(start, l.mesecevObdobja) - 1, v.zapadlost);
        if (v.vrsta == VrstaVp::ZakladnaMenica) end = v.zapadlost;
        periods.emplace_back(start, end);
        start = end + 1;
    }
    const double n = static_cast<double>(periods.size());
    for (std::size_t k = 0; k < periods.size(); ++k) {
        const auto [start, end] = periods[k];
        const double remaining = amortising ? 1.0 - static_cast<double>(k) / n : 1.0;
        ctx.tables.write(KpnRow{
            .sfvp = v.sfvp,
            .sfkpn = std::to_string(ctx.nextSfkpn++),
            .stkpn = static_cast<long long>(k + 1),
            .prvdan = besedilo(start),
            .zdndan = besedilo(end),
            .prvdantrg = besedilo(start),
            .zdndantrg = besedilo(end),
            .sfobd = v.vrsta == VrstaVp::ZakladnaMenica ? 12 : l.mesecevObdobja,
            .sfinx = floating ? Txt(kIndeksi[v.sfvp % 3]) : Txt(),
            .refobm = floating ? "6M" : "FI",
            .glvobr = amortising ? 1.0 / n : 0.0,
            .obrprc = floating ? 0.0 : rate,
            .obrobr = v.nominala * rate / 100.0 * l.mesecevObdobja / 12.0,
            .glv = v.nominala * remaining,
        });
    }
}

// Prices of listed securities at quarter ends of the previous year and month ends of the
// reporting year, what the substitute price lookup reads.
void writeTcn(DemoContext& ctx, const Vrednostnica& v) {
    if (!lastnosti(v.vrsta).kotira) return;
    const double base = v.obveznica() ? ctx.rng.amount(92, 104) : ctx.rng.amount(5, 150);
    for (int year = kPorocilnoLeto - 1; year <= kPorocilnoLeto; ++year) {
        for (int month = year < kPorocilnoLeto ? 3 : 1; month <= 12;
             month += year < kPorocilnoLeto ? 3 : 1) {
            const double price = std::max(0.01, base + ctx.rng.amount(-2, 2));
            ctx.tables.write(
                TcnRow{.sfvp = v.sfvp, .dan = besedilo(konecMeseca(year, month)), .tcn = price});
        }
    }
}

void registriraj(DemoContext& ctx, const Vrednostnica& v) {
    writeSfvp(ctx, v);
    writeKpn(ctx, v);
    writeTcn(ctx, v);
    ctx.vrednostnice.push_back(v);
}

void writeSpecial(DemoContext& ctx) {
    struct Posebna {
        long sfvp;
        VrstaVp vrsta;
    };
    static const Posebna posebne[] = {
        {papir::k2796, VrstaVp::KotiranaObveznica},
        {papir::k4250, VrstaVp::KotiranaObveznica},
        {papir::k5779, VrstaVp::Sklad},
        {papir::k6122, VrstaVp::SpremenljivaObrestna},
        {papir::k6123, VrstaVp::SpremenljivaObrestna},
        {papir::k6307, VrstaVp::KotiranaObveznica},
        {papir::k6310, VrstaVp::NekotiranaObveznica},
        {papir::k6485, VrstaVp::Delnica},
    };
    for (const Posebna& p : posebne) {
        Vrednostnica v = novaVrednostnica(ctx, p.sfvp, p.vrsta);
        if (p.sfvp == papir::k4250) { // long matured: no period covers any date of the demo
            v.izdaja = dan(16, 6, 2006);
            v.zapadlost = dan(15, 6, 2011);
        }
        registriraj(ctx, v);
    }
}

} // namespace

void writeSecurities(DemoContext& ctx) {
    writeSpecial(ctx);
    const long count = std::max(16L, ctx.velikost / 4);
    for (long i = 0; i < count; ++i)
        registriraj(ctx, novaVrednostnica(ctx, 10001 + i, static_cast<VrstaVp>(i % 8)));
    ctx.razvrstiVrednostnice();
}

const Vrednostnica& vrednostnica(const DemoContext& ctx, long sfvp) {
    for (const Vrednostnica& v : ctx.vrednostnice)
        if (v.sfvp == sfvp) return v;
    return ctx.vrednostnice.front();
}

} // namespace orv::demo
