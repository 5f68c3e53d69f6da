// Term days, the acceptance flag and the purchase date, the write-down data of the schema that
// the bank's settings name, the write-down amount, and the write-off and measurement fields.

#include "derive/DerivationBank.h"

#include "derive/PolniPodatke.h"

namespace orv::test {
namespace {

using TermDays = DerivationBank15Marec;

TEST_F(TermDays, DaysFromOpeningAndFromTheReportingDateToTheMaturity) {
    const struct {
        const char* zapadlost;
        const char* otvoritev;
        double dni14;
        double dni15;
    } primeri[] = {
        {"31.12.2025", "01.01.2025", 363, 656},
        {"31.12.2025", "31.12.2025", 0, 656},
        {"31.12.2025", "01.01.2026", 0, 656},
        {"16.03.2024 12:00", "14.03.2024", 1, 1},
        {"15.03.2024", "01.03.2024", 13, 0},
        {"01.01.2024", "01.01.2020", 1460, 0},
        // an empty maturity reads as the reporting date
        {"", "01.03.2024", 13, 0},
        // a maturity that is no date reads as today: far after the opening and the reporting date
        {"kmalu", "01.03.2024", today() - encodeDate(2024, 3, 1) - 1,
         today() - encodeDate(2024, 3, 15)},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(std::string(p.zapadlost) + " / " + p.otvoritev);
        const IzhodniZapis& z = izpelji(Vir().t("VKNT", "2"), [&](KontekstPrenosa& k) {
            k.vrstica.ZapadlostN = p.zapadlost;
            k.zapis.DAT_OTVORITVE = p.otvoritev;
            k.zapis.ECB_500N = 7;
            k.zapis.POS_DOB = "x";
        });
        EXPECT_EQ(z.ECB_14N_DNI, p.dni14);
        EXPECT_EQ(z.ECB_15N_DNI, p.dni15);
        EXPECT_EQ(z.ECB_500N, 0);
        EXPECT_EQ(z.POS_DOB, "Ne");
    }
}

using Acceptance = DerivationBank15Marec;

TEST_F(Acceptance, EligibilityGeneratingDealAndPurchaseDate) {
    rows("INSERT INTO SFVP (SFVP, ECB_ELIGIBLE_DN) VALUES (50, 'D'), (51, 'd'), (52, NULL);"
         "INSERT INTO VPHST (DAN, SFSVP, SFVP, IDVP, LOT, IDDOGGEN, DANNKP) VALUES "
         "('15.03.2024', 'L', 50, 9, 5, 77, '10.01.2024'), "
         "('15.03.2024', 'L', 50, 10, 5, 78, '11.01.2024'), "
         "('15.03.2024', 'L', 50, 11, 0, 77, '12.01.2024'), "
         "('15.03.2024', 'K', 50, 12, 5, 77, '13.01.2024'), "
         "('14.03.2024', 'L', 50, 13, 5, 77, '14.01.2024');"
         "INSERT INTO DOG (IDDOG, SFDOG) VALUES (77, 826), (78, 825);");
    const struct {
        const char* dejavnost;
        int sfvp;
        int posel;
        const char* primernost;
        const char* ecb100n;
        const char* ecb112n;
    } primeri[] = {
        {"L", 50, 9, "D", "D", "10.01.2024"},
        {"N", 50, 9, "N", "D", "10.01.2024"},
        {"L", 50, 10, "D", "N", "11.01.2024"},
        {"L", 50, 11, "D", "", "12.01.2024"},
        {"L", 50, 12, "D", "", ""},
        {"L", 50, 13, "D", "", ""},
        {"L", 51, 9, "N", "", ""},
        {"L", 52, 9, "N", "", ""},
        {"L", 53, 9, "N", "", ""},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(std::string(p.dejavnost) + " " + std::to_string(p.sfvp) + " " +
                     std::to_string(p.posel));
        const IzhodniZapis& z = izpelji(
            Vir().t("VKNT", "1").t("DEJAVNOST", p.dejavnost).n("SFVP", p.sfvp).n("POSEL", p.posel));
        EXPECT_EQ(z.ECB_PRIMERNOST, p.primernost);
        EXPECT_EQ(z.ECB_100N, p.ecb100n);
        EXPECT_EQ(z.ECB_112N, p.ecb112n);
    }
}

class WriteDowns : public DerivationBank15Marec {
protected:
    WriteDowns() {
        rows("INSERT INTO skup.MSRP9_SLAB_34_E (IDVP, IDPOG, SFVP, POGODBA, DAT_STANJE, ECB_133, "
             "VRSTA_SLABITVE, ECB_42) VALUES "
             "(9, 7, 50, NULL, '15.03.2024', '10', 'S1', 2.5), "
             "(9, 7, 50, NULL, '29.02.2024', '99', 'XX', 99), "
             "(NULL, NULL, NULL, '00007', '15.03.2024', '20', 'S2', 3.5), "
             "(300, 7, NULL, NULL, '15.03.2024', '30', 'S3', 4.5), "
             "(0, 8, 51, NULL, '15.03.2024', '40', 'S4', 5.5)");
    }
};

TEST_F(WriteDowns, RowOfTheReportingDateByHoldingContractOrLoan) {
    const struct {
        const char* opis;
        Vir vir;
        const char* ecb133;
        const char* vrsta;
        double ecb42;
    } primeri[] = {
        {"own portfolio by holding line, contract and security",
         Vir().t("DEJAVNOST", "L").n("POSEL", 9).n("IDPOG", 7).n("SFVP", 50), "10", "S1", 2.5},
        {"any other than N selects by holding line",
         Vir().n("POSEL", 9).n("IDPOG", 7).n("SFVP", 50), "10", "S1", 2.5},
        {"an empty holding line is 0", Vir().t("DEJAVNOST", "T").n("IDPOG", 8).n("SFVP", 51), "40",
         "S4", 5.5},
        {"other dealing by the contract text", Vir().t("DEJAVNOST", "N").n("IDPOG", 7), "20", "S2",
         3.5},
        {"a loan by contract and master deal",
         Vir().t("DEJAVNOST", "N").t("SFVPKRT", "POSOJILO").n("IDPOG", 7).n("IDMASTER", 300), "30",
         "S3", 4.5},
        {"a loan name with blanks selects by the contract text",
         Vir().t("DEJAVNOST", "N").t("SFVPKRT", "POSOJILO ").n("IDPOG", 7).n("IDMASTER", 300), "20",
         "S2", 3.5},
        {"no row", Vir().t("DEJAVNOST", "L").n("POSEL", 9).n("IDPOG", 7).n("SFVP", 51), "", "", 0},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(p.opis);
        const IzhodniZapis& z = izpelji(Vir(p.vir).t("VKNT", "2"), [](KontekstPrenosa& k) {
            k.zapis.ECB_133 = "x";
            k.zapis.VRSTA_SLABITVE = "x";
            k.zapis.ECB_42 = 77;
        });
        EXPECT_EQ(z.ECB_133, p.ecb133);
        EXPECT_EQ(z.VRSTA_SLABITVE, p.vrsta);
        EXPECT_EQ(z.ECB_42, p.ecb42);
        EXPECT_EQ(kontekst().vrstica.ShemaMsrp9, "skup");
    }
}

TEST_F(WriteDowns, SavesItsStatementWhileDebugSqlIsOn) {
    window.options.DebugSQL = true;
    izpelji(Vir().t("VKNT", "A").t("DEJAVNOST", "N").t("SFVPKRT", "O'K").n("IDPOG", 7));
    // The contract text is quoted safely: a quote in it stays part of the text.
    EXPECT_EQ(programFile("MSRP9_SLAB_34_E.SQL"),
              "select ECB_133, vrsta_slabitve, ECB_42 from skup.MSRP9_SLAB_34_E    WHERE "
              "skup.MSRP9_SLAB_34_E.pogodba='7O''K'  AND dat_stanje='15.03.2024' \r\n");
}

TEST_F(WriteDowns, SchemaIsTheOneTheSettingsNameReadOncePerTransfer) {
    const Vir vir =
        Vir().t("VKNT", "2").t("DEJAVNOST", "L").n("POSEL", 9).n("IDPOG", 7).n("SFVP", 50);
    EXPECT_EQ(izpelji(vir).ECB_133, "10");
    // The settings change: this transfer keeps the schema it read; the next one reads anew.
    rows("UPDATE INISET SET VREDNOST = 'drugje'");
    EXPECT_EQ(izpelji(vir).ECB_133, "10");
    novPrenos();
    window.messages.clear();
    try {
        polni(vir);
        FAIL() << "a schema the bank does not have was accepted";
    } catch (const NapakaKoraka& e) {
        EXPECT_EQ(e.stevilka(), 47);
    }
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind("select ECB_133, vrsta_slabitve, ECB_42 from "
                                       "drugje.MSRP9_SLAB_34_E    where idvp=9  and idpog=7",
                                       0),
              0u);
}

TEST_F(WriteDowns, WithoutTheSettingsRowTheStatementNamesNoSchemaAndFails) {
    rows("DELETE FROM INISET");
    window.messages.clear();
    try {
        polni(Vir().t("VKNT", "2").t("DEJAVNOST", "L"));
        FAIL() << "the statement without a schema ran";
    } catch (const NapakaKoraka& e) {
        EXPECT_EQ(e.stevilka(), 47);
    }
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind("select ECB_133, vrsta_slabitve, ECB_42 from "
                                       ".MSRP9_SLAB_34_E   ",
                                       0),
              0u);
    EXPECT_EQ(kontekst().vrstica.ShemaMsrp9, "");
}

