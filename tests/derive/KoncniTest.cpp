// The last overrides: class D and loan rows, purpose codes, the maturity from the next trading
// period, the group ECB_133 to ECB_156N, the interest reset dates, the domestic-currency amounts
// of classes C and E and the reset date of class F deals.

#include "derive/DerivationBank.h"

#include "derive/PolniPodatke.h"

namespace orv::test {
namespace {

using FinalOverrides = DerivationBank15Marec;

TEST_F(FinalOverrides, ClassDAndLoanRows) {
    const auto priprava = [](KontekstPrenosa& k) {
        k.zapis.ECB_17 = "x";
        k.zapis.ECB_38 = "x";
        k.zapis.BONITETA_ECB = "x";
        k.zapis.ECB_19 = "2";
        k.zapis.ECB_29 = 5;
        k.zapis.ECB_16 = "x";
        k.zapis.ECB_25 = "x";
        k.zapis.NAMEN_POSLA = "x";
        k.zapis.ECB_16N = "x";
        k.zapis.ECB_22N = "x";
        k.zapis.ECB_39N = "x";
        k.zapis.ECB_98N = "x";
    };
    {
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "D"), priprava);
        EXPECT_EQ(z.ECB_17, "");
        EXPECT_EQ(z.ECB_38, "");
        EXPECT_EQ(z.BONITETA_ECB, "N");
        EXPECT_EQ(z.ECB_133, "11");
        EXPECT_EQ(z.ECB_14N, "13");
        EXPECT_EQ(z.ECB_15N, "13");
        EXPECT_EQ(z.ECB_16, "x");
    }
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "6").t("SFVPKRT", "POSOJILO").n("ZNESEK", 300), priprava);
        EXPECT_EQ(z.ZNESEK_VAL, -300);
        EXPECT_EQ(z.ECB_29, 300);
        EXPECT_EQ(z.ECB_16, "99");
        EXPECT_EQ(z.ECB_25, "14");
        EXPECT_EQ(z.ECB_38, "2");
        EXPECT_EQ(z.NAMEN_POSLA, "155");
        EXPECT_EQ(z.ECB_16N, "99");
        EXPECT_EQ(z.ECB_22N, "06");
        EXPECT_EQ(z.ECB_39N, "01");
        EXPECT_EQ(z.ECB_116, "3");
        EXPECT_EQ(z.ECB_98N, "13");
        EXPECT_EQ(z.BONITETA_ECB, "x");
    }
    const auto izdajaTri = [&](KontekstPrenosa& k) {
        priprava(k);
        k.zapis.ECB_19 = "3";
    };
    EXPECT_EQ(
        izpelji(Vir().t("VKNT", "6").t("SFVPKRT", "POSOJILO").n("ZNESEK", 300), izdajaTri).ECB_29,
        5);
    EXPECT_EQ(
        izpelji(Vir().t("VKNT", "A").t("SFVPKRT", "POSOJILO").n("ZNESEK", 300), priprava).ECB_29,
        5);
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "A").t("SFVPKRT", "posojilo").t("SFTPF", "R").t("KVALUTA", "E"),
                    priprava);
        EXPECT_EQ(z.ECB_16, "x");
        EXPECT_EQ(z.ECB_116, "3");
    }
}

TEST_F(FinalOverrides, FurtherPurposeCodes) {
    const struct {
        const char* konto;
        const char* sfdjv;
        int sfvp;
        const char* namen;
    } primeri[] = {
        {"9903007", "", 1, "290"},    {"99530071", "", 1, "290"}, {" 9903007", "", 1, "x"},
        {"990300", "", 1, "x"},       {"", "L", 5779, "290"},     {"", "N", 5779, "x"},
        {"9903007", "", 6310, "094"}, {"", "", 6310, "094"},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(std::string(p.konto) + "/" + p.sfdjv + "/" + std::to_string(p.sfvp));
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "2").t("KONTO", p.konto).t("SFDJV", p.sfdjv).n("SFVP", p.sfvp),
                    [](KontekstPrenosa& k) { k.zapis.NAMEN_POSLA = "x"; });
        EXPECT_EQ(z.NAMEN_POSLA, p.namen);
    }
}

