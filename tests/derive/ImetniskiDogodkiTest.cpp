// Holding events, the guarantee code, the month's movement with its once-per-transfer rule for
// class A, the holding's market value and the year's movements, the holding value and ECB_53.

#include "derive/DerivationBank.h"

#include "derive/Koraki.h"

#include "derive/PolniPodatke.h"

namespace orv::test {
namespace {

using HoldingEvents = DerivationBank15Marec;

// A security row of class 1 on contract 7 and security 50, holding line 9.
Vir vrsticaImetja(const std::string& vknt = "1") {
    return Vir().t("VKNT", vknt).n("IDPOG", 7).n("SFVP", 50).n("POSEL", 9).t("KVALUTA", "E");
}

TEST_F(HoldingEvents, LatestQualifyingDealOfTheHoldingGivesTheEventCode) {
    // Deals of contract 7 in security 50: the latest day up to the reporting date (15.03.2024)
    // has two qualifying deals; the higher IDDOG wins. A later deal and other types do not count.
    rows("INSERT INTO DOG (IDDOG, IDPOG, SFVP, SFDOG, IDVP, DAN) VALUES "
         "(500, 7, 50, 300, NULL, '01.01.2024'), "
         "(10, 7, 50, 248, 4, '01.02.2024'), (21, 7, 50, 908, 5, '10.03.2024'), "
         "(20, 7, 50, 909, 6, '10.03.2024'), (30, 7, 50, 249, 7, '16.03.2024'), "
         "(40, 7, 50, 100, 8, '14.03.2024');"
         "INSERT INTO VPSHST (ZST, DAN, IDPOG, SFVP) VALUES (3, '15.03.2024', 7, 50)");
    izpelji(vrsticaImetja().n("IDMASTER", 500));
    EXPECT_EQ(kontekst().zapis.ECB_43X, "02");
    EXPECT_EQ(kontekst().vrstica.SfdogPosla, "908");
    EXPECT_EQ(kontekst().vrstica.IdvpPosla, "5");
}

struct DogodekPrimer {
    const char* opis;
    const char* vknt;
    double zst;        // the holding state on the reporting date; < 0: no state row
    const char* posli; // deals of contract 7 in security 50 besides the master deal 500
    const char* ecb43x;
    const char* sfdogPosla;
};

const DogodekPrimer kDogodki[] = {
    {"no holding state keeps the master deal type", "1", -1, "", "99", "300"},
    {"state 0 keeps the master deal type", "1", 0, "(10, 248, 4, '01.02.2024')", "99", "300"},
    {"a state without a qualifying deal empties the deal type", "1", 2,
     "(10, 100, 4, '01.02.2024')", "99", ""},
    {"type 248", "F", 2, "(10, 248, 4, '01.02.2024')", "15", "248"},
    {"type 249", "2", 2, "(10, 249, 4, '01.02.2024')", "15", "249"},
    {"type 909", "9", 2, "(10, 909, 4, '01.02.2024')", "02", "909"},
    {"type 963 has no code of its own here", "5", 2, "(10, 963, 4, '01.02.2024')", "99", "963"},
    {"a deal after the reporting date does not count", "7", 2, "(10, 248, 4, '16.03.2024')", "99",
     ""},
    {"class 3 runs nothing", "3", 2, "(10, 248, 4, '01.02.2024')", "99", "300"},
    {"class A runs nothing", "A", 2, "(10, 248, 4, '01.02.2024')", "99", "300"},
};

TEST_F(HoldingEvents, EventCodeCases) {
    rows("INSERT INTO DOG (IDDOG, SFDOG, DAN) VALUES (500, 300, '01.01.2024')");
    for (const DogodekPrimer& p : kDogodki) {
        SCOPED_TRACE(p.opis);
        rows("DELETE FROM VPSHST; DELETE FROM DOG WHERE IDDOG <> 500;");
        if (p.zst >= 0)
            rows("INSERT INTO VPSHST (ZST, DAN, IDPOG, SFVP) VALUES (" + std::to_string(p.zst) +
                 ", '15.03.2024', 7, 50)");
        if (*p.posli) {
            std::string posel = p.posli;
            posel.insert(posel.find(',') + 1, " 7, 50,");
            rows("INSERT INTO DOG (IDDOG, IDPOG, SFVP, SFDOG, IDVP, DAN) VALUES " + posel);
        }
        izpelji(vrsticaImetja(p.vknt).n("IDMASTER", 500));
        EXPECT_EQ(kontekst().zapis.ECB_43X, p.ecb43x);
        EXPECT_EQ(kontekst().vrstica.SfdogPosla, p.sfdogPosla);
    }
}

TEST_F(HoldingEvents, FailingDealStatementIsShownTwice) {
    rows("INSERT INTO VPSHST (ZST, DAN, IDPOG, SFVP) VALUES (1, '15.03.2024', 7, 50);"
         "DROP TABLE DOG");
    window.messages.clear();
    Vir vir = vrsticaImetja();
    odpriVir(vir);
    KontekstPrenosa& k = kontekst();
    EXPECT_THROW(orv::koraki::Ecb43X(k), std::exception);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0], window.messages[1]);
    EXPECT_NE(window.messages[0].find(" SELECT sfdog, idvp  FROM dog  WHERE idpog = :idpog "),
              std::string::npos);
}

