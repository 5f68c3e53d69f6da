#pragma once
// Contracts (POG) and what each kind of contract brings into the bank: holdings, deals, postings
// and write-down rows. Each kind of business is one profile; the bank cycles through them.

#include "bank/demo/DemoContext.h"

namespace orv::demo {

enum class Profil {
    LastneObveznice,   // own-portfolio bonds: classes 1, 2 and 5, holdings, coupons
    LastneDelnice,     // own-portfolio shares and funds: classes F and 9
    KomitentiVp,       // clients' securities business: classes 5 and E
    PosojilaZ,         // loans of deal kind "Z": class 6
    KreditnaLinija,    // credit lines on master deals of the four kinds: class A
    KreditnaLinijaStn, // credit lines whose deal has a state deal: class A
    Slabitve,          // write-downs of loans: class D
    Vloge34,           // deposits taken and placed: classes 3 and 4
    Izvenbilanca78,    // off-balance items: classes 7 and 8
    TerjatveBC,        // other receivables and transit accounts: classes B and C
    GrupiraniB,        // grouped class B accounts
};
constexpr int kSteviloProfilov = 11;

struct Pogodba {
    long idpog = 0;
    Profil profil = Profil::LastneObveznice;
    long sfosb = 0;
    long sforg = 1;
    std::string sfdjv = "N";
    std::string sftpf = "K";
    /// A case that a contract number stands for (see Contracts.cpp); 0 for an ordinary one.
    int posebnost = 0;
    /// The ordinary contract's place among those of its profile (0, 1, ...); -1 for a special
    /// one. Profiles cycle their variants by it, so every variant occurs at small sizes too.
    long zaporedna = -1;
};

/// Writes the special contracts, then `velikost` ordinary ones, each with its profile's data.
void writeContracts(DemoContext& ctx);

// The profiles, in Holdings.cpp, Loans.cpp and Ledger.cpp.
void lastniPortfelj(DemoContext& ctx, const Pogodba& p);
void komitentiVp(DemoContext& ctx, const Pogodba& p);
void posojiloZ(DemoContext& ctx, const Pogodba& p);
void kreditnaLinija(DemoContext& ctx, const Pogodba& p);
void kreditnaLinijaStn(DemoContext& ctx, const Pogodba& p);
void slabitve(DemoContext& ctx, const Pogodba& p);
void vloge34(DemoContext& ctx, const Pogodba& p);
void izvenbilanca78(DemoContext& ctx, const Pogodba& p);
void terjatveBC(DemoContext& ctx, const Pogodba& p);
void grupiraniB(DemoContext& ctx, const Pogodba& p);

/// The month ends of the reporting year, January to December.
std::vector<Dan> konciMesecev();
/// The month ends of the previous and the reporting year: where postings are spread.
std::vector<Dan> konciMesecevObehLet();

/// The IDPOG5 form of a contract: its last five digits, zero-padded.
std::string idpog5(long idpog);

} // namespace orv::demo
