#pragma once
// What the parts of the demo bank generator share: the random numbers, the prepared inserts, the
// running keys, the registers that later parts draw from, and the posting writer.

#include "bank/demo/DemoCalendar.h"
#include "bank/demo/DemoTables.h"
#include "bank/demo/Rng.h"

#include <string>
#include <vector>

namespace orv::demo {

/// What kind of instrument a security is; decides its coupons, listing and where it is booked.
enum class VrstaVp {
    KotiranaObveznica,    // listed fixed-rate bond (instrument 'D')
    SpremenljivaObrestna, // listed floating-rate bond with a reference index ('u')
    NekotiranaObveznica,  // unlisted bond ('n')
    Delnica,              // listed share ('K')
    Sklad,                // investment fund ('F')
    ZakladnaMenica,       // treasury bill ('G', which class 9 leaves out)
    LastnaObveznica,      // own issue with listing 'L' ('P')
    KomercialniZapis,     // listed commercial paper with principal repayments ('k')
};

struct Vrednostnica {
    long sfvp = 0;
    VrstaVp vrsta = VrstaVp::KotiranaObveznica;
    std::string valuta = "E";
    std::string krt;
    double nominala = 1000; // GLVNMN: nominal of one unit
    Dan izdaja = 0;
    Dan zapadlost = 0; // 0: no maturity (shares and funds)
    bool obveznica() const { return zapadlost != 0; }
};

/// One posting: a positive amount is a debit, a negative one a credit.
struct Knjizba {
    Dan dan = 0;
    long konto = 0;
    std::string valuta = "E";
    Int idpog{}, vp{}, idvp{}, idmaster{};
    Int idobd{}; // empty: the month of the posting, the ordinary period
    double znesek = 0;
    std::string dejavnost = "N";
    Int oe{};
};

struct DemoContext {
    DemoContext(DemoTables& t, unsigned long seed, long size)
        : tables(t), rng(seed), velikost(size) {}

    DemoTables& tables;
    Rng rng;
    long velikost;

    long nextIddog = 1000001;
    long nextIdvp = 500001;
    long nextIdvpl = 1;
    long nextSfkpn = 1;

    std::vector<long> osebe;       // counterparties that contracts draw from
    std::vector<long> izdajatelji; // issuers of securities
    std::vector<long> enote;       // organisational units
    std::vector<Vrednostnica> vrednostnice;

    long novIddog() { return nextIddog++; }
    long novIdvp() { return nextIdvp++; }

    /// Writes a posting with its domestic-currency amounts at the month's rate.
    void knjizi(const Knjizba& k);

    /// A day in [from, to], both included.
    Dan danMed(Dan from, Dan to) { return from + rng.below(to - from + 1); }

    /// A random security of the kind (there is always at least one of each kind).
    const Vrednostnica& nakljucna(VrstaVp vrsta);
    /// Groups the securities by kind for `nakljucna`; run once they are all registered.
    void razvrstiVrednostnice();

private:
    std::vector<std::vector<std::size_t>> poVrsti_;
};

} // namespace orv::demo
