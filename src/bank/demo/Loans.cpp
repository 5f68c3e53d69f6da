// Loans and credit lines tied to deals: class 6 loans of kind "Z", class A credit lines on master
// deals of the four kinds, class A deals with a state deal, and class D write-downs.

#include "bank/demo/Accounts.h"
#include "bank/demo/Contracts.h"

#include <algorithm>
#include <cmath>

namespace orv::demo {

namespace {

double round2(double value) {
    return std::round(value * 100.0) / 100.0;
}

/// A deal's value as the class A selection computes it: LOT + ZKR, plus DVK per cent.
double vrednostPosla(double lot, double zkr, Num dvk) {
    return round2(lot + zkr + dvk.value_or(0.0) / 100.0 * (lot + zkr));
}

long novPlan(DemoContext& ctx, const std::string& prefix, long idpog) {
    const long idvpl = ctx.nextIdvpl++;
    ctx.tables.write(VplRow{.idvpl = idvpl, .st = prefix + std::to_string(idpog)});
    return idvpl;
}

std::string leto(Dan day) {
    return std::to_string(deli(day).year);
}

/// Splits a whole amount into `parts` whole parts that sum to it exactly.
std::vector<double> razdeli(double whole, long parts) {
    const double base = std::floor(whole / static_cast<double>(parts));
    std::vector<double> result(static_cast<std::size_t>(parts), base);
    result.back() = whole - base * static_cast<double>(parts - 1);
    return result;
}

// Write-down rows by the contract text the output derives, at every month end.
void slabitevPogodbe(DemoContext& ctx, const Txt& pogodba, long idpog, Int idvp) {
    const double share = ctx.rng.amount(0.5, 40);
    for (const Dan end : konciMesecev())
        ctx.tables.write(SlabitevRow{.dat_stanje = besedilo(end),
                                     .idvp = idvp,
                                     .idpog = idpog,
                                     .pogodba = pogodba,
                                     .ecb_133 = "11",
                                     .vrsta_slabitve = ctx.rng.chance(0.5) ? "S2" : "S3",
                                     .ecb_42 = share});
}

// Accrual deals of period 2 before the reporting month's end: a non-zero sum keeps the
// contract out of the month's zero rows, a sum of zero does not.
void obrestniPosli(DemoContext& ctx, long idpog, bool term) {
    const double roll = ctx.rng.unit();
    if (roll > 0.6) return;
    const double amount = ctx.rng.amount(10, 500);
    const std::vector<double> amounts =
        roll < 0.4 ? std::vector<double>{amount} : std::vector<double>{amount, -amount};
    for (const double a : amounts) {
        DogRow d{.iddog = ctx.novIddog(),
                 .idpog = idpog,
                 .dan = besedilo(ctx.danMed(dan(1, 1, 2024), dan(29, 11, 2024))),
                 .sfpdg = "O",
                 .sfdog = 610,
                 .idobd = 2};
        (term ? d.ter : d.zlz) = a;
        ctx.tables.write(d);
    }
}

// --- class 6 -----------------------------------------------------------------------------------

void obrokiPosojila(DemoContext& ctx, const Pogodba& p, long master, Dan start, double amount,
                    bool closed, Knjizba k) {
    const long quarters = std::max(1L, (kPorocilniDan - start) / 91);
    std::vector<double> parts;
    if (closed) {
        parts = razdeli(amount, quarters);
    } else {
        const double installment = round2(amount / static_cast<double>(quarters + 4));
        parts.assign(static_cast<std::size_t>(quarters + 2), installment);
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Dan day = std::min(plusMesecev(start, 3 * static_cast<int>(i + 1)),
                                 closed ? kPorocilniDan : dan(31, 12, 2099));
        const long detail = ctx.novIddog();
        ctx.tables.write(DogRow{.iddog = detail,
                                .idpog = p.idpog,
                                .dan = besedilo(day),
                                .sfpdg = "z",
                                .sfdog = 501,
                                .zlz = parts[i]});
        ctx.tables.write(DoglnkRow{.iddogmaster = master, .iddogdetail = detail, .sflnk = "C"});
        if (day <= kPorocilniDan) {
            k.dan = day, k.znesek = -parts[i];
            ctx.knjizi(k);
        }
    }
    if (ctx.rng.chance(0.1)) { // a link of another kind, which the outstanding amount ignores
        const long other = ctx.novIddog();
        ctx.tables.write(DogRow{.iddog = other,
                                .idpog = p.idpog,
                                .dan = besedilo(start + 10),
                                .sfpdg = "z",
                                .sfdog = 501,
                                .zlz = amount});
        ctx.tables.write(DoglnkRow{.iddogmaster = master, .iddogdetail = other, .sflnk = "X"});
    }
}

} // namespace

void posojiloZ(DemoContext& ctx, const Pogodba& p) {
    const bool closed = ctx.rng.chance(0.2);
    const Dan start = ctx.danMed(dan(1, 1, 2021), dan(30, 11, 2024));
    const double amount =
        closed ? ctx.rng.wholeAmount(10000, 500000) : ctx.rng.amount(10000, 500000);
    const std::string valuta = ctx.rng.chance(0.85) ? "E" : "U";
    const long master = ctx.novIddog();
    ctx.tables.write(
        DogRow{.iddog = master,
               .idpog = p.idpog,
               .dan = besedilo(start),
               .zpd = besedilo(plusMesecev(start, 12 * static_cast<int>(ctx.rng.between(2, 10)))),
               .sfpdg = "Z",
               .sfdog = 500,
               .sfvlt = valuta,
               .idvpl = novPlan(ctx, "PZ", p.idpog),
               .zlz = amount,
               .idobd = 0});
    static const long accounts[] = {konto::k6Posojila, konto::k6Posojila, konto::k6Posojila2,
                                    konto::k6Oznaka0900};
    Knjizba k{.dan = start,
              .konto = accounts[ctx.rng.below(4)],
              .valuta = valuta,
              .idpog = p.idpog,
              .idvp = 0,
              .idmaster = master,
              .znesek = amount,
              .oe = p.sforg};
    ctx.knjizi(k);
    obrokiPosojila(ctx, p, master, start, amount, closed, k);
    for (const Dan end : konciMesecev()) { // monthly interest, the reporting month included
        if (end <= start) continue;
        k.dan = end - ctx.rng.below(5), k.znesek = round2(amount * 0.004);
        ctx.knjizi(k);
    }
    obrestniPosli(ctx, p.idpog, false);
    if (ctx.rng.chance(0.3)) slabitevPogodbe(ctx, idpog5(p.idpog), p.idpog, Int());
}

// --- class A -----------------------------------------------------------------------------------

namespace {

struct Druzina {
    long master = 0; // the deal the postings name
    Dan dan = 0;
    double principal = 0;
};

DogRow posel(DemoContext& ctx, const Pogodba& p, Dan day, Dan maturity, Int idvpl) {
    return DogRow{.iddog = ctx.novIddog(),
                  .idpog = p.idpog,
                  .dan = besedilo(day),
                  .zpd = besedilo(maturity),
                  .sfdog = 400,
                  .sfvlt = "E",
                  .idvpl = idvpl,
                  .zkr = 0.0};
}

// Deals pointing at `target` (through IDDOGGOT or IDDOGSTO) that repay `value`: all of it when
// closed (the last one a day after the reporting day in some cases, which keeps the deal open
// on the reporting day), part of it otherwise.
void odvisniPosli(DemoContext& ctx, const Pogodba& p, long target, bool throughGot, Dan from,
                  double value, bool closed, bool lastLate, const char* sfpdg, long idvpl) {
    const long count = ctx.rng.between(1, 3);
    const std::vector<double> parts =
        closed ? razdeli(value, count)
               : std::vector<double>(static_cast<std::size_t>(count),
                                     round2(value * 0.6 / static_cast<double>(count)));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool late = lastLate && i + 1 == parts.size();
        DogRow d = posel(ctx, p, late ? kPorocilniDan + 1 : ctx.danMed(from, kPorocilniDan),
                         kPorocilniDan + 365, idvpl);
        d.sfpdg = sfpdg, d.lot = parts[i];
        (throughGot ? d.iddoggot : d.iddogsto) = target;
        ctx.tables.write(d);
    }
}

// The four kinds of master deal the open-deal selection knows.
Druzina druzinaA(DemoContext& ctx, const Pogodba& p, int kind, bool closed, bool lastLate,
                 long idvpl) {
    const Dan start = ctx.danMed(dan(1, 1, 2021), dan(30, 6, 2024));
    const Dan maturity = plusMesecev(start, 12 * static_cast<int>(ctx.rng.between(2, 8)));
    const double lot = ctx.rng.wholeAmount(5000, 200000);
    DogRow m = posel(ctx, p, start, maturity, idvpl);
    m.lot = lot, m.sfpdg = "N", m.brezsto = "D";
    switch (kind) {
    case 0: { // a plain deal, repaid by deals pointing to it through IDDOGGOT
        if (!closed) m.zkr = ctx.rng.amount(0, 300), m.dvk = ctx.rng.amount(0, 3);
        ctx.tables.write(m);
        odvisniPosli(ctx, p, *m.iddog, true, start, vrednostPosla(lot, *m.zkr, m.dvk), closed,
                     lastLate, "<", idvpl);
        return {*m.iddog, start, lot};
    }
    case 1: { // a ">" deal whose parent is still open against its children
        m.brezsto = "N";
        ctx.tables.write(m);
        DogRow child = posel(ctx, p, start + 1, maturity, idvpl);
        child.sfpdg = ">", child.iddoggot = m.iddog;
        child.lot = closed ? lot / 2 : round2(lot * 0.3);
        ctx.tables.write(child);
        DogRow sibling = child;
        sibling.iddog = ctx.novIddog(),
        sibling.dan = besedilo(ctx.danMed(start + 1, kPorocilniDan));
        sibling.lot = closed ? lot - *child.lot : round2(lot * 0.2);
        ctx.tables.write(sibling);
        return {*child.iddog, start + 1, *child.lot};
    }
    case 2: { // an "S" deal, repaid by deals pointing to it through IDDOGSTO
        m.sfpdg = "S";
        ctx.tables.write(m);
        odvisniPosli(ctx, p, *m.iddog, false, start, lot, closed, false, "<", idvpl);
        return {*m.iddog, start, lot};
    }
    default: { // a ">" deal of an "S" deal that its ">" siblings have not yet covered
        m.sfpdg = "S";
        ctx.tables.write(m);
        DogRow child = posel(ctx, p, start + 1, maturity + 30, idvpl);
        child.sfpdg = ">", child.iddogsto = m.iddog;
        child.lot = closed ? lot / 2 : round2(lot * 0.4);
        ctx.tables.write(child);
        DogRow sibling = child;
        sibling.iddog = ctx.novIddog();
        sibling.lot = closed ? lot - *child.lot : round2(lot * 0.1);
        ctx.tables.write(sibling);
        return {*child.iddog, start + 1, *child.lot};
    }
    }
}

// Drawdown, monthly interest of the reporting year (its last month included) and a repayment.
void knjizbeA(DemoContext& ctx, const Pogodba& p, const Druzina& f, long account) {
    Knjizba k{.dan = f.dan,
              .konto = account,
              .valuta = "E",
              .idpog = p.idpog,
              .idvp = 0,
              .idmaster = f.master,
              .znesek = f.principal,
              .oe = p.sforg};
    ctx.knjizi(k);
    for (const Dan end : konciMesecev()) {
        if (end <= f.dan) continue;
        k.dan = end - ctx.rng.below(3), k.znesek = round2(f.principal * 0.003);
        ctx.knjizi(k);
    }
    if (ctx.rng.chance(0.5)) {
        k.dan = ctx.danMed(std::max(f.dan, dan(1, 1, 2024)), kPorocilniDan);
        k.znesek = -round2(f.principal * ctx.rng.amount(0.1, 0.5));
        ctx.knjizi(k);
    }
}

// A single posting of exactly 0.02 or 0.03 on an open plain deal.
void pragA(DemoContext& ctx, const Pogodba& p, long idvpl) {
    const Dan start = dan(15, 6, 2024);
    DogRow m = posel(ctx, p, start, dan(15, 6, 2027), idvpl);
    m.lot = 1000.0, m.sfpdg = "N", m.brezsto = "D";
    ctx.tables.write(m);
    ctx.knjizi(Knjizba{.dan = start,
                       .konto = konto::kAKrediti,
                       .idpog = p.idpog,
                       .idvp = 0,
                       .idmaster = m.iddog,
                       .znesek = p.posebnost == 2 ? 0.02 : 0.03});
}

} // namespace