TEST_F(HoldingEvents, FailingStateStatementIsShownOnceAndEndsTheDerivation) {
    rows("DROP TABLE VPSHST");
    window.messages.clear();
    try {
        polni(vrsticaImetja());
        FAIL() << "the derivation went on";
    } catch (const NapakaKoraka& e) {
        EXPECT_EQ(e.stevilka(), 34);
    }
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], "SELECT vpshst.zst zst  FROM vpshst  WHERE  vpshst.dan= "
                                  ":dat_stanje  and vpshst.idpog= :pogodba  and vpshst.sfvp= "
                                  ":sfvp ");
}

struct JamstvoPrimer {
    const char* vknt;
    const char* vrsta;
    double zajamcena;
    int kkonto;
    const char* ecb116;
};

TEST_F(HoldingEvents, GuaranteeCodeCases) {
    const JamstvoPrimer primeri[] = {
        {"6", "", 0, 100, "3"},    {"A", "1", 100, 100, ""},    {"D", "1", 100, 100, ""},
        {"1", "1", 100, 100, "1"}, {"F", "F", 99.99, 100, "2"}, {"9", "2", 100, 100, "3"},
        {"B", "f", 100, 100, "3"}, {"E", "1", 150, 100, "1"},   {"A", "", 0, 257, "3"},
        {"4", "1", 100, 379, "3"}, {"4", "1", 100, 100, ""},
    };
    for (const JamstvoPrimer& p : primeri) {
        SCOPED_TRACE(std::string(p.vknt) + " " + p.vrsta + " " + std::to_string(p.zajamcena));
        const IzhodniZapis& z = izpelji(Vir()
                                            .t("VKNT", p.vknt)
                                            .t("VRSTA_OBVEZNICE", p.vrsta)
                                            .n("ZAJAMCENA_OM", p.zajamcena)
                                            .n("KKONTO", p.kkonto));
        EXPECT_EQ(z.ECB_116, p.ecb116);
    }
}

