// Steps 34 to 56. Their rules come with the next pieces of the derivation; until then each step
// is in its place in the order and does nothing, so the fields it owns keep the value that
// earlier steps (or earlier rows) left.

#include "derive/Koraki.h"

namespace orv::koraki {

void Ecb43X(KontekstPrenosa& /*k*/) {}              // 34
void Ecb116(KontekstPrenosa& /*k*/) {}              // 35
void Ecb51(KontekstPrenosa& /*k*/) {}               // 36
void Ecb52(KontekstPrenosa& /*k*/) {}               // 37
void Ecb29N(KontekstPrenosa& /*k*/) {}              // 38
void Ecb53(KontekstPrenosa& /*k*/) {}               // 39
void BonitetaPoKomitentu(KontekstPrenosa& /*k*/) {} // 40
void VrsteVrstic(KontekstPrenosa& /*k*/) {}         // 41
void PasRocnosti(KontekstPrenosa& /*k*/) {}         // 42
void PosebniPrimeri(KontekstPrenosa& /*k*/) {}      // 43
void Ecb88Ndo130P(KontekstPrenosa& /*k*/) {}        // 44
void Ecb500N(KontekstPrenosa& /*k*/) {}             // 45
void Primernost(KontekstPrenosa& /*k*/) {}          // 46
void Slabitve(KontekstPrenosa& /*k*/) {}            // 47
void Ecb134N(KontekstPrenosa& /*k*/) {}             // 48
void Odpisi(KontekstPrenosa& /*k*/) {}              // 49
void RazredDInPosojila(KontekstPrenosa& /*k*/) {}   // 50
void NamenPoslaDodatno(KontekstPrenosa& /*k*/) {}   // 51
void PrviDanTrgovanja(KontekstPrenosa& /*k*/) {}    // 52
void Ecb133do156N(KontekstPrenosa& /*k*/) {}        // 53
void DatumiPonastavitve(KontekstPrenosa& /*k*/) {}  // 54
void DomaciZneski(KontekstPrenosa& /*k*/) {}        // 55
void Ecb149N(KontekstPrenosa& /*k*/) {}             // 56

} // namespace orv::koraki
