#include "output/StolpciPodOrvel.h"

#include "base/Besedilo.h"

namespace orv {

namespace {

// Widths of texts that recur. Codes are short keys of code lists, flags one character.
constexpr int kFlag = 1;
constexpr int kCode = 10;
constexpr int kName = 100;
constexpr int kDateText = 10; // dd.mm.yyyy kept as text

StolpecPodOrvel besedilo(const char* ime, int sirina, std::string IzhodniZapis::*clen) {
    return {ime, VrstaStolpca::Besedilo, sirina, Pisanje::Clen, clen};
}
StolpecPodOrvel besedilo(const char* ime, int sirina, Pisanje pisanje) {
    return {ime, VrstaStolpca::Besedilo, sirina, pisanje, {}};
}
StolpecPodOrvel stevilo(const char* ime, double IzhodniZapis::*clen) {
    return {ime, VrstaStolpca::Stevilo, 0, Pisanje::Clen, clen};
}
StolpecPodOrvel stevilo(const char* ime, Pisanje pisanje) {
    return {ime, VrstaStolpca::Stevilo, 0, pisanje, {}};
}
StolpecPodOrvel datum(const char* ime, Pisanje pisanje) {
    return {ime, VrstaStolpca::Datum, 0, pisanje, {}};
}

// In the order the plain writer sets them, then the columns only the class C writer sets, then
// the columns only an import fills. Text widths fit the longest value the derivation produces;
// a column the transfer only ever leaves empty gets kCode.
std::vector<StolpecPodOrvel> naredi() {
    return {
        besedilo("ORGEN", 3, &IzhodniZapis::ORGEN),
        besedilo("ID_KOM", 8, &IzhodniZapis::ID_KOM),
        besedilo("ID_BONITETA", kCode, &IzhodniZapis::ID_BONITETA),
        // contract (30 characters) + deal year + the security's short name
        besedilo("POGODBA", 60, &IzhodniZapis::POGODBA),
        besedilo("ZAVAROVANJE", kFlag, &IzhodniZapis::ZAVAROVANJE),
        datum("DAT_ZAPAD", Pisanje::Pogojno),
        datum("DAT_ZAPAD_POSLA", Pisanje::Pogojno),
        besedilo("ID_KONTO", 8, &IzhodniZapis::ID_KONTO),
        besedilo("ID_VALUTE", 3, &IzhodniZapis::ID_VALUTE),
        stevilo("ZNESEK_VAL", &IzhodniZapis::ZNESEK_VAL),
        stevilo("ZNESEK_SIT", &IzhodniZapis::ZNESEK_SIT),
        stevilo("ZNESEK_SIT_PREV", Pisanje::Pogojno),
        besedilo("TIP_OBRM", kFlag, &IzhodniZapis::TIP_OBRM),
        besedilo("REVAL_DML", kFlag, &IzhodniZapis::REVAL_DML),
        stevilo("REVAL_OBRM", &IzhodniZapis::REVAL_OBRM),
        besedilo("REAL_DML", kFlag, &IzhodniZapis::REAL_DML),
        stevilo("REAL_OBRM", &IzhodniZapis::REAL_OBRM),
        // the reporting date as dd.mm.yyyy text: the key of the rows of one date
        besedilo("DAT_STANJE", kDateText, &IzhodniZapis::DAT_STANJE),
        besedilo("ID_SM", kCode, &IzhodniZapis::ID_SM),
        besedilo("ID_APLI", 2, &IzhodniZapis::ID_APLI),
        besedilo("OPOMBA", kName, &IzhodniZapis::OPOMBA),
        besedilo("ID_REFE", 10, &IzhodniZapis::ID_REFE),
        datum("DAT_VPISA", Pisanje::Pogojno),
        datum("DAT_OTVORITVE", Pisanje::Pogojno),
        datum("ECB_112N", Pisanje::Pogojno),
        besedilo("ID_STOR", 2, &IzhodniZapis::ID_STOR),
        datum("DAT_PRENOS", Pisanje::Pogojno),
        besedilo("ECB_14", 2, Pisanje::Pogojno),
        besedilo("ECB_15", 2, Pisanje::Pogojno),
        besedilo("ECB_16", 2, &IzhodniZapis::ECB_16),
        besedilo("ECB_17", kFlag, &IzhodniZapis::ECB_17),
        besedilo("ECB_19", kFlag, &IzhodniZapis::ECB_19),
        besedilo("ECB_20", kFlag, &IzhodniZapis::ECB_20),
        besedilo("ECB_21", 3, &IzhodniZapis::ECB_21),
        besedilo("ECB_22", kFlag, &IzhodniZapis::ECB_22),
        besedilo("ECB_23", kCode, &IzhodniZapis::ECB_23),
        besedilo("ECB_24", 2, &IzhodniZapis::ECB_24),
        besedilo("ECB_25", 2, &IzhodniZapis::ECB_25),
        besedilo("ECB_26", 11, &IzhodniZapis::ECB_26),
        besedilo("ECB_27", kCode, &IzhodniZapis::ECB_27),
        stevilo("ECB_29", &IzhodniZapis::ECB_29),
        stevilo("ECB_30", &IzhodniZapis::ECB_30),
        stevilo("ECB_31", &IzhodniZapis::ECB_31),
        stevilo("ECB_32", &IzhodniZapis::ECB_32),
        stevilo("ECB_33", &IzhodniZapis::ECB_33),
        stevilo("ECB_34", &IzhodniZapis::ECB_34),
        stevilo("ECB_35", &IzhodniZapis::ECB_35),
        stevilo("ECB_36", &IzhodniZapis::ECB_36),
        besedilo("VRI_1", kCode, &IzhodniZapis::VRI_1),
        besedilo("VRI_2", kCode, &IzhodniZapis::VRI_2),
        besedilo("VRSTA_OBRM", kCode, Pisanje::Prazno),
        stevilo("REF_OBRM", Pisanje::Nicla),
        stevilo("ZAM_OBRM", Pisanje::Nicla),
        stevilo("SOM_OP", Pisanje::Nicla),
        stevilo("ST_KAP", Pisanje::Nicla),
        besedilo("ECB_38", kFlag, &IzhodniZapis::ECB_38),
        besedilo("ECB_39", 2, &IzhodniZapis::ECB_39),
        besedilo("ECB_40", kFlag, &IzhodniZapis::ECB_40),
        stevilo("ECB_41", &IzhodniZapis::ECB_41),
        stevilo("ECB_42", &IzhodniZapis::ECB_42),
        stevilo("ECB_43", Pisanje::Nicla),
        besedilo("ECB_44", kCode, Pisanje::Prazno),
        besedilo("ECB_14N", 2, &IzhodniZapis::ECB_14N),
        besedilo("ECB_48", kFlag, Pisanje::Pogojno),
        besedilo("ECB_101N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_98N", 2, Pisanje::Pogojno),
        besedilo("ECB_15N", 2, Pisanje::Pogojno),
        besedilo("ECB_39N", 2, Pisanje::Pogojno),
        besedilo("ECB_16N", 2, Pisanje::Pogojno),
        besedilo("ECB_17N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_18N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_19N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_20N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_22N", 2, Pisanje::Pogojno),
        besedilo("ECB_25N", 2, Pisanje::Pogojno),
        besedilo("ECB_21N", 3, Pisanje::Pogojno),
        besedilo("ECB_24N", kCode, Pisanje::Pogojno),
        besedilo("ECB_26N", 11, Pisanje::Pogojno),
        stevilo("ECB_29N", Pisanje::Pogojno),
        stevilo("ECB_31N", Pisanje::Pogojno),
        stevilo("ECB_33N", Pisanje::Pogojno),
        stevilo("ECB_34N", Pisanje::Pogojno),
        stevilo("ECB_35N", Pisanje::Pogojno),
        besedilo("ECB_38N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_48N", kFlag, Pisanje::Pogojno),
        besedilo("ECB_43X", 2, Pisanje::Pogojno),
        besedilo("ECB_116", kFlag, Pisanje::Pogojno),
        stevilo("ECB_51", Pisanje::Pogojno),
        stevilo("ECB_52", Pisanje::Pogojno),
        besedilo("ECB_53", kFlag, Pisanje::Pogojno),
        besedilo("BONITETA_ECB", kFlag, &IzhodniZapis::BONITETA_ECB),
        besedilo("BONITETA_MRS", 2, &IzhodniZapis::BONITETA_MRS),
        besedilo("ID_REFE_POP", kCode, Pisanje::Prazno),
        besedilo("VRSTA_POSLA", kCode, Pisanje::Prazno),
        stevilo("POVPR_STANJE", &IzhodniZapis::POVPR_STANJE),
        besedilo("NAMEN_POSLA", 3, &IzhodniZapis::NAMEN_POSLA),
        besedilo("VKNT", kFlag, &IzhodniZapis::VKNT),
        stevilo("ECB_88N", &IzhodniZapis::ECB_88N),
        stevilo("ECB_88Z", &IzhodniZapis::ECB_88Z),
        besedilo("ECB_121N", kFlag, &IzhodniZapis::ECB_121N),
        besedilo("ECB_109N", 12, &IzhodniZapis::ECB_109N),
        besedilo("ECB_110N", kFlag, &IzhodniZapis::ECB_110N),
        stevilo("ECB_111N", &IzhodniZapis::ECB_111N),
        datum("ECB_126N", Pisanje::Pogojno),
        besedilo("ECB_115N", kFlag, &IzhodniZapis::ECB_115N),
        stevilo("ECB_130N", &IzhodniZapis::ECB_130N),
        stevilo("ECB_130P", &IzhodniZapis::ECB_130P),
        stevilo("ECB_500N", &IzhodniZapis::ECB_500N),
        besedilo("POS_DOB", 2, &IzhodniZapis::POS_DOB),
        besedilo("RAZLOG_IZPOSDOB", kCode, Pisanje::Prazno),
        stevilo("ECB_14N_DNI", &IzhodniZapis::ECB_14N_DNI),
        stevilo("ECB_15N_DNI", &IzhodniZapis::ECB_15N_DNI),
        besedilo("ECB_PRIMERNOST", kFlag, &IzhodniZapis::ECB_PRIMERNOST),
        besedilo("ECB_100N", kFlag, &IzhodniZapis::ECB_100N),
        besedilo("ECB_133", 2, &IzhodniZapis::ECB_133),
        besedilo("ECB_134N", kFlag, &IzhodniZapis::ECB_134N),
        stevilo("ECB_89N", &IzhodniZapis::ECB_89N),
        besedilo("DEL_CEL_ODPIS", kFlag, &IzhodniZapis::DEL_CEL_ODPIS),
        stevilo("ZNESEK_ODPIS_AKUM", &IzhodniZapis::ZNESEK_ODPIS_AKUM),
        besedilo("VRSTA_SLABITVE", kCode, &IzhodniZapis::VRSTA_SLABITVE),
        besedilo("KATEG_MER", kFlag, &IzhodniZapis::KATEG_MER),
        stevilo("EOM", &IzhodniZapis::EOM),
        besedilo("NACIN_SPREM_POSLA", kCode, &IzhodniZapis::NACIN_SPREM_POSLA),
        stevilo("ECB_42_ZB", &IzhodniZapis::ECB_42_ZB),
        besedilo("ECB_136N", kFlag, &IzhodniZapis::ECB_136N),
        besedilo("ECB_137N", kFlag, &IzhodniZapis::ECB_137N),
        besedilo("ECB_138N", kFlag, &IzhodniZapis::ECB_138N),
        besedilo("ECB_139N", kFlag, &IzhodniZapis::ECB_139N),
        besedilo("ECB_140N", kFlag, &IzhodniZapis::ECB_140N),
        besedilo("ECB_141N", kFlag, &IzhodniZapis::ECB_141N),
        besedilo("ECB_142N", 2, &IzhodniZapis::ECB_142N),
        besedilo("ECB_144N", 2, &IzhodniZapis::ECB_144N),
        besedilo("ECB_145N", kFlag, &IzhodniZapis::ECB_145N),
        // dates the derivation hands over as text
        besedilo("ECB_146N", kDateText, &IzhodniZapis::ECB_146N),
        besedilo("ECB_147N", 2, &IzhodniZapis::ECB_147N),
        besedilo("ECB_148N", kDateText, &IzhodniZapis::ECB_148N),
        besedilo("ECB_149N", kDateText, &IzhodniZapis::ECB_149N),
        stevilo("ECB_150N", &IzhodniZapis::ECB_150N),
        besedilo("ECB_151N", kFlag, &IzhodniZapis::ECB_151N),
        besedilo("ECB_156N", kFlag, &IzhodniZapis::ECB_156N),
        stevilo("ECB_502N", &IzhodniZapis::ECB_502N),
        besedilo("SIFRA_ZAVA", 4, &IzhodniZapis::SIFRA_ZAVA),
        stevilo("ECB_164N", &IzhodniZapis::ECB_164N),
        besedilo("NACIN_OBR", kFlag, &IzhodniZapis::NACIN_OBR),
        // class C writer: the IVD code is the name of an ECBIVD code, and the month's turnover
        besedilo("ECB_IVD", kName, Pisanje::Pogojno),
        stevilo("BREME", Pisanje::Pogojno),
        stevilo("DOBRO", Pisanje::Pogojno),
        // filled only by an import of corrected rows
        stevilo("ID", Pisanje::Uvoz),
        stevilo("ECB_32N", Pisanje::Uvoz),
        stevilo("ECB_36N", Pisanje::Uvoz),
        besedilo("ECB_114", kCode, Pisanje::Uvoz),
        besedilo("ECB_46", kCode, Pisanje::Uvoz),
        besedilo("ECB_64V", 20, Pisanje::Uvoz),
        besedilo("ECB_65V", 20, Pisanje::Uvoz),
        besedilo("ECB_66V", 20, Pisanje::Uvoz),
        besedilo("ECB_123N", kCode, Pisanje::Uvoz),
        stevilo("ECB_131N", Pisanje::Uvoz),
        stevilo("ECB_501N", Pisanje::Uvoz),
        datum("DAT_ZACPOS", Pisanje::Uvoz),
        datum("DAT_KONPOS", Pisanje::Uvoz),
        datum("DAT_KONREST", Pisanje::Uvoz),
    };
}

} // namespace

const std::vector<StolpecPodOrvel>& stolpciPodOrvel() {
    static const std::vector<StolpecPodOrvel> stolpci = naredi();
    return stolpci;
}

std::string seznamStolpcevPodOrvel() {
    std::string seznam;
    for (const StolpecPodOrvel& stolpec : stolpciPodOrvel())
        seznam += std::string(seznam.empty() ? "" : ", ") + stolpec.ime;
    return seznam;
}

const StolpecPodOrvel* stolpecPodOrvel(std::string_view ime) {
    for (const StolpecPodOrvel& stolpec : stolpciPodOrvel())
        if (equalIgnoringCase(stolpec.ime, ime)) return &stolpec;
    return nullptr;
}

} // namespace orv