void kreditnaLinija(DemoContext& ctx, const Pogodba& p) {
    const long idvpl = novPlan(ctx, "KL", p.idpog);
    if (p.posebnost != 0) {
        pragA(ctx, p, idvpl);
        return;
    }
    // Every four contracts take the four kinds in turn; of twelve, each kind is closed once, and
    // of twenty-four, one closed plain deal has its last repayment a day after the reporting day.
    const long n = p.zaporedna >= 0 ? p.zaporedna : ctx.rng.below(24);
    const int kind = static_cast<int>(n % 4);
    const bool closed = (n / 4) % 3 == 1;
    const bool lastLate = closed && kind == 0 && (n / 12) % 2 == 1;
    const Druzina f = druzinaA(ctx, p, kind, closed, lastLate, idvpl);
    knjizbeA(ctx, p, f, ctx.rng.chance(0.7) ? konto::kAKrediti : konto::kAKrediti2);
    obrestniPosli(ctx, p.idpog, true);
    if (ctx.rng.chance(0.3))
        slabitevPogodbe(
            ctx, std::to_string(p.idpog) + "KL" + std::to_string(p.idpog) + "/" + leto(f.dan),
            p.idpog, Int());
}

// A deal with a state (STN) whose state deal is dated after the reporting day for most, within
// the reporting year for the others (those count only at the month ends before it).
void kreditnaLinijaStn(DemoContext& ctx, const Pogodba& p) {
    const long idvpl = novPlan(ctx, "KS", p.idpog);
    const Dan start = ctx.danMed(dan(1, 1, 2022), dan(31, 3, 2024));
    DogRow m = posel(ctx, p, start, plusMesecev(start, 36), idvpl);
    m.lot = ctx.rng.amount(5000, 100000), m.sfpdg = "N", m.brezsto = "D", m.stn = "Z";
    ctx.tables.write(m);
    DogRow state = posel(ctx, p,
                         ctx.rng.chance(0.6) ? ctx.danMed(kPorocilniDan, dan(31, 3, 2025))
                                             : ctx.danMed(dan(1, 3, 2024), dan(30, 11, 2024)),
                         plusMesecev(start, 36), idvpl);
    state.sfpdg = "T", state.iddogstn = m.iddog, state.lot = 0.0;
    ctx.tables.write(state);
    Knjizba k{.konto = konto::kAKrediti,
              .valuta = "E",
              .idpog = p.idpog,
              .idvp = 0,
              .idmaster = m.iddog,
              .oe = p.sforg};
    for (const Dan end : konciMesecev()) {
        if (!ctx.rng.chance(0.6) && end != kPorocilniDan) continue;
        k.dan = end - 1, k.znesek = ctx.rng.amount(-200, 800);
        ctx.knjizi(k);
    }
}

