// Steps 11 to 33. Their rules come with the next piece of the derivation; until then each step
// is in its place in the order and does nothing, so the fields it owns keep the value that
// earlier steps (or earlier rows) left.

#include "derive/Koraki.h"

namespace orv::koraki {

void Revalorizacija(KontekstPrenosa& /*k*/) {}             // 11
void StanjeInVpis(KontekstPrenosa& /*k*/) {}               // 12
void DatOtvoritve(KontekstPrenosa& /*k*/) {}               // 13
void Ecb15Vmesni(KontekstPrenosa& /*k*/) {}                // 14
void Ecb17(KontekstPrenosa& /*k*/) {}                      // 15
void Ecb29(KontekstPrenosa& /*k*/) {}                      // 16
void Ecb21do27(KontekstPrenosa& /*k*/) {}                  // 17
void Ecb30do33(KontekstPrenosa& /*k*/) {}                  // 18
void DonosNKP(KontekstPrenosa& /*k*/) {}                   // 19
void Ecb34do39(KontekstPrenosa& /*k*/) {}                  // 20
void Ecb41(KontekstPrenosa& /*k*/) {}                      // 21
void BonitetaEcb(KontekstPrenosa& /*k*/) {}                // 22
void PovprStanje(KontekstPrenosa& /*k*/) {}                // 23
void NamenPosla(KontekstPrenosa& /*k*/) {}                 // 24
void Ecb48(KontekstPrenosa& /*k*/) {}                      // 25
void Ecb14N(KontekstPrenosa& /*k*/) {}                     // 26
void Ecb15N(KontekstPrenosa& /*k*/) {}                     // 27
void Ecb39N(KontekstPrenosa& /*k*/) {}                     // 28
void Ecb16Ndo20N(KontekstPrenosa& /*k*/) {}                // 29
void Ecb22Ndo25N(KontekstPrenosa& /*k*/) {}                // 30
void LastniPortfelj(KontekstPrenosa& /*k*/) {}             // 31
void OtvoritevLastnegaPortfelja(KontekstPrenosa& /*k*/) {} // 32
void Ecb22N08(KontekstPrenosa& /*k*/) {}                   // 33

} // namespace orv::koraki
