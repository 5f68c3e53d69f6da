#include "lookup/Klasifikacija.h"
#include "lookup/LookupFixture.h"
#include "lookup/Rocnost.h"

namespace orv::test {
namespace {

using KlasifikacijaTest = LookupFixture;

TEST_F(KlasifikacijaTest, ListedInstrumentsCountOnlyDKkWithAShortName) {
    rows("INSERT INTO SIF (SSF, SIF, KRT) VALUES ('LST', 'D', 'borza'), ('LST', 'K', NULL), "
         "('LST', 'k', 'kot'), ('LST', 'N', 'ne'), ('LST', 'd', 'mala'), ('OTH', 'K', 'x');"
         "INSERT INTO FIN (SFFIN, SFLST) VALUES ('A', 'D'), ('B', 'K'), ('C', 'k'), ('E', 'N'), "
         "('F', 'd'), ('G', NULL), ('''', 'D')");
    struct Case {
        const char* sffin;
        bool listed;
        const char* sflst;
    } cases[] = {
        {"A", true, "D"},  {"B", false, "K"}, // 'K' is registered without KRT
        {"C", true, "k"},  {"E", false, "N"}, // only D, K and k
        {"F", false, "d"},                    // case matters
        {"G", false, ""},  {"H", false, ""},  // no code; unknown instrument
        {"'", true, "D"},                     // a bound key may be a quote
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sffin);
        EXPECT_EQ(SteviloListFin(dm, window, c.sffin), c.listed);
        EXPECT_EQ(ListFin(dm, window, c.sffin), c.sflst);
    }
}

TEST_F(KlasifikacijaTest, ContractMarketFlag) {
    rows("INSERT INTO POG (IDPOG, BAN_TRG) VALUES (5, 'B'), (6, NULL)");
    EXPECT_EQ(BanTrg(dm, window, 5), "B");
    EXPECT_EQ(BanTrg(dm, window, 6), "");
    EXPECT_EQ(BanTrg(dm, window, 7), "");
}

TEST_F(KlasifikacijaTest, PrimaryMarketPurchase) {
    // Line 1 of contract 5, security 7, bought on 10.01.2023 by deal 11 on market 'P'.
    rows("INSERT INTO TRG (SFTRG, SFTRZ) VALUES ('P', '1'), ('S', '2');"
         "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, SFDJV) VALUES "
         "('15.03.2024', 7, 5, 1, '10.01.2023', 'L');"
         "INSERT INTO DOG (IDDOG, IDVP, DAN, IDPOG, SFVP, SFPDG, SFTRG) VALUES "
         "(11, 1, '10.01.2023', 5, 7, 'N', 'P')");
    struct Case {
        const char* name;
        const char* change;
        bool primary;
    } cases[] = {
        {"primary purchase", "", true},
        {"purchase kinds A, B, 3", "UPDATE DOG SET SFPDG = '3'", true},
        {"not a purchase", "UPDATE DOG SET SFPDG = 'X'", false},
        {"secondary market", "UPDATE DOG SET SFPDG = 'N', SFTRG = 'S'", false},
        {"line not of kind L", "UPDATE DOG SET SFTRG = 'P'; UPDATE VPHST SET SFDJV = 'K'", false},
        {"deal on another day", "UPDATE VPHST SET SFDJV = 'L'; UPDATE DOG SET DAN = '11.01.2023'",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.change) rows(c.change);
        EXPECT_EQ(PrimarniTrg(dm, window, 7, 5), c.primary);
    }
    EXPECT_FALSE(PrimarniTrg(dm, window, 7, 6));
}

TEST_F(KlasifikacijaTest, MaturityBandsBothAliasesOpenUpperBandAndNoBand) {
    rows("INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, INTERVAL_DO) VALUES "
         "('014', '02', 0, 30), ('014', '05', 31, 365), ('014', '09', 366, NULL), "
         "('015', '07', -1000, NULL)");
    struct Case {
        double days;
        int band;
    } cases[] = {
        {0, 2},  {30, 2},  {30.5, 1},              // between two bands: none holds it
        {31, 5}, {365, 5}, {366, 9},  {100000, 9}, // no upper bound
        {-1, 1},                                   // below every band
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        EXPECT_EQ(EcbSifra14(dm, window, c.days), c.band);
        EXPECT_EQ(EcbSifra15(dm, window, c.days), c.band);
    }
}

TEST_F(KlasifikacijaTest, MaturityBandWithoutAnyBandOrWithAFailingQueryIsOne) {
    EXPECT_EQ(EcbSifra14(dm, window, 10), 1);
    rows("INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD) VALUES "
         "('014', 'XX', 0)");
    EXPECT_EQ(EcbSifra15(dm, window, 10), 1); // a code that is no number
    rows("DROP TABLE ECB_SIFRANTI");
    EXPECT_EQ(EcbSifra14(dm, window, 10), 1);
    EXPECT_EQ(EcbSifra15(dm, window, 10), 1);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(KlasifikacijaTest, SecurityAttributes) {
    rows("INSERT INTO SFVP (SFVP, VRSTA_OBVEZNICE, JAMSTVO, ECB_ELIGIBLE_DN) VALUES "
         "(1, 'O', 'J', 'D'), (2, NULL, NULL, 'd'), (3, 'Z', 'N', NULL), (4, 'Z', 'N', 'N')");
    struct Case {
        int sfvp;
        const char *vrsta, *jamstvo, *eligible;
    } cases[] = {
        {1, "O", "J", "D"}, {2, "", "", "N"}, {3, "Z", "N", "N"},
        {4, "Z", "N", "N"}, {5, "", "", "N"}, // not registered
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sfvp);
        EXPECT_EQ(VrstaObveznice(dm, window, c.sfvp), c.vrsta);
        EXPECT_EQ(BeriJamstvo(dm, window, c.sfvp), c.jamstvo);
        EXPECT_EQ(ELIGIBLE(dm, window, c.sfvp), c.eligible);
    }
}

TEST_F(KlasifikacijaTest, ListedHoldingLine) {
    rows("INSERT INTO VPHST (DAN, SFVP, IDVP, SFSVP, DANNKP, LOT, IDDOGGEN) VALUES "
         "('15.03.2024', 7, 1, 'L', '10.01.2023', 40, 11),"
         "('15.03.2024', 7, 2, 'K', '11.01.2023', 50, 12),"
         "('14.03.2024', 7, 3, 'L', '12.01.2023', 60, 13)");
    int iddoggen = -1;
    EXPECT_EQ(BeriVPHST112(dm, window, 7, 1), "10.01.2023");
    EXPECT_EQ(BeriVPHSTlot(dm, window, 7, 1, iddoggen), 40);
    EXPECT_EQ(iddoggen, 11);
    for (int idvp : {2, 3, 4}) { // not listed; another day; missing
        SCOPED_TRACE(idvp);
        iddoggen = -1;
        EXPECT_EQ(BeriVPHST112(dm, window, 7, idvp), "");
        EXPECT_EQ(BeriVPHSTlot(dm, window, 7, idvp, iddoggen), 0);
        EXPECT_EQ(iddoggen, 0);
    }
}

TEST_F(KlasifikacijaTest, DealTypeAndRatingClass) {
    rows("INSERT INTO DOG (IDDOG, SFDOG) VALUES (11, 248);"
         "INSERT INTO OSB (KRTBNK, SFBON) VALUES ('00004790', 'A1'), ('O''NEIL', 'B'), "
         "('00000001', NULL)");
    EXPECT_EQ(BeriDogSfdog(dm, window, 11), 248);
    EXPECT_EQ(BeriDogSfdog(dm, window, 12), 0);
    EXPECT_EQ(PosebniSfbon(dm, window, "00004790"), "A1");
    EXPECT_EQ(PosebniSfbon(dm, window, "O'NEIL"), "B");
    EXPECT_EQ(PosebniSfbon(dm, window, "00000001"), "");
    EXPECT_EQ(PosebniSfbon(dm, window, "99999999"), "");
    EXPECT_EQ(PosebniSfbon(dm, window, "x' OR 'a'='a"), "");
    EXPECT_TRUE(window.messages.empty());
}

} // namespace
} // namespace orv::test