class TradingPeriods : public DerivationBank15Marec {
protected:
    TradingPeriods() {
        // Inserted out of order: the statement's first row would not be the earliest one.
        rows("INSERT INTO KPN (SFVP, STKPN, PRVDANTRG, ZDNDANTRG) VALUES "
             "(50, 4, '20.06.2024', '19.09.2024'), (50, 1, '10.01.2024', '14.03.2024'), "
             "(50, 3, '15.04.2024', '19.06.2024'), (50, 2, '15.03.2024', '14.04.2024')");
    }
    const Vir lastni = Vir()
                           .t("VKNT", "2")
                           .t("SFDJV", "L")
                           .t("SFGLVENT", "%")
                           .n("SFVP", 50)
                           .t("ZPDVP", "01.01.2030");
    static void zapadlost(KontekstPrenosa& k) {
        k.zapis.DAT_ZAPAD = "x";
        k.zapis.DatZapadPrvotni = "y";
    }
};

TEST_F(TradingPeriods, MaturityIsTheEarliestTradingPeriodFromTheReportingDate) {
    {
        const IzhodniZapis& z = izpelji(lastni, zapadlost);
        EXPECT_EQ(z.DAT_ZAPAD, "15.03.2024");
        EXPECT_EQ(z.DatZapadPrvotni, "y");
    }
    EXPECT_EQ(izpelji(Vir(lastni).t("VKNT", "9"), zapadlost).DAT_ZAPAD, "15.03.2024");
    novPrenos();
    rows("DELETE FROM KPN WHERE STKPN = 2");
    EXPECT_EQ(izpelji(lastni, zapadlost).DAT_ZAPAD, "15.04.2024");
    // Without a later period: the security's maturity.
    EXPECT_EQ(izpelji(Vir(lastni).n("SFVP", 51), zapadlost).DAT_ZAPAD, "01.01.2030");
    // Only own-portfolio percentage-priced rows of classes 2 and 9.
    EXPECT_EQ(izpelji(Vir(lastni).t("VKNT", "1"), zapadlost).DAT_ZAPAD, "x");
    EXPECT_EQ(izpelji(Vir(lastni).t("SFGLVENT", "K"), zapadlost).DAT_ZAPAD, "x");
    EXPECT_EQ(izpelji(Vir(lastni).t("SFDJV", "N"), zapadlost).DAT_ZAPAD, "x");
}

using FixedGroup = DerivationBank15Marec;

TEST_F(FixedGroup, DefaultsOfAnOrdinaryRow) {
    const IzhodniZapis& z = izpelji(Vir().t("VKNT", "2"), [](KontekstPrenosa& k) {
        k.zapis.DAT_OTVORITVE = "01.02.2020";
        k.zapis.DatZapadPrvotni = "";
        k.zapis.ECB_30 = 5.5;
        k.zapis.ECB_22N = "x";
        k.zapis.ECB_133 = "x";
        k.zapis.ECB_134N = "x";
    });
    EXPECT_EQ(z.ECB_136N, "1");
    for (const std::string* polje :
         {&z.ECB_137N, &z.ECB_138N, &z.ECB_139N, &z.ECB_140N, &z.ECB_141N, &z.ECB_142N, &z.ECB_145N,
          &z.ECB_147N, &z.ECB_148N, &z.ECB_149N, &z.ECB_151N, &z.SIFRA_ZAVA})
        EXPECT_EQ(*polje, "");
    EXPECT_EQ(z.ECB_146N, "01.02.2020");
    EXPECT_EQ(z.ECB_150N, 0);
    EXPECT_EQ(z.ECB_144N, "09");
    EXPECT_EQ(z.ECB_156N, "0");
    EXPECT_EQ(z.ECB_500N, 0);
    EXPECT_EQ(z.ECB_502N, 0);
    EXPECT_EQ(z.ECB_31N, 0);
    EXPECT_EQ(z.ECB_22N, "x");
    EXPECT_EQ(z.ECB_133, ""); // from the write-down lookup: no row
}