class MonthMovement : public DerivationBank15Marec {
protected:
    MonthMovement() {
        // February of a leap year: the month runs from 01.02.2024 to 29.02.2024.
        window.options.eDanText = "29.02.2024";
        rows("INSERT INTO SIFKONT (CTRL, OZNAKA, AKT_PAS) VALUES (100, 'K100', 'A'), "
             "(200, 'K200', 'P');"
             "INSERT INTO DOG (IDDOG, SFPDG) VALUES (1, 'N'), (2, 'V'), (3, 'T');");
    }
    /// A posting of `debit` minus `credit` in domestic currency.
    void knjizba(int konto, const std::string& datumv, double breme, double dobro,
                 const std::string& ostalo = "IDPOG, VP, IDVP, VALUTA, IDMASTER, IDOBD",
                 const std::string& vrednosti = "7, 50, 9, 'E', 1, 1") {
        rows("INSERT INTO KNJIZBE (KONTO, DATUMV, BZNESEKSIT, DZNESEKSIT, " + ostalo +
             ") VALUES (" + std::to_string(konto) + ", '" + datumv + "', " + std::to_string(breme) +
             ", " + std::to_string(dobro) + ", " + vrednosti + ")");
    }
};

TEST_F(MonthMovement, CoversTheWholeReportingMonthOfAnAssetAccount) {
    knjizba(100, "01.02.2024", 100, 0);
    knjizba(100, "29.02.2024", 0, 30);
    knjizba(100, "31.01.2024", 1000, 0);
    knjizba(100, "01.03.2024", 1000, 0);
    // other contract, security, holding line; a negative period; a deal of type V
    knjizba(100, "10.02.2024", 1000, 0, "IDPOG, VP, IDVP, VALUTA, IDMASTER, IDOBD",
            "8, 50, 9, 'E', 1, 1");
    knjizba(100, "10.02.2024", 1000, 0, "IDPOG, VP, IDVP, VALUTA, IDMASTER, IDOBD",
            "7, 51, 9, 'E', 1, 1");
    knjizba(100, "10.02.2024", 1000, 0, "IDPOG, VP, IDVP, VALUTA, IDMASTER, IDOBD",
            "7, 50, 8, 'E', 1, 1");
    knjizba(100, "10.02.2024", 1000, 0, "IDPOG, VP, IDVP, VALUTA, IDMASTER, IDOBD",
            "7, 50, 9, 'E', 1, -1");
    knjizba(100, "10.02.2024", 5, 0, "IDPOG, VP, IDVP, VALUTA, IDMASTER, IDOBD",
            "7, 50, 9, 'E', 2, 1");
    const Vir vir = Vir().n("IDPOG", 7).n("SFVP", 50).n("POSEL", 9).n("KKONTO", 100);
    // Class 2 counts the deal of type V; class 1 leaves it out; class F carries nothing.
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "2")).ECB_51, 75);
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "1")).ECB_51, 70);
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "F")).ECB_51, 0);
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "D")).ECB_51, 0);
    // Without a holding line every line of the contract's security counts.
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "2").t("POSEL", "")).ECB_51, 1075);
}

TEST_F(MonthMovement, LiabilityAccountsOfTheCurrencyClassesCountCreditMinusDebit) {
    knjizba(200, "05.02.2024", 10, 110, "IDPOG, VP, VALUTA, IDMASTER, IDOBD", "7, 50, 'U', 1, 1");
    knjizba(200, "06.02.2024", 0, 7, "IDPOG, VP, VALUTA, IDMASTER, IDOBD", "8, 51, 'U', 3, 1");
    knjizba(200, "06.02.2024", 0, 1000, "IDPOG, VP, VALUTA, IDMASTER, IDOBD", "7, 50, 'E', 1, 1");
    const Vir vir = Vir().n("IDPOG", 7).n("SFVP", 50).n("KKONTO", 200).t("KVALUTA", "U");
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "B").t("GRUPIRAJ", "N")).ECB_51, 100);
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "C").t("GRUPIRAJ", "D")).ECB_51, 107);
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "3").n("IDMASTER", 3)).ECB_51, 7);
    EXPECT_EQ(izpelji(Vir(vir).t("VKNT", "6")).ECB_51, 100);
}

