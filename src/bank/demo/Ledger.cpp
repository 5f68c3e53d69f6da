// Business booked per account and currency rather than per security or deal: deposits (classes
// 3 and 4), off-balance items (7 and 8), other receivables and transit accounts (B and C).

#include "bank/demo/Accounts.h"
#include "bank/demo/CodeLists.h"
#include "bank/demo/Contracts.h"

#include <algorithm>
#include <cmath>

namespace orv::demo {

namespace {

const std::string& valuta(DemoContext& ctx) {
    const auto& keys = valuteKnjizb();
    return ctx.rng.chance(0.7) ? keys.front()
                               : keys[static_cast<std::size_t>(ctx.rng.between(1, 3))];
}

} // namespace

// A deposit deal per contract, booked from the previous year on. Some contracts carry the
// previous year's closing entry (period = the previous year's number, no deal), some a posting
// without a deal in an ordinary period, some a technical posting of a negative period, and some
// a second deal that cancels the first (rows that offset each other).
void vloge34(DemoContext& ctx, const Pogodba& p) {
    const bool taken = p.idpog % 2 == 0;
    static const long takenAccounts[] = {konto::k3Vloge, konto::k3Vloge2};
    static const long placedAccounts[] = {konto::k4Plasma, konto::k4Plasma2};
    const long account = taken ? takenAccounts[ctx.rng.below(2)] : placedAccounts[ctx.rng.below(2)];
    const std::string currency = valuta(ctx);
    const double sign = taken ? -1.0 : 1.0;
    const Dan start = ctx.danMed(kZacetekKnjizb, dan(15, 12, 2024));
    const Dan maturity = start + ctx.rng.between(30, 720);
    const double amount = ctx.rng.amount(1000, 250000);
    const long deal = ctx.novIddog();
    ctx.tables.write(DogRow{.iddog = deal,
                            .idpog = p.idpog,
                            .dan = besedilo(start),
                            .zpd = besedilo(maturity),
                            .sfpdg = taken ? "P" : "D",
                            .sfdog = 700,
                            .sfvlt = currency,
                            .lot = amount});
    Knjizba k{.dan = start,
              .konto = account,
              .valuta = currency,
              .idpog = p.idpog,
              .idvp = 0,
              .idmaster = deal,
              .znesek = sign * amount,
              .oe = p.sforg};
    ctx.knjizi(k);
    for (const Dan end : konciMesecevObehLet()) { // interest until maturity
        if (end <= start || end > maturity || !ctx.rng.chance(0.3)) continue;
        k.dan = end, k.znesek = sign * std::round(amount * 0.2) / 100.0;
        ctx.knjizi(k);
    }
    if (maturity <= kPorocilniDan && ctx.rng.chance(0.6)) {
        k.dan = maturity, k.znesek = -sign * amount;
        ctx.knjizi(k);
    }
    const double roll = ctx.rng.unit();
    k.idmaster = 0, k.znesek = sign * ctx.rng.amount(10, 2000);
    if (roll < 0.2) {
        k.dan = dan(31, 12, kPorocilnoLeto - 1), k.idobd = kPorocilnoLeto - 1;
        ctx.knjizi(k);
    } else if (roll < 0.3) {
        k.dan = ctx.danMed(dan(1, 1, 2024), kPorocilniDan);
        ctx.knjizi(k);
    } else if (roll < 0.35) {
        k.dan = ctx.danMed(dan(1, 1, 2024), kPorocilniDan), k.idobd = -1;
        ctx.knjizi(k);
    } else if (roll < 0.55) {
        const long offset = ctx.novIddog();
        const Dan later = ctx.danMed(start, kPorocilniDan);
        ctx.tables.write(DogRow{.iddog = offset,
                                .idpog = p.idpog,
                                .dan = besedilo(later),
                                .zpd = besedilo(maturity),
                                .sfpdg = taken ? "P" : "D",
                                .sfdog = 701,
                                .sfvlt = currency,
                                .lot = -amount});
        k.idmaster = offset, k.dan = later, k.znesek = -sign * amount, k.idobd = Int();
        ctx.knjizi(k);
    }
}

// Guarantees and commitments per currency; a third in two currencies, some tied to a security
// and booked by the own portfolio.
void izvenbilanca78(DemoContext& ctx, const Pogodba& p) {
    static const long accounts[] = {konto::k7Jamstva, konto::k7Jamstva2, konto::k8Obveznosti};
    const long n = p.zaporedna >= 0 ? p.zaporedna : ctx.rng.below(6);
    const long account = accounts[n % 3];
    const bool security = ctx.rng.chance(0.3);
    const Vrednostnica& v = ctx.rng.pick(ctx.vrednostnice);
    std::vector<std::string> currencies{"E"};
    if (ctx.rng.chance(0.33)) currencies.push_back(valuta(ctx) == "E" ? "U" : "C");
    for (const std::string& currency : currencies) {
        Knjizba k{.konto = account,
                  .valuta = currency,
                  .idpog = p.idpog,
                  .vp = security ? Int(v.sfvp) : Int(),
                  .idvp = 0,
                  .dejavnost = security ? "L" : "N",
                  .oe = ctx.rng.pick(ctx.enote)};
        k.dan = ctx.danMed(kZacetekKnjizb, dan(30, 6, 2024)),
        k.znesek = ctx.rng.amount(1000, 90000);
        ctx.knjizi(k);
        for (const Dan end : konciMesecevObehLet()) {
            if (end < k.dan || !ctx.rng.chance(0.3)) continue;
            k.dan = end, k.znesek = ctx.rng.amount(-800, 800);
            ctx.knjizi(k);
        }
    }
}

// Receivables (class B, not grouped) and transit accounts (class C) with movements in every
// month; a third booked by the own portfolio on a security and holding line.
void terjatveBC(DemoContext& ctx, const Pogodba& p) {
    static const long accounts[] = {konto::kBTerjatve, konto::kBObveznosti, konto::kCRazlicniIvd,
                                    konto::kCEnakIvd, konto::kCGrupiran};
    const long n = p.zaporedna >= 0 ? p.zaporedna : ctx.rng.below(15);
    const long account = accounts[n % 5];
    const bool own = (n / 5) % 3 == 0; // booked every month, so each month end has such rows
    const Vrednostnica& v = ctx.rng.pick(ctx.vrednostnice);
    Knjizba k{.konto = account,
              .valuta = account == konto::kCEnakIvd ? "E" : valuta(ctx),
              .idpog = p.idpog,
              .vp = own ? Int(v.sfvp) : Int(),
              .idvp = own ? ctx.novIdvp() : 0,
              .dejavnost = own ? "L" : "N",
              .oe = p.sforg};
    for (const Dan end : konciMesecevObehLet()) {
        if (!own && !ctx.rng.chance(0.4) && end != kPorocilniDan) continue;
        k.dan = end - ctx.rng.below(25), k.znesek = ctx.rng.amount(100, 5000);
        ctx.knjizi(k);
        if (ctx.rng.chance(0.5)) {
            k.dan = end, k.znesek = -ctx.rng.amount(50, 4000);
            ctx.knjizi(k);
        }
    }
}

// Grouped class B accounts, including the five that collapse into fixed contracts; each in the
// bank's currency and one foreign currency.
void grupiraniB(DemoContext& ctx, const Pogodba& p) {
    static const long accounts[] = {konto::kB78,  konto::kB611, konto::kB308,
                                    konto::kB257, konto::kB379, konto::kBGrupiran};
    const long account = accounts[ctx.rng.below(6)];
    Knjizba k{.konto = account,
              .valuta = ctx.rng.chance(0.7) ? "E" : "U",
              .idpog = p.idpog,
              .idvp = 0,
              .oe = p.sforg};
    for (int i = 0; i < 4; ++i) {
        k.dan = ctx.danMed(i == 0 ? kZacetekKnjizb : dan(1, 1, 2024), kPorocilniDan),
        k.znesek = ctx.rng.amount(-3000, 6000);
        ctx.knjizi(k);
    }
}

} // namespace orv::demo