TEST_F(FixedGroup, InstrumentExceptions) {
    rows("INSERT INTO KPN (SFVP, STKPN, PRVDANTRG) VALUES (6122, 1, '01.06.2020'), "
         "(6123, 1, '01.07.2021'), (6123, 2, '01.01.2022')");
    const auto priprava = [](KontekstPrenosa& k) {
        k.zapis.DAT_OTVORITVE = "01.02.2020";
        k.zapis.ECB_30 = 5.5;
        k.zapis.ECB_24N = "";
        k.zapis.DatZapadPrvotni = "01.01.2024";
    };
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "1").t("SFDJV", "L").n("SFVP", 6123), priprava);
        EXPECT_EQ(z.ECB_137N, "1");
        EXPECT_EQ(z.ECB_138N, "3");
        EXPECT_EQ(z.ECB_139N, "2");
        EXPECT_EQ(z.ECB_140N, "2");
        EXPECT_EQ(z.ECB_141N, "4");
        EXPECT_EQ(z.ECB_142N, "05");
        EXPECT_EQ(z.ECB_145N, "2");
        EXPECT_EQ(z.ECB_151N, "2");
        EXPECT_EQ(z.ECB_146N, "01.07.2021");
        EXPECT_EQ(z.ECB_147N, "05");
        EXPECT_EQ(z.ECB_31N, 5.5);
        // the floating-rate bond without a reference-rate type: no reset dates
        EXPECT_EQ(z.ECB_22N, "08");
        EXPECT_EQ(z.ECB_148N, "");
        EXPECT_EQ(z.ECB_149N, "");
    }
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "1").t("SFDJV", "N").n("SFVP", 6123), priprava);
        EXPECT_EQ(z.ECB_137N, "");
        EXPECT_EQ(z.ECB_146N, "01.07.2021");
        EXPECT_EQ(z.ECB_147N, "");
        EXPECT_EQ(z.ECB_31N, 5.5);
    }
    {
        const IzhodniZapis& z =
            izpelji(Vir().t("VKNT", "1").t("SFDJV", "N").n("SFVP", 6122), priprava);
        EXPECT_EQ(z.ECB_146N, "01.06.2020");
        EXPECT_EQ(z.ECB_147N, "05");
        EXPECT_EQ(z.ECB_22N, "07"); // 6122 always has its reset dates
    }
    const struct {
        const char* konto;
        const char* vknt;
        const char* dejavnost;
        int sfvp;
        const char* ecb133;
        const char* ecb134n;
    } primeri[] = {
        {"99", "2", "", 4250, "30", "2"},
        {"9901", "1", "L", 4250, "30", "2"},
        {"0909051", "2", "", 4250, "", "2"},
        {" 0909051", "2", "", 4250, "30", "2"},
        {"", "A", "N", 1, "11", "2"},
        {"", "F", "N", 1, "11", "2"},
        {"", "F", "L", 1, "", "2"},
        {"", "2", "", 6485, "11", "2"},
        {"0909051", "D", "", 6485, "11", "2"},
        {"", "2", "", 1, "", "2"},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(std::string(p.konto) + "/" + p.vknt + "/" + p.dejavnost + "/" +
                     std::to_string(p.sfvp));
        const IzhodniZapis& z = izpelji(Vir()
                                            .t("KONTO", p.konto)
                                            .t("VKNT", p.vknt)
                                            .t("DEJAVNOST", p.dejavnost)
                                            .n("SFVP", p.sfvp));
        EXPECT_EQ(z.ECB_133, p.ecb133);
        EXPECT_EQ(z.ECB_134N, p.ecb134n);
    }
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2").n("SFVP", 6307).n("KKONTO", 910)).SIFRA_ZAVA, "0801");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2").n("SFVP", 6307).n("KKONTO", 911)).SIFRA_ZAVA, "0801");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2").n("SFVP", 6307).n("KKONTO", 912)).SIFRA_ZAVA, "");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2").n("SFVP", 6306).n("KKONTO", 910)).SIFRA_ZAVA, "");
}

