#pragma once
// The derivation steps, each an operation of its own that reads the source row, the row's working
// values and the output record and writes them. PolniPodatke runs them in this order.

#include "derive/KontekstPrenosa.h"

#include <string>

namespace orv::koraki {

// Identifiers, contract number and first credit grade.
void Kuponi(KontekstPrenosa& k);       // 1
void OrgenIdKom(KontekstPrenosa& k);   // 2
void IdBoniteta(KontekstPrenosa& k);   // 3
void Pogodba(KontekstPrenosa& k);      // 4
void PodatkiPosla(KontekstPrenosa& k); // 5
void Zavarovanje(KontekstPrenosa& k);  // 6

// First maturity date, currency and amounts.
void DatZapad(KontekstPrenosa& k);    // 7
void KontoValuta(KontekstPrenosa& k); // 8
void ZnesekVal(KontekstPrenosa& k);   // 9
void TipObrm(KontekstPrenosa& k);     // 10

// Revaluation, bookkeeping fields, opening date and issue status.
void Revalorizacija(KontekstPrenosa& k); // 11
void StanjeInVpis(KontekstPrenosa& k);   // 12
void DatOtvoritve(KontekstPrenosa& k);   // 13
void Ecb15Vmesni(KontekstPrenosa& k);    // 14
void Ecb17(KontekstPrenosa& k);          // 15
void Ecb29(KontekstPrenosa& k);          // 16

// Interest, yield and security codes.
void Ecb21do27(KontekstPrenosa& k); // 17
void Ecb30do33(KontekstPrenosa& k); // 18
void DonosNKP(KontekstPrenosa& k);  // 19
void Ecb34do39(KontekstPrenosa& k); // 20

// Holding value, credit flag, average balance and purpose code.
void Ecb41(KontekstPrenosa& k);       // 21
void BonitetaEcb(KontekstPrenosa& k); // 22
void PovprStanje(KontekstPrenosa& k); // 23
void NamenPosla(KontekstPrenosa& k);  // 24
void Ecb48(KontekstPrenosa& k);       // 25

// Maturity codes of the new scheme.
void Ecb14N(KontekstPrenosa& k);                     // 26
void Ecb15N(KontekstPrenosa& k);                     // 27
void Ecb39N(KontekstPrenosa& k);                     // 28
void Ecb16Ndo20N(KontekstPrenosa& k);                // 29
void Ecb22Ndo25N(KontekstPrenosa& k);                // 30
void LastniPortfelj(KontekstPrenosa& k);             // 31
void OtvoritevLastnegaPortfelja(KontekstPrenosa& k); // 32
void Ecb22N08(KontekstPrenosa& k);                   // 33

// Holding events, guarantee code and ledger movements.
void Ecb43X(KontekstPrenosa& k); // 34
void Ecb116(KontekstPrenosa& k); // 35
void Ecb51(KontekstPrenosa& k);  // 36
void Ecb52(KontekstPrenosa& k);  // 37
void Ecb29N(KontekstPrenosa& k); // 38
void Ecb53(KontekstPrenosa& k);  // 39

// Credit grade overrides, row-kind codes and residual maturity band.
void BonitetaPoKomitentu(KontekstPrenosa& k); // 40
void VrsteVrstic(KontekstPrenosa& k);         // 41
void PasRocnosti(KontekstPrenosa& k);         // 42
void PosebniPrimeri(KontekstPrenosa& k);      // 43
void Ecb88Ndo130P(KontekstPrenosa& k);        // 44

// Term days, acceptance flag and write-down attributes.
void Ecb500N(KontekstPrenosa& k);    // 45
void Primernost(KontekstPrenosa& k); // 46
void Slabitve(KontekstPrenosa& k);   // 47
void Ecb134N(KontekstPrenosa& k);    // 48
void Odpisi(KontekstPrenosa& k);     // 49

// Final overrides and interest reset dates.
void RazredDInPosojila(KontekstPrenosa& k);  // 50
void NamenPoslaDodatno(KontekstPrenosa& k);  // 51
void PrviDanTrgovanja(KontekstPrenosa& k);   // 52
void Ecb133do156N(KontekstPrenosa& k);       // 53
void DatumiPonastavitve(KontekstPrenosa& k); // 54
void DomaciZneski(KontekstPrenosa& k);       // 55
void Ecb149N(KontekstPrenosa& k);            // 56

} // namespace orv::koraki

namespace orv {

/// The domestic-currency movements of the reporting month that a contract's postings of one
/// security on the accounts of a designation carry, restricted to postings whose deal has type
/// "V" or "x" (optionally of one holding line). 0 when there are none. Saves "A.SQL" while debug
/// SQL is on; a failure shows the statement and raises again.
double BeriPodatke_V(KontekstPrenosa& k, int pogodba, int vp, const std::string& oznaka,
                     const std::string& posel);

} // namespace orv
