// The credit grade by borrower and counterparty, the row-kind codes of classes 3, 4, B and C,
// the residual-maturity band, the special cases of instruments and accounts, and ECB_88N to
// ECB_130P.

#include "derive/DerivationBank.h"

#include "derive/Koraki.h"

namespace orv::test {
namespace {

using Grades = DerivationBank15Marec;

struct BonitetaPrimer {
    const char* opis;
    const char* vknt;
    const char* sfdjv;
    const char* grupiraj;
    const char* predpona; // whose columns carry the party: "O_" or "OP_"
    // the party's columns
    const char* status;
    const char* dejavnost;
    const char* naziv;
    const char* maticna;
    const char* stevilka;
    const char* sektor;
    const char* drzava;
    const char* idBoniteta; // expected; "-" for the value the earlier steps gave (SFBON "X")
    const char* bonitetaMrs;
};

const BonitetaPrimer kBonitete[] = {
    {"bank by status and activity", "1", "", "N", "O_", "B", "64.190", "Banka d.d.", "", "", "",
     "S", "P", "PA"},
    {"a savings bank's name in upper case", "1", "", "N", "O_", "B", "64.190", "Hranilnica Lon", "",
     "", "", "S", "-", ""},
    {"HKS in the name in lower case", "2", "", "N", "O_", "B", "64.190", "xhksx", "", "", "", "S",
     "-", ""},
    {"status b is no bank", "2", "", "N", "O_", "b", "64.190", "Banka", "", "", "", "S", "-", ""},
    {"registration number", "9", "", "N", "O_", "", "", "", "5214246000", "", "", "", "P", "PA"},
    {"client number", "F", "", "N", "O_", "", "", "", "", "00009814", "", "", "P", "PE"},
    {"sector S.121 wins over rule 1", "1", "", "N", "O_", "B", "64.190", "Banka", "", "", "S.1211",
     "S", "A", "A"},
    {"sector S.13111", "1", "", "N", "O_", "", "", "", "", "", "S.131110", "S", "A", "A"},
    {"sector S.1311 is no state", "1", "", "N", "O_", "", "", "", "", "", "S.1311", "S", "-", ""},
    {"foreign state", "1", "", "N", "O_", "D", "", "", "", "", "", "HR", "A", "A"},
    {"domestic state", "1", "", "N", "O_", "D", "", "", "", "", "", "S", "-", ""},
    {"registration 5554195", "1", "", "N", "O_", "", "", "", "5554195", "", "", "", "A", "A"},
    {"class 1 is not graded by its counterparty", "1", "", "N", "OP_", "", "", "", "", "00009814",
     "", "", "-", ""},
    {"class A by its counterparty", "A", "", "N", "OP_", "", "", "", "", "00009814", "", "", "P",
     "PE"},
    {"class A not by its borrower", "A", "", "N", "O_", "", "", "", "", "00009814", "", "", "-",
     ""},
    {"class 7 own dealing by its borrower", "7", "L", "N", "O_", "", "", "", "", "00009814", "", "",
     "P", "PE"},
    {"class 8 other dealing by its counterparty", "8", "N", "N", "OP_", "", "", "", "", "00009814",
     "", "", "P", "PE"},
    {"class B grouped is graded by neither", "B", "", "D", "O_", "", "", "", "", "00009814", "", "",
     "-", ""},
    {"class C not grouped by its borrower", "C", "", "N", "O_", "", "", "", "", "00009814", "", "",
     "P", "PE"},
    {"class 5 by neither", "5", "", "N", "O_", "", "", "", "", "00009814", "", "", "-", ""},
    {"class E by neither", "E", "", "N", "OP_", "", "", "", "", "00009814", "", "", "-", ""},
};

TEST_F(Grades, GradeByBorrowerAndCounterparty) {
    for (const BonitetaPrimer& p : kBonitete) {
        SCOPED_TRACE(p.opis);
        const std::string o = p.predpona;
        // The grade the earlier steps give: SFBON for rows of own dealing and class letters E,
        // G, O, M; OPSFBON for classes 6, A and the other dealing of 7 and 8.
        const Vir vir = Vir()
                            .t("VKNT", p.vknt)
                            .t("SFDJV", p.sfdjv)
                            .t("GRUPIRAJ", p.grupiraj)
                            .t("SFBON", "X")
                            .t("OPSFBON", "X")
                            .t(o + "SFSOS", p.status)
                            .t(o + "DEJAVNOST", p.dejavnost)
                            .t(o + "NZV", p.naziv)
                            .t(o + "MTS", p.maticna)
                            .t(o + "KRTBNK", p.stevilka)
                            .t(o + "SEKTORIZACIJA", p.sektor)
                            .t(o + "SFDRZ", p.drzava);
        const IzhodniZapis& z = izpelji(vir);
        EXPECT_EQ(z.ID_BONITETA, std::string(p.idBoniteta) == "-" ? "X" : p.idBoniteta);
        EXPECT_EQ(z.BONITETA_MRS, p.bonitetaMrs);
    }
}

using RowKinds = DerivationBank15Marec;

TEST_F(RowKinds, FixedCodesOfClasses3And4AndOfGroupedAccounts) {
    struct {
        const char* vknt;
        const char* grupiraj;
        const char* sfdjv;
        bool stanje; // 13/13/2
        bool skupina;
    } const primeri[] = {
        {"3", "N", "L", true, false},  {"4", "D", "", true, false},  {"B", "N", "", true, false},
        {"C", "N", "L", false, false}, {"B", "D", "", false, true},  {"C", "D", "N", false, true},
        {"C", "D", "L", false, false}, {"A", "N", "", false, false},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(std::string(p.vknt) + p.grupiraj + p.sfdjv);
        const auto priprava = [](KontekstPrenosa& k) {
            k.zapis.ECB_14N = "x";
            k.zapis.ECB_39N = "x";
            k.zapis.ECB_38 = "x";
            k.zapis.ECB_17N = "x";
            k.zapis.ID_SM = "x";
            k.zapis.DAT_OTVORITVE = "x";
        };
        const IzhodniZapis& z = izpelji(
            Vir().t("VKNT", p.vknt).t("GRUPIRAJ", p.grupiraj).t("SFDJV", p.sfdjv), priprava);
        EXPECT_EQ(z.ECB_14N, p.stanje ? "13" : p.skupina ? "01" : "x");
        EXPECT_EQ(z.ECB_39N, p.stanje ? "13" : "x");
        EXPECT_EQ(z.ECB_38, p.stanje || p.skupina ? "2" : "x");
        EXPECT_EQ(z.ECB_17N, p.skupina ? "4" : "x");
        EXPECT_EQ(z.ID_SM, p.skupina ? "08" : "x");
        EXPECT_EQ(z.DAT_OTVORITVE, p.skupina ? "15.03.2024" : "x");
        if (p.skupina) {
            EXPECT_EQ(z.DAT_ZAPAD, "15.03.2024");
            EXPECT_EQ(z.DatZapadPrvotni, "15.03.2024");
            // the maturity on the reporting date falls in the first band
            EXPECT_EQ(z.ECB_15N, "01");
        }
    }
}

TEST_F(RowKinds, ResidualMaturityBands) {
    // Reporting date 15.03.2024; days to the maturity date.
    const struct {
        int dni;
        const char* koda;
    } pasovi[] = {{-400, "01"}, {0, "01"},    {1, "13"},    {7, "13"},    {8, "23"},
                  {30, "23"},   {31, "04"},   {90, "04"},   {91, "05"},   {180, "05"},
                  {181, "06"},  {365, "06"},  {366, "17"},  {397, "17"},  {398, "27"},
                  {730, "27"},  {731, "18"},  {1095, "18"}, {1096, "28"}, {1460, "28"},
                  {1461, "38"}, {1825, "38"}, {1826, "19"}, {2555, "19"}, {2556, "29"},
                  {3650, "29"}, {3651, "39"}, {5475, "39"}, {5476, "49"}, {7300, "49"},
                  {7301, "59"}, {40000, "59"}};
    const DateValue stanje = encodeDate(2024, 3, 15);
    for (const auto& p : pasovi) {
        const std::string zapadlost = formatDate(stanje + p.dni);
        SCOPED_TRACE(zapadlost);
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "2"),
                                        [&](KontekstPrenosa& k) { k.zapis.DAT_ZAPAD = zapadlost; });
        EXPECT_EQ(z.ECB_15N, p.koda);
    }
    const IzhodniZapis& z =
        izpelji(Vir().t("VKNT", "2"), [](KontekstPrenosa& k) { k.zapis.DAT_ZAPAD = "  "; });
    EXPECT_EQ(z.ECB_15N, "99");
}