TEST_F(MonthMovement, ClassARowsCarryTheMovementOncePerTransfer) {
    knjizba(200, "05.02.2024", 0, 12, "IDPOG, VALUTA, IDOBD", "7, 'U', 1");
    knjizba(200, "05.02.2024", 0, 0.005, "IDPOG, VALUTA, IDOBD", "8, 'U', 1");
    const Vir a7 = Vir().t("VKNT", "A").n("IDPOG", 7).n("KKONTO", 200).t("KVALUTA", "U");
    const Vir a8 = Vir(a7).n("IDPOG", 8);
    // A movement below 0.01 is kept and does not enter the seen list.
    EXPECT_DOUBLE_EQ(izpelji(a8).ECB_51, 0.005);
    EXPECT_DOUBLE_EQ(izpelji(a8).ECB_51, 0.005);
    EXPECT_EQ(kontekst().obdelani.velikost(), 0u);
    EXPECT_EQ(izpelji(a7).ECB_51, 12);
    EXPECT_EQ(izpelji(a7).ECB_51, 0);
    EXPECT_EQ(izpelji(Vir(a7).t("KVALUTA", "E")).ECB_51, 0); // no movement in E: nothing to keep
    EXPECT_EQ(kontekst().obdelani.velikost(), 1u);
    // A new transfer starts with an empty seen list.
    novPrenos();
    EXPECT_EQ(izpelji(a7).ECB_51, 12);
}

class MarketValue : public DerivationBank15Marec {
protected:
    MarketValue() {
        rows("INSERT INTO TCN (SFVP, DAN, TCN) VALUES (50, '01.03.2024', 101.5), "
             "(50, '16.03.2024', 200);"
             "INSERT INTO POG (IDPOG, SFTPF) VALUES (7, 'H');");
    }
};

TEST_F(MarketValue, HoldingAtThePriceOfTheDayPlusInterestAndRevaluation) {
    // 2 lots of nominal 1000 at GLVTCJ 100: 2 x 10 x 101.5 + 2 x (1 + 0.5), in rate 2: 1016.5.
    rows("INSERT INTO VPHST (DAN, IDPOG, SFVP, IDVP, LOT, GLVTCJ, GLVVLT, OBRVLT, REVVLT, TCJVLT) "
         "VALUES ('15.03.2024', 7, 50, 9, 2, 100, 1000, 1, 0.5, 2), "
         "('15.03.2024', 7, 50, 10, 1, 0, 1000, 1, 0.5, 1), "
         "('15.03.2024', 7, 50, 11, 1, 100, 1000, 0, 0, NULL), "
         "('14.03.2024', 7, 50, 9, 5, 100, 1000, 0, 0, 1)");
    EXPECT_DOUBLE_EQ(izpelji(vrsticaImetja()).ECB_52, 1016.5);
    EXPECT_EQ(izpelji(vrsticaImetja().n("POSEL", 10)).ECB_52, 0); // a line without a price
    EXPECT_DOUBLE_EQ(izpelji(vrsticaImetja().n("POSEL", 11)).ECB_52, 1015);
    // every line: grouped by price, the line at price 0 adds 0
    EXPECT_DOUBLE_EQ(izpelji(vrsticaImetja().t("POSEL", "")).ECB_52, 2031.5);
    EXPECT_EQ(izpelji(vrsticaImetja().n("IDPOG", 8)).ECB_52, 0);
    EXPECT_EQ(izpelji(vrsticaImetja()).ECB_164N, 0);
}

TEST_F(MarketValue, SavesItsStatementWhileDebugSqlIsOn) {
    window.options.DebugSQL = true;
    izpelji(vrsticaImetja());
    EXPECT_NE(programFile("ECB_52.sql").find("NVL(qev_gettcn2(vphst.sfvp,vphst.dan),0)"),
              std::string::npos);
    EXPECT_NE(programFile("ECB_52.sql").find(" AND vphst.idvp=9 GROUP BY vphst.idpog, "),
              std::string::npos);
}