TEST_F(FixedGroup, OriginalMaturityOnceItHasPassed) {
    const struct {
        const char* prvotni;
        const char* ecb149n;
    } primeri[] = {
        {"14.03.2024", "14.03.2024"},
        {"15.03.2024", "15.03.2024"},
        {"16.03.2024", ""},
        {"1.3.2024", "1.3.2024"},
        {"  ", ""},
        {"kmalu", ""},
        {"31.02.2024", ""},
        {" 01.01.2020 ", " 01.01.2020 "},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(p.prvotni);
        const IzhodniZapis& z = izpelji(
            Vir().t("VKNT", "2"), [&](KontekstPrenosa& k) { k.zapis.DatZapadPrvotni = p.prvotni; });
        EXPECT_EQ(z.ECB_149N, p.ecb149n);
    }
}

class ResetDates : public DerivationBank15Marec {
protected:
    ResetDates() {
        rows("INSERT INTO KPN (SFVP, STKPN, PRVDANTRG, ZDNDANTRG, SFKPN) VALUES "
             "(60, 1, '01.01.2023', '30.06.2023', 'A'), (60, 2, '01.07.2023', '31.12.2023', 'B'), "
             "(60, 3, '01.01.2024', '30.06.2024', 'C'), (60, 4, '01.07.2024', '31.12.2024', 'D'), "
             "(61, 1, '01.01.2024', '30.06.2024', 'E'), (61, 2, '01.07.2024', '31.12.2024', 'F')");
    }
    static void referencna(KontekstPrenosa& k) {
        k.zapis.ECB_24N = "3M";
        k.zapis.ECB_22N = "x";
        k.zapis.DatZapadPrvotni = "";
    }
};

TEST_F(ResetDates, NextAndLastResetOfAFloatingRateRow) {
    const Vir vir = Vir().t("VKNT", "2").n("SFVP", 60).n("IDPOG", 7);
    const struct {
        const char* opis;
        const char* posli; // interest deals of type O of contract 7
        const char* ecb149n;
    } primeri[] = {
        {"no interest deal", "", "01.07.2023"},
        {"interest deal with a parent", "(1, 7, 'O', 'B', 5)", "01.07.2023"},
        {"interest deal without a parent", "(1, 7, 'O', 'B', NULL)", "01.07.2023"},
        {"interest deal with parent 0", "(1, 7, 'O', 'B', 0)", ""},
        {"parent 0 of another period", "(1, 7, 'O', 'C', 0)", "01.07.2023"},
        {"parent 0 of another contract", "(1, 8, 'O', 'B', 0)", "01.07.2023"},
        {"parent 0 of another kind", "(1, 7, 'N', 'B', 0)", "01.07.2023"},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(p.opis);
        rows("DELETE FROM DOG");
        if (*p.posli)
            rows(std::string("INSERT INTO DOG (IDDOG, IDPOG, SFPDG, SFKPN, IDDOGGOT) VALUES ") +
                 p.posli);
        const IzhodniZapis& z = izpelji(vir, referencna);
        EXPECT_EQ(z.ECB_22N, "07");
        EXPECT_EQ(z.ECB_148N, "01.07.2024");
        EXPECT_EQ(z.ECB_149N, p.ecb149n);
    }
    // Inside its first period no reset has happened yet.
    const IzhodniZapis& z = izpelji(Vir(vir).n("SFVP", 61), referencna);
    EXPECT_EQ(z.ECB_148N, "01.07.2024");
    EXPECT_EQ(z.ECB_149N, "");
    // A blank reference-rate type is none.
    const IzhodniZapis& brez = izpelji(vir, [](KontekstPrenosa& k) {
        referencna(k);
        k.zapis.ECB_24N = " ";
    });
    EXPECT_EQ(brez.ECB_22N, "x");
    EXPECT_EQ(brez.ECB_148N, "");
}