using SpecialCases = DerivationBank15Marec;

TEST_F(SpecialCases, InstrumentsAndAccounts) {
    const auto priprava = [](KontekstPrenosa& k) {
        k.zapis.DAT_ZAPAD = "01.01.2030";
        k.zapis.DatZapadPrvotni = "01.01.2030";
        k.zapis.DAT_OTVORITVE = "01.01.2020";
        k.zapis.DAT_PRENOS = "02.01.2020";
        k.zapis.ECB_14N = "x";
        k.zapis.ECB_17N = "x";
        k.zapis.ECB_18N = "x";
        k.zapis.ECB_38 = "x";
    };
    // Security 4250 of the own portfolio: the fixed maturity and the write-off account.
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "1").t("DEJAVNOST", "L").n("SFVP", 4250).t("KONTO", " 990123"),
                    priprava);
        EXPECT_EQ(z.ECB_18N, "S");
        EXPECT_EQ(z.ECB_14N, "28");
        EXPECT_EQ(z.ECB_17N, "2");
        EXPECT_EQ(z.ECB_38, "2");
        EXPECT_EQ(z.DAT_ZAPAD, "16.06.2011");
        EXPECT_EQ(z.DatZapadPrvotni, "01.10.2011");
        // the band was taken before the special case replaced the maturity (2118 days)
        EXPECT_EQ(z.ECB_15N, "19");
    }
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "1").t("DEJAVNOST", "L").n("SFVP", 2796), priprava);
        EXPECT_EQ(z.ECB_14N, "39");
        EXPECT_EQ(z.DatZapadPrvotni, "15.12.2011");
        EXPECT_EQ(z.DAT_ZAPAD, "01.01.2030");
    }
    // The same security in class D is none of these cases.
    {
        const IzhodniZapis& z = izpelji(Vir()
                                            .t("VKNT", "D")
                                            .t("DEJAVNOST", "L")
                                            .n("SFVP", 2796)
                                            .t("ZPDVP", "20.05.2031")
                                            .t("DOGDAN", "03.04.2021"),
                                        priprava);
        EXPECT_EQ(z.ECB_18N, "x");
        EXPECT_EQ(z.DatZapadPrvotni, "01.01.2030");
        EXPECT_EQ(z.DAT_ZAPAD, "20.05.2031");
        EXPECT_EQ(z.DAT_OTVORITVE, "03.04.2021");
    }
    // An account beginning with 0909: opening and transfer dates on the reporting date.
    {
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "2").t("KONTO", "0909051"), priprava);
        EXPECT_EQ(z.ECB_18N, "N");
        EXPECT_EQ(z.DAT_OTVORITVE, "15.03.2024");
        EXPECT_EQ(z.DAT_PRENOS, "15.03.2024");
        EXPECT_EQ(z.DAT_ZAPAD, "15.03.2024");
        EXPECT_EQ(z.DatZapadPrvotni, "15.03.2024");
        EXPECT_EQ(z.ID_BONITETA, "A");
        EXPECT_EQ(z.BONITETA_MRS, "A");
    }
    {
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "2").t("KONTO", "9788"), priprava);
        EXPECT_EQ(z.ID_BONITETA, "A");
        EXPECT_EQ(z.BONITETA_MRS, "A");
        EXPECT_EQ(z.DAT_ZAPAD, "01.01.2030");
        EXPECT_EQ(z.ECB_18N, "x");
    }
    {
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "6"), priprava);
        EXPECT_EQ(z.ECB_14N, "13");
    }
    {
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "F").t("DEJAVNOST", "N"), priprava);
        EXPECT_EQ(z.ECB_14N, "13");
        EXPECT_EQ(z.ECB_15N, "13");
    }
}

