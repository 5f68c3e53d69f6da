#include "lookup/Imetja.h"
#include "lookup/Kuponi.h"
#include "lookup/LookupFixture.h"

namespace orv::test {
namespace {

struct ImetjaTest : LookupFixture {
    ImetjaTest() {
        // Security 7 on 15.03.2024: contract 5 holds lines 1 and 2, contract 6 line 3; line 4
        // is of another day.
        rows("INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, GLVTCJNKP) VALUES "
             "('15.03.2024', 7, 5, 1, '10.01.2023', 100, 98),"
             "('15.03.2024', 7, 5, 2, '20.06.2023', 30, 100),"
             "('15.03.2024', 7, 6, 3, '01.02.2024', 5, 0),"
             "('14.03.2024', 7, 5, 4, '01.01.2020', 1000, 50)");
    }
};

TEST_F(ImetjaTest, PurchaseDates) {
    KontekstVrstice kontekst;
    RacunajDanNKP(dm, window, kontekst, 7, 5);
    EXPECT_EQ(kontekst.DanNKP, encodeDate(2023, 1, 10));
    RacunajDanNKP(dm, window, kontekst, 7, 9);
    EXPECT_EQ(kontekst.DanNKP, 0.0); // holds nothing: the zero date
    EXPECT_EQ(RacunajDanNKPMAX(dm, window, 7, 5), encodeDate(2023, 6, 20));
    EXPECT_EQ(RacunajDanNKPMIN(dm, window, 7, 5), encodeDate(2023, 1, 10));
    EXPECT_EQ(RacunajDanNKPMAX(dm, window, 7, 6), encodeDate(2024, 2, 1));
    EXPECT_EQ(RacunajDanNKPMIN(dm, window, 8, 5), 0.0);
}

TEST_F(ImetjaTest, QuantityOfAllLinesOrOfOne) {
    struct Case {
        int idvp, idpog;
        double lot;
    } cases[] = {
        {0, 0, 135},   // every line of the security on the day
        {0, 5, 130},   // every line of one contract
        {-1, -1, 135}, // 0 or less means all
        {2, 0, 30},    // one line
        {2, 5, 30},    // one line of its contract
        {2, 6, 0},     // a line of another contract
        {4, 0, 0},     // a line of another day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.idvp) + "/" + std::to_string(c.idpog));
        EXPECT_EQ(KolicinaVP(dm, window, 7, c.idvp, c.idpog), c.lot);
    }
}

// --- Yield ------------------------------------------------------------------------------

struct YieldTest : LookupFixture {
    YieldTest() {
        rows("INSERT INTO SFVP (SFVP, SFFIN) VALUES (7, 'B');"
             "INSERT INTO FIN (SFFIN, SFLST) VALUES ('B', 'D');"
             "INSERT INTO SIF (SSF, SIF) VALUES ('LST', 'D'), ('LST', 'K'), ('LST', 'X'), "
             "('OTH', 'Y');"
             "INSERT INTO KPN (SFVP, PRVDAN, ZDNDAN, OBRPRC) VALUES "
             "(7, '01.01.2024', '31.12.2024', 0);"
             "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, GLVTCJNKP) VALUES "
             "('15.03.2024', 7, 5, 1, '10.01.2023', 100)");
    }
    double yield(double obrprc, double revalObrm, int sfobd, const char* listing, double price) {
        rows("UPDATE KPN SET OBRPRC = " + std::to_string(obrprc) + ";" +
             "UPDATE FIN SET SFLST = '" + listing + "';" +
             "UPDATE VPHST SET GLVTCJNKP = " + std::to_string(price));
        BeriKupon(dm, window, 7);
        KontekstVrstice kontekst;
        kontekst.REVAL_OBRM = revalObrm;
        return NabavniTecajNKP(dm, window, kontekst, 7, sfobd, 5, 1, encodeDate(2024, 3, 15),
                               danNakupa);
    }
    DateValue danNakupa = -1;
};

TEST_F(YieldTest, EffectiveAnnualYield) {
    struct Case {
        const char* name;
        double obrprc, revalObrm;
        int sfobd;
        const char* listing;
        double price, yield;
    } cases[] = {
        {"monthly", 12, 0, 1, "D", 98, 12.6825},
        {"monthly, rate plus index", 10, 2, 1, "D", 98, 12.6825},
        {"quarterly", 8, 0, 3, "D", 98, 8.2432},
        {"half-yearly: one period of twice the rate", 5, 0, 6, "D", 98, 10},
        {"yearly", 5, 0, 12, "D", 98, 5},
        {"unknown period code: once a year", 5, 0, 7, "D", 98, 5},
        {"K at par is D", 12, 0, 1, "K", 100, 12.6825},
        {"K below par", 5, 0, 12, "K", 50, 10},
        {"K at price 0: no yield", 12, 0, 1, "K", 0, 0},
        {"listing code not D or K", 12, 0, 1, "X", 98, 0},
        {"listing code not in list LST", 12, 0, 1, "Y", 98, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(yield(c.obrprc, c.revalObrm, c.sfobd, c.listing, c.price), c.yield);
        EXPECT_EQ(danNakupa, encodeDate(2023, 1, 10));
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(YieldTest, WithoutAHoldingLineThePriceIsZero) {
    rows("DELETE FROM VPHST");
    EXPECT_EQ(yield(12, 0, 1, "D", 0), 12.6825);
    EXPECT_EQ(danNakupa, 0.0);
    EXPECT_EQ(yield(12, 0, 1, "K", 0), 0.0);
}

} // namespace
} // namespace orv::test