TEST_F(WriteDowns, AFailingSettingsStatementLeavesTheDefaultSchema) {
    rows("DROP TABLE INISET");
    window.messages.clear();
    const IzhodniZapis& z =
        polni(Vir().t("VKNT", "2").t("DEJAVNOST", "L").n("POSEL", 9).n("IDPOG", 7).n("SFVP", 50));
    EXPECT_EQ(z.ECB_133, "10");
    EXPECT_EQ(kontekst().vrstica.ShemaMsrp9, "skup");
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(WriteDowns, LatestDealOfType963OnTheRowsHoldingLine) {
    rows("INSERT INTO VPSHST (ZST, DAN, IDPOG, SFVP) VALUES (1, '15.03.2024', 7, 50);"
         "INSERT INTO DOG (IDDOG, IDPOG, SFVP, SFDOG, IDVP, DAN) VALUES "
         "(10, 7, 50, 963, 9, '01.03.2024')");
    const Vir vir = Vir().t("VKNT", "1").n("IDPOG", 7).n("SFVP", 50);
    EXPECT_EQ(izpelji(Vir(vir).n("POSEL", 9)).ECB_43X, "17");
    EXPECT_EQ(izpelji(Vir(vir).n("POSEL", 8)).ECB_43X, "99");
    rows("UPDATE DOG SET IDVP = 0");
    EXPECT_EQ(izpelji(vir).ECB_43X, "17"); // no holding line is line "0"
}

using WriteDownAmount = DerivationBank15Marec;

TEST_F(WriteDownAmount, CodeAndAmountOfWriteDownDeals) {
    const struct {
        const char* sfdjv;
        const char* sfglvent;
        const char* vknt;
        int sfvp;
        const char* ecb134n;
    } kode[] = {
        {"N", "", "1", 1, "2"},  {"L", "%", "1", 1, "2"},    {"L", "K", "1", 1, ""},
        {"L", "K", "A", 1, "2"}, {"L", "K", "1", 4250, "1"}, {"N", "", "A", 4250, "2"},
    };
    for (const auto& p : kode) {
        SCOPED_TRACE(std::string(p.sfdjv) + p.sfglvent + p.vknt + std::to_string(p.sfvp));
        const IzhodniZapis& z = izpelji(Vir()
                                            .t("VKNT", p.vknt)
                                            .t("SFDJV", p.sfdjv)
                                            .t("SFGLVENT", p.sfglvent)
                                            .n("SFVP", p.sfvp));
        // security 4250 ends with "2" from the last overrides, whatever this step gave
        EXPECT_EQ(z.ECB_134N, p.sfvp == 4250 ? "2" : p.ecb134n);
    }

    // Own portfolio: the write-down deals (type 916) of the holding line up to the reporting date.
    rows(
        "INSERT INTO DOG (IDDOG, SFDOG, IDPOG, IDVP, SFVP, DAN, LOT, GLVVLT, OBRVLT) VALUES "
        "(1, 916, 7, 9, 50, '01.03.2024', 2, 10, 1), (2, 916, 7, 9, 50, '15.03.2024', 1, 5, 0), "
        "(3, 916, 7, 9, 50, '16.03.2024', 100, 1, 0), (4, 915, 7, 9, 50, '01.03.2024', 100, 1, 0), "
        "(5, 916, 7, 8, 50, '01.03.2024', 100, 1, 0)");
    const Vir lastni =
        Vir().t("VKNT", "1").t("SFDJV", "L").n("IDPOG", 7).n("POSEL", 9).n("SFVP", 50);
    EXPECT_EQ(izpelji(lastni).ECB_89N, -27);
    EXPECT_EQ(izpelji(Vir(lastni).t("SFDJV", "N")).ECB_89N, 0);

    // Class A of other dealing: the write-downs linked to the F deals of the master deal's plan.
    rows("INSERT INTO DOG (IDDOG, IDVPL, SFPDG, DAN, LOT, GLVVLT, OBRVLT) VALUES "
         "(100, 40, 'N', '01.01.2024', 0, 0, 0), (101, 40, 'F', '01.01.2024', 0, 0, 0), "
         "(102, 40, 'G', '01.01.2024', 0, 0, 0), (200, NULL, NULL, '10.03.2024', 1, 100, 20), "
         "(201, NULL, NULL, '20.03.2024', 1, 1000, 0), (202, NULL, NULL, '10.03.2024', 1, 7, 0);"
         "INSERT INTO TRG_SLAB (IDDOG, IDDOGSLAB) VALUES (101, 200), (101, 201), (102, 202)");
    const Vir a = Vir().t("VKNT", "A").t("SFDJV", "N").n("IDMASTER", 100);
    EXPECT_EQ(izpelji(a).ECB_89N, -120);
    EXPECT_EQ(izpelji(Vir(a).t("VKNT", "6")).ECB_89N, 0);
}

using WriteOffs = DerivationBank15Marec;

TEST_F(WriteOffs, WriteOffMeasurementAndClosingFields) {
    const struct {
        const char* opis;
        const char* konto;
        int sfvp;
        const char* sfdjv;
        const char* sftpf;
        const char* sfglvent;
        const char* vknt;
        const char* delCel;
        double akum;
        const char* kategMer;
        double zb;
    } primeri[] = {
        {"written off", " 9901", 4250, "L", "R", "%", "1", "C", 1000000, "1", 100},
        {"written off in other dealing", "99", 4250, "N", "R", "%", "1", "C", 1000000, "1", 100},
        {"other account", "9801", 4250, "L", "R", "%", "1", "", 0, "3", 0},
        {"trading at a price", "9801", 1, "L", "R", "K", "1", "", 0, "2", 0},
        {"held to maturity", "9801", 1, "L", "H", "%", "1", "", 0, "1", 0},
        {"other portfolio", "9801", 1, "L", "T", "%", "1", "", 0, "", 0},
        {"class D", "9801", 1, "L", "T", "%", "D", "", 0, "1", 0},
        {"other dealing", "9801", 1, "N", "T", "%", "1", "", 0, "1", 0},
    };
    for (const auto& p : primeri) {
        SCOPED_TRACE(p.opis);
        const IzhodniZapis& z = izpelji(Vir()
                                            .t("KONTO", p.konto)
                                            .n("SFVP", p.sfvp)
                                            .t("SFDJV", p.sfdjv)
                                            .t("SFTPF", p.sftpf)
                                            .t("SFGLVENT", p.sfglvent)
                                            .t("VKNT", p.vknt)
                                            .t("KVALUTA", "E"),
                                        [](KontekstPrenosa& k) {
                                            k.zapis.ECB_34 = 4.25;
                                            k.zapis.NACIN_SPREM_POSLA = "x";
                                        });
        EXPECT_EQ(z.DEL_CEL_ODPIS, p.delCel);
        EXPECT_EQ(z.ZNESEK_ODPIS_AKUM, p.akum);
        EXPECT_EQ(z.KATEG_MER, p.kategMer);
        EXPECT_EQ(z.ECB_42_ZB, p.zb);
        EXPECT_EQ(z.EOM, 4.25);
        EXPECT_EQ(z.NACIN_SPREM_POSLA, "");
    }
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2").t("SFODP", "C")).ECB_40, "1");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2").t("SFODP", "c")).ECB_40, "2");
    EXPECT_EQ(izpelji(Vir().t("VKNT", "2")).ECB_40, "2");
}

} // namespace
} // namespace orv::test
