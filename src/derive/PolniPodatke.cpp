#include "derive/PolniPodatke.h"

#include "derive/Koraki.h"

#include <exception>

namespace orv {

namespace {

using namespace koraki;

// The order is part of the rules: a later step overwrites what an earlier one set, and many
// steps read what earlier ones produced. Never sort or regroup this table.
constexpr std::array<KorakIzpeljave, SteviloKorakov> kKoraki{{
    {1, "Kuponi", "KUPONI", Kuponi},
    {2, "OrgenIdKom", nullptr, OrgenIdKom},
    {3, "IdBoniteta", "ID_BONITETA", IdBoniteta},
    {4, "Pogodba", nullptr, Pogodba},
    {5, "PodatkiPosla", nullptr, PodatkiPosla},
    {6, "Zavarovanje", "ZAVAROVANJE", Zavarovanje},
    {7, "DatZapad", "DAT_ZAPAD", DatZapad},
    {8, "KontoValuta", nullptr, KontoValuta},
    {9, "ZnesekVal", "ZNESEK_VAL", ZnesekVal},
    {10, "TipObrm", nullptr, TipObrm},
    {11, "Revalorizacija", "REVAL_DML", Revalorizacija},
    {12, "StanjeInVpis", nullptr, StanjeInVpis},
    {13, "DatOtvoritve", nullptr, DatOtvoritve},
    {14, "Ecb15Vmesni", "ECB_14", Ecb15Vmesni},
    {15, "Ecb17", "ECB_17", Ecb17},
    {16, "Ecb29", "ECB_29", Ecb29},
    {17, "Ecb21do27", "ECB_21", Ecb21do27},
    {18, "Ecb30do33", nullptr, Ecb30do33},
    {19, "DonosNKP", "ECB_34", DonosNKP},
    {20, "Ecb34do39", nullptr, Ecb34do39},
    {21, "Ecb41", nullptr, Ecb41},
    {22, "BonitetaEcb", nullptr, BonitetaEcb},
    {23, "PovprStanje", nullptr, PovprStanje},
    {24, "NamenPosla", nullptr, NamenPosla},
    {25, "Ecb48", nullptr, Ecb48},
    {26, "Ecb14N", nullptr, Ecb14N},
    {27, "Ecb15N", nullptr, Ecb15N},
    {28, "Ecb39N", nullptr, Ecb39N},
    {29, "Ecb16Ndo20N", nullptr, Ecb16Ndo20N},
    {30, "Ecb22Ndo25N", nullptr, Ecb22Ndo25N},
    {31, "LastniPortfelj", nullptr, LastniPortfelj},
    {32, "OtvoritevLastnegaPortfelja", nullptr, OtvoritevLastnegaPortfelja},
    {33, "Ecb22N08", nullptr, Ecb22N08},
    {34, "Ecb43X", nullptr, Ecb43X},
    {35, "Ecb116", nullptr, Ecb116},
    {36, "Ecb51", nullptr, Ecb51},
    {37, "Ecb52", nullptr, Ecb52},
    {38, "Ecb29N", nullptr, Ecb29N},
    {39, "Ecb53", nullptr, Ecb53},
    {40, "BonitetaPoKomitentu", nullptr, BonitetaPoKomitentu},
    {41, "VrsteVrstic", nullptr, VrsteVrstic},
    {42, "PasRocnosti", nullptr, PasRocnosti},
    {43, "PosebniPrimeri", nullptr, PosebniPrimeri},
    {44, "Ecb88Ndo130P", nullptr, Ecb88Ndo130P},
    {45, "Ecb500N", nullptr, Ecb500N},
    {46, "Primernost", nullptr, Primernost},
    {47, "Slabitve", nullptr, Slabitve},
    {48, "Ecb134N", nullptr, Ecb134N},
    {49, "Odpisi", nullptr, Odpisi},
    {50, "RazredDInPosojila", nullptr, RazredDInPosojila},
    {51, "NamenPoslaDodatno", nullptr, NamenPoslaDodatno},
    {52, "PrviDanTrgovanja", nullptr, PrviDanTrgovanja},
    {53, "Ecb133do156N", nullptr, Ecb133do156N},
    {54, "DatumiPonastavitve", nullptr, DatumiPonastavitve},
    {55, "DomaciZneski", nullptr, DomaciZneski},
    {56, "Ecb149N", nullptr, Ecb149N},
}};

constexpr bool vVrstnemRedu() {
    for (int i = 0; i < SteviloKorakov; ++i)
        if (kKoraki[static_cast<size_t>(i)].stevilka != i + 1) return false;
    return true;
}
static_assert(vVrstnemRedu(), "the steps are numbered 1 to 56 in the order they run");

} // namespace

const std::array<KorakIzpeljave, SteviloKorakov>& korakiIzpeljave() {
    return kKoraki;
}

NapakaKoraka::NapakaKoraka(const KorakIzpeljave& korak, const std::string& napaka)
    : std::runtime_error(napaka + "\n(korak izpeljave " + std::to_string(korak.stevilka) + ", " +
                         korak.ime + ")"),
      stevilka_(korak.stevilka), ime_(korak.ime), napaka_(napaka) {}

void PolniPodatke(KontekstPrenosa& k, const std::string& razred) {
    k.vrstica = KontekstVrstice{};
    k.vrstica.Razred = razred;
    for (const KorakIzpeljave& korak : kKoraki) {
        if (korak.oznaka) k.okno.setLblKorak(korak.oznaka);
        try {
            korak.izvedi(k);
        } catch (const NapakaKoraka&) {
            throw;
        } catch (const std::exception& e) {
            throw NapakaKoraka(korak, e.what());
        }
    }
}

} // namespace orv