TEST_F(ResetDates, AnswersOfTheSecurityAreAskedOncePerTransfer) {
    const Vir vir = Vir().t("VKNT", "2").n("SFVP", 60).n("IDPOG", 7);
    EXPECT_EQ(izpelji(vir, referencna).ECB_148N, "01.07.2024");
    rows("UPDATE KPN SET PRVDANTRG = '01.08.2024' WHERE SFKPN = 'D'");
    EXPECT_EQ(izpelji(vir, referencna).ECB_148N, "01.07.2024");
    novPrenos();
    EXPECT_EQ(izpelji(vir, referencna).ECB_148N, "01.08.2024");
}

TEST_F(ResetDates, FailingStatementEndsTheDerivation) {
    window.messages.clear();
    rows("DROP TABLE TRG_SLAB");
    try {
        polni(Vir().t("VKNT", "F").t("DEJAVNOST", "N").n("IDMASTER", 5));
        FAIL() << "the derivation went on";
    } catch (const NapakaKoraka& e) {
        EXPECT_EQ(e.stevilka(), 56);
    }
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], "SELECT zpd FROM dog  WHERE iddog = (SELECT iddog FROM trg_slab "
                                  "WHERE iddogslab=:idmaster) ");
}

TEST_F(ResetDates, ResetDateOfAClassFDeal) {
    rows("INSERT INTO DOG (IDDOG, ZPD) VALUES (40, '30.09.2026');"
         "INSERT INTO TRG_SLAB (IDDOG, IDDOGSLAB) VALUES (40, 5)");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "F").t("DEJAVNOST", "N").n("IDMASTER", 5)).ECB_149N,
              "30.09.2026");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "F").t("DEJAVNOST", "N").n("IDMASTER", 6)).ECB_149N, "");
    const auto prvotni = [](KontekstPrenosa& k) { k.zapis.DatZapadPrvotni = "01.01.2020"; };
    EXPECT_EQ(izpelji(Vir().t("VKNT", "F").t("DEJAVNOST", "L").n("IDMASTER", 5), prvotni).ECB_149N,
              "01.01.2020");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "1").t("DEJAVNOST", "N").n("IDMASTER", 5), prvotni).ECB_149N,
              "01.01.2020");
}

using DomesticAmounts = DerivationBank15Marec;

TEST_F(DomesticAmounts, DomesticAccountsOfClassesCAndECarryTheYearsMovement) {
    rows("INSERT INTO SIFKONT (CTRL, DEVIZEN) VALUES (300, 'N'), (301, 'D');"
         "INSERT INTO KNJIZBE (KONTO, IDVP, DATUMV, BZNESEKSIT, DZNESEKSIT) VALUES "
         "(300, 9, '02.01.2024', 100.125, 0), (300, 9, '15.03.2024', 0, 0.5), "
         "(300, 9, '31.12.2023', 1000, 0), (300, 9, '16.03.2024', 1000, 0), "
         "(300, 8, '02.01.2024', 1000, 0), (301, 9, '02.01.2024', 1000, 0)");
    const struct {
        const char* vknt;
        int kkonto;
        bool domaci;
    } primeri[] = {{"C", 300, true},
                   {"E", 300, true},
                   {"C", 301, false},
                   {"2", 300, false},
                   {"C", 302, false}};
    for (const auto& p : primeri) {
        SCOPED_TRACE(std::string(p.vknt) + std::to_string(p.kkonto));
        const IzhodniZapis& z = izpelji(Vir()
                                            .t("VKNT", p.vknt)
                                            .n("KKONTO", p.kkonto)
                                            .n("POSEL", 9)
                                            .t("KVALUTA", "U")
                                            .n("ZNESEK", 10),
                                        [](KontekstPrenosa& k) { k.zapis.ID_VALUTE = "840"; });
        EXPECT_EQ(z.ID_VALUTE, p.domaci ? "978" : "840");
        EXPECT_EQ(z.ZNESEK_VAL, p.domaci ? -99.625 : -10);
        if (p.domaci) {
            EXPECT_EQ(z.ZNESEK_SIT, -99.625);
        }
    }
}

} // namespace
} // namespace orv::test
