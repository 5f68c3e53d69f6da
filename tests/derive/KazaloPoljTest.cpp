// Every field of the output record that the derivation owns gets a value on every row: the
// record is one for the whole transfer and never cleared, so a field that some row leaves alone
// silently carries the previous row's value. The test fills the record with marks that no step
// writes, derives a representative row of every account class, and names each field that still
// holds its mark.
//
// The table lists each field with the steps that write it; every step of the derivation is in
// place, so every field of the table is checked.

#include "derive/DerivationBank.h"

#include "derive/PolniPodatke.h"

#include <cmath>
#include <variant>
#include <vector>

namespace orv::test {
namespace {

using Polje = std::variant<std::string IzhodniZapis::*, double IzhodniZapis::*>;

struct PoljeKazala {
    const char* ime;
    Polje polje;
    std::vector<int> koraki;
};

#define P(ime, ...)                                                                                \
    {                                                                                              \
#ime, &IzhodniZapis::ime, {                                                                \
            __VA_ARGS__                                                                            \
        }                                                                                          \
    }

// The fields the derivation owns, with the steps that write each (the last that applies wins).
const std::vector<PoljeKazala> kKazalo = {
    P(ORGEN, 2),
    P(ID_KOM, 2),
    P(ID_BONITETA, 3, 40, 43),
    P(POGODBA, 4, 5),
    P(ZAVAROVANJE, 6),
    P(DAT_ZAPAD, 7, 19, 31, 41, 43, 52),
    P(DatZapadPrvotni, 7, 19, 31, 41, 43),
    P(ID_KONTO, 8),
    P(ID_VALUTE, 8, 55),
    P(ZNESEK_VAL, 9, 55),
    P(ZNESEK_SIT, 9, 55),
    P(ZNESEK_SIT_PREV, 9),
    P(TIP_OBRM, 10),
    P(NACIN_OBR, 10),
    P(REVAL_DML, 11),
    P(REVAL_OBRM, 11),
    P(REAL_DML, 11),
    P(REAL_OBRM, 11),
    P(DAT_STANJE, 12),
    P(ID_APLI, 12),
    P(OPOMBA, 12),
    P(ID_REFE, 12),
    P(DAT_VPISA, 12),
    P(ID_SM, 12, 41),
    P(DAT_OTVORITVE, 13, 31, 32, 41, 43),
    P(ID_STOR, 13),
    P(DAT_PRENOS, 13, 43),
    P(ECB_15, 14),
    P(ECB_16, 14, 50),
    P(ECB_17, 15, 50),
    P(ECB_19, 15, 16, 31),
    P(ECB_20, 16),
    P(ECB_29, 16, 18, 50),
    P(ECB_21, 17),
    P(ECB_23, 17),
    P(ECB_24, 17),
    P(ECB_26, 17),
    P(ECB_27, 17),
    P(ECB_22, 17),
    P(ECB_25, 17, 50),
    P(ECB_30, 18),
    P(ECB_31, 18),
    P(ECB_32, 18),
    P(ECB_33, 18),
    P(ECB_34, 20),
    P(ECB_35, 20),
    P(ECB_36, 20),
    P(VRI_1, 20),
    P(VRI_2, 20),
    P(ECB_39, 20),
    P(ECB_38, 20, 41, 43, 50),
    P(ECB_41, 21),
    P(ECB_98N, 22, 50),
    P(ECB_101N, 22),
    P(BONITETA_ECB, 22, 50),
    P(POVPR_STANJE, 23),
    P(NAMEN_POSLA, 24, 50, 51),
    P(ECB_48, 25),
    P(ECB_14N, 26, 32, 41, 43, 53),
    P(ECB_15N, 27, 41, 42, 43, 53),
    P(ECB_39N, 28, 41, 50),
    P(ECB_16N, 29, 50),
    P(ECB_17N, 29, 41, 43),
    P(ECB_18N, 29, 43),
    P(ECB_20N, 29),
    P(ECB_25N, 30),
    P(ECB_22N, 30, 31, 33, 50, 53, 54),
    P(ECB_24N, 30, 31),
    P(ECB_43X, 34, 47),
    P(ECB_116, 35, 50),
    P(ECB_51, 36),
    P(ECB_52, 37),
    P(ECB_164N, 37),
    P(ECB_29N, 38),
    P(ECB_53, 39),
    P(BONITETA_MRS, 40, 43),
    P(ECB_88N, 44),
    P(ECB_88Z, 44),
    P(ECB_121N, 44),
    P(ECB_109N, 44),
    P(ECB_110N, 44),
    P(ECB_111N, 44),
    P(ECB_115N, 44),
    P(ECB_130N, 44),
    P(ECB_130P, 44),
    P(ECB_500N, 45, 53),
    P(POS_DOB, 45),
    P(ECB_14N_DNI, 45),
    P(ECB_15N_DNI, 45),
    P(ECB_PRIMERNOST, 46),
    P(ECB_100N, 46),
    P(ECB_112N, 46),
    P(ECB_133, 47, 53),
    P(VRSTA_SLABITVE, 47),
    P(ECB_42, 22, 47),
    P(ECB_134N, 48, 53),
    P(ECB_89N, 48),
    P(DEL_CEL_ODPIS, 49),
    P(ZNESEK_ODPIS_AKUM, 49),
    P(KATEG_MER, 49),
    P(EOM, 49),
    P(NACIN_SPREM_POSLA, 49),
    P(ECB_42_ZB, 49),
    P(ECB_40, 49),
    P(ECB_136N, 53),
    P(ECB_137N, 53),
    P(ECB_138N, 53),
    P(ECB_139N, 53),
    P(ECB_140N, 53),
    P(ECB_141N, 53),
    P(ECB_142N, 53),
    P(ECB_145N, 53),
    P(ECB_146N, 53),
    P(ECB_147N, 53),
    P(ECB_150N, 53),
    P(ECB_151N, 53),
    P(ECB_144N, 53),
    P(ECB_156N, 53),
    P(ECB_502N, 53),
    P(ECB_31N, 53),
    P(SIFRA_ZAVA, 53),
    P(ECB_148N, 53, 54),
    P(ECB_149N, 53, 54, 56),
    P(VKNT, 1),
};

#undef P

const std::string kOznaka = "\x01neizpolnjeno";

// Marks only the fields under test: a field whose steps are not all in place may be copied into
// another (EOM from ECB_34) and would carry its mark along.
void oznaci(IzhodniZapis& z, const std::vector<const PoljeKazala*>& polja) {
    for (const PoljeKazala* p : polja)
        std::visit(
            [&](auto clan) {
                using T = std::remove_reference_t<decltype(z.*clan)>;
                if constexpr (std::is_same_v<T, std::string>)
                    z.*clan = kOznaka;
                else
                    z.*clan = std::nan("");
            },
            p->polje);
}

bool oznaceno(const IzhodniZapis& z, const Polje& polje) {
    return std::visit(
        [&](auto clan) {
            using T = std::remove_cv_t<std::remove_reference_t<decltype(z.*clan)>>;
            if constexpr (std::is_same_v<T, std::string>)
                return z.*clan == kOznaka;
            else
                return std::isnan(z.*clan);
        },
        polje);
}

using FieldIndex = DerivationBank15Marec;

TEST_F(FieldIndex, EveryFieldIsAssignedOnARowOfEveryAccountClass) {
    std::vector<const PoljeKazala*> preverjena;
    for (const PoljeKazala& p : kKazalo)
        preverjena.push_back(&p);
    ASSERT_FALSE(preverjena.empty());

    for (const char* vknt :
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"}) {
        for (const char* dejavnost : {"L", "N"}) {
            SCOPED_TRACE(std::string("VKNT ") + vknt + ", DEJAVNOST " + dejavnost + ", class " +
                         razredCrka(vknt));
            oznaci(kontekst().zapis, preverjena);
            const IzhodniZapis& z = polni(Vir()
                                              .t("VKNT", vknt)
                                              .t("DEJAVNOST", dejavnost)
                                              .t("SFDJV", dejavnost)
                                              .t("KONTO", "1234567")
                                              .n("KKONTO", 100)
                                              .t("KVALUTA", "E")
                                              .n("IDPOG", 7)
                                              .n("SFVP", 50)
                                              .n("POSEL", 9)
                                              .n("IDMASTER", 11)
                                              .t("GRUPIRAJ", "N")
                                              .n("ZNESEK", 100)
                                              .t("SFTPF", "H")
                                              .t("SFGLVENT", "K"));
            for (const PoljeKazala* p : preverjena) {
                // Only classes 1 and F carry the previous state.
                if (std::string(p->ime) == "ZNESEK_SIT_PREV" && std::string(vknt) != "1" &&
                    std::string(vknt) != "F")
                    continue;
                EXPECT_FALSE(oznaceno(z, p->polje)) << p->ime << " keeps the previous row's value";
            }
        }
    }
}

} // namespace
} // namespace orv::test