// --- class D -----------------------------------------------------------------------------------

void slabitve(DemoContext& ctx, const Pogodba& p) {
    const bool labelled = ctx.rng.chance(0.7);
    const long idvpl = labelled ? novPlan(ctx, "SL", p.idpog) : 0;
    const Dan start = ctx.danMed(dan(1, 1, 2018), dan(31, 12, 2023));
    DogRow loan = posel(ctx, p, start, plusMesecev(start, 60), idvpl);
    loan.sfpdg = "F", loan.lot = ctx.rng.amount(10000, 300000);
    if (!labelled) loan.idvpl = Int(); // a loan without a plan is labelled POSOJILO
    ctx.tables.write(loan);
    const long account = ctx.rng.chance(0.7) ? konto::kDSlabitve : konto::kDSlabitve2;
    const long writeDowns = ctx.rng.chance(0.3) ? 2 : 1;
    const bool released = ctx.rng.chance(0.1);
    for (long w = 0; w < writeDowns; ++w) {
        const bool type917 = ctx.rng.chance(0.6);
        const Dan day = ctx.danMed(start, dan(30, 6, 2024));
        const double amount = ctx.rng.amount(100, 5000);
        DogRow down = posel(ctx, p, day, plusMesecev(start, 60), Int());
        down.sfpdg = "W", down.sfdog = type917 ? 917 : 918, down.lot = 1.0, down.glvvlt = -amount,
        down.obrvlt = 0.0;
        if (type917) // the write-down names its loan through TRG_SLAB
            ctx.tables.write(TrgSlabRow{.iddogslab = down.iddog, .iddog = loan.iddog});
        else
            down.iddoggot = loan.iddog;
        ctx.tables.write(down);
        Knjizba k{.dan = day,
                  .konto = account,
                  .valuta = "E",
                  .idpog = p.idpog,
                  .idvp = 0,
                  .idmaster = down.iddog,
                  .znesek = -amount,
                  .oe = p.sforg};
        ctx.knjizi(k);
        if (released) { // released in full: the contract's write-downs sum to zero
            k.dan = ctx.danMed(std::max(day, dan(1, 7, 2024)), kPorocilniDan), k.znesek = amount;
            ctx.knjizi(k);
        } else if (ctx.rng.chance(0.5)) {
            k.dan = konecMeseca(kPorocilnoLeto, static_cast<int>(ctx.rng.between(7, 12)));
            k.znesek = -round2(amount * 0.1);
            ctx.knjizi(k);
        }
    }
    if (!ctx.rng.chance(0.5)) return;
    if (labelled)
        slabitevPogodbe(
            ctx, std::to_string(p.idpog) + "SL" + std::to_string(p.idpog) + "/" + leto(start),
            p.idpog, Int());
    else
        slabitevPogodbe(ctx, Txt(), p.idpog, loan.iddog);
}

} // namespace orv::demo