TEST_F(SpecialCases, ClassDDealOpenedOnItsMaturityDay) {
    const Vir d = Vir().t("VKNT", "D").t("DOGDAN", "03.04.2021").t("ZPDVP", "03.04.2021 10:00");
    const auto priprava = [](KontekstPrenosa& k) { k.zapis.ECB_14N = "x"; };
    // Step 53 gives every class D row "13" in the end; before it, step 43 gives "01".
    izpelji(d, priprava, 43);
    KontekstPrenosa& k = kontekst();
    EXPECT_EQ(k.zapis.ECB_14N, "13");
    k.zapis.ECB_14N = "x";
    orv::koraki::PosebniPrimeri(k);
    EXPECT_EQ(k.zapis.ECB_14N, "01");
    EXPECT_EQ(k.zapis.DAT_ZAPAD, "03.04.2021");
    odpriVir(Vir(d).t("ZPDVP", "04.04.2021"));
    k.zapis.ECB_14N = "x";
    orv::koraki::PosebniPrimeri(k);
    EXPECT_EQ(k.zapis.ECB_14N, "x");
}

using Group88 = DerivationBank15Marec;

TEST_F(Group88, MarketsQuantitiesAndAccount617) {
    rows("INSERT INTO POG (IDPOG, BAN_TRG) VALUES (7, 'T'), (8, 'B'), (9, 'X');"
         "INSERT INTO KNJIZBE (KONTO, VALUTA, IDPOG, VP, DATUMV, BZNESEKSIT, DZNESEKSIT) VALUES "
         "(617, 'U', 7, 50, '01.03.2024', 40, 5), (617, 'U', 7, 50, '29.02.2024', 1000, 0), "
         "(617, 'U', 7, 50, '16.03.2024', 1000, 0), (618, 'U', 7, 50, '02.03.2024', 1000, 0)");
    const Vir lastni = Vir()
                           .t("VKNT", "1")
                           .t("DEJAVNOST", "L")
                           .n("IDPOG", 7)
                           .n("SFVP", 50)
                           .t("KVALUTA", "U")
                           .t("ISIN", " SI0031 ");
    const auto kolicina = [](KontekstPrenosa& k) { k.vrstica.KolicinaVrstice = 12; };
    {
        const IzhodniZapis& z = izpelji(lastni, kolicina);
        EXPECT_EQ(z.ECB_88N, 0);
        EXPECT_EQ(z.ECB_88Z, 0);
        EXPECT_EQ(z.ECB_121N, "P");
        EXPECT_EQ(z.ECB_109N, " SI0031 ");
        EXPECT_EQ(z.ECB_110N, "1");
        EXPECT_EQ(z.ECB_111N, 12);
        EXPECT_EQ(z.ECB_115N, "2");
        EXPECT_EQ(z.ECB_130P, 35);
        EXPECT_EQ(z.ECB_130N, 0);
    }
    EXPECT_EQ(izpelji(Vir(lastni).n("IDPOG", 8)).ECB_110N, "2");
    EXPECT_EQ(izpelji(Vir(lastni).n("IDPOG", 9)).ECB_110N, "");
    EXPECT_EQ(izpelji(Vir(lastni).n("IDPOG", 10)).ECB_110N, "");
    EXPECT_EQ(izpelji(Vir(lastni).t("ISIN", "  ")).ECB_109N, "");
    {
        const IzhodniZapis& z =
            izpelji(Vir(lastni).t("DEJAVNOST", "N").n("KKONTO", 618).n("ZNESEK", -250.5), kolicina);
        EXPECT_EQ(z.ECB_109N, "");
        EXPECT_EQ(z.ECB_110N, "2");
        EXPECT_EQ(z.ECB_111N, 0);
        EXPECT_EQ(z.ECB_130P, 0);
        EXPECT_EQ(z.ECB_130N, 250.5);
    }
    EXPECT_EQ(izpelji(Vir(lastni).t("DEJAVNOST", "T")).ECB_110N, "2");
    EXPECT_EQ(izpelji(Vir(lastni).t("DEJAVNOST", "")).ECB_110N, "");
}

} // namespace
} // namespace orv::test