TEST_F(MarketValue, TradingContractCarriesTheYearsMovementsOfSixClasses) {
    rows("UPDATE POG SET SFTPF = 'R';"
         "INSERT INTO SIFKONT (CTRL, DEVIZEN) VALUES (100, 'N'), (101, 'D');"
         "INSERT INTO MATRIKA (CTRL, VKNT, VPRC) VALUES (11, '1', '3'), (12, '2', '3'), "
         "(15, '5', '3'), (19, '9', '3'), (16, 'F', '3'), (17, 'G', '3'), (18, 'G', '1'), "
         "(14, '4', '3');"
         "INSERT INTO KNJIZBE (KONTO, IDVP, DATUMV, BZNESEKSIT, DZNESEKSIT, BZNESEK, DZNESEK) "
         "VALUES (11, 9, '02.01.2024', 1, 0, 10, 0), (12, 9, '02.01.2024', 2, 0, 20, 0), "
         "(15, 9, '02.01.2024', 4, 0, 40, 0), (19, 9, '15.03.2024', 8, 0, 80, 0), "
         "(16, 9, '02.01.2024', 16, 0, 160, 0), (17, 9, '02.01.2024', 32, 0, 320, 0), "
         "(18, 9, '02.01.2024', 64, 0, 640, 0), (14, 9, '02.01.2024', 128, 0, 1280, 0), "
         "(11, 9, '31.12.2023', 256, 0, 2560, 0), (11, 9, '16.03.2024', 512, 0, 5120, 0), "
         "(11, 8, '02.01.2024', 1024, 0, 10240, 0)");
    Vir r = vrsticaImetja().t("SFTPF", "R").n("KKONTO", 100);
    const IzhodniZapis& domaci = izpelji(r);
    EXPECT_EQ(domaci.ECB_52, 63);
    EXPECT_EQ(domaci.ECB_164N, 36);
    EXPECT_EQ(kontekst().vrstica.DevizenVrstice, "N");
    // A foreign-currency account: the transaction amounts divided by the row's rate (1 for E).
    const IzhodniZapis& devizni = izpelji(r.n("KKONTO", 101));
    EXPECT_EQ(devizni.ECB_52, 630);
    EXPECT_EQ(devizni.ECB_164N, 360);
}

TEST_F(HoldingEvents, HoldingValueAndCode53) {
    // What step 21 leaves open: the coupon's principal and the lots held.
    const Priprava vsoteImetja = [this](KontekstPrenosa&) {
        dm.OdpriPoizvedbo(dm.QKpnglv, "SELECT 1000 glv FROM dual");
        dm.OdpriPoizvedbo(dm.Qvpshstkpn, "SELECT 3 lot FROM dual");
    };
    const Vir lastni =
        Vir().t("VKNT", "1").t("DEJAVNOST", "L").t("SFGLVENT", "%").t("KVALUTA", "E");
    EXPECT_EQ(izpelji(lastni, vsoteImetja).ECB_29N, 3000);
    EXPECT_EQ(izpelji(Vir(lastni).t("SFGLVENT", "K"), vsoteImetja).ECB_29N, 0);
    EXPECT_EQ(izpelji(Vir(lastni).t("DEJAVNOST", "N"), vsoteImetja).ECB_29N, 0);
    EXPECT_EQ(izpelji(Vir(lastni).n("SFVP", 6122), vsoteImetja).ECB_29N, 200000);
    EXPECT_EQ(izpelji(Vir().t("VKNT", "1").n("SFVP", 6122)).ECB_29N, 200000);

    struct {
        const char* sfdjv;
        const char* sfkdl;
        const char* ecb53;
    } const kode[] = {{"L", "P", ""},  {"L", "X", ""}, {"N", "P", "1"},
                      {"N", "X", "2"}, {"", "", "2"},  {"l", "P", "1"}};
    for (const auto& p : kode) {
        SCOPED_TRACE(std::string(p.sfdjv) + "/" + p.sfkdl);
        EXPECT_EQ(izpelji(Vir().t("VKNT", "2").t("SFDJV", p.sfdjv).t("SFKDL", p.sfkdl)).ECB_53,
                  p.ecb53);
    }
}

} // namespace
} // namespace orv::test
