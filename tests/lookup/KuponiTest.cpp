#include "lookup/Kuponi.h"
#include "lookup/LookupFixture.h"

#include <climits>

namespace orv::test {
namespace {

struct KuponiTest : LookupFixture {
    KuponiTest() {
        // Security 7: two quarterly periods; security 8 has none.
        rows("INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, PRVDANTRG, ZDNDANTRG, SFOBD, SFINX, "
             "REFOBM, GLVOBR, OBRPRC, OBROBR) VALUES "
             "(7, 1, '01.01.2024', '31.03.2024', '02.01.2024', '29.03.2024', 3, 'EUR3M', 'R', "
             "1000, 4.5, 11.25),"
             "(7, 2, '01.04.2024', '30.06.2024', '02.04.2024', '28.06.2024', 3, 'EUR3M', 'R', "
             "1000, 5, 12.5)");
    }
};

TEST_F(KuponiTest, CoveringPeriodIncludesBothEnds) {
    struct Case {
        const char* reportingDay;
        const char* zdndan;
        double obrprc;
    } cases[] = {
        {"01.01.2024", "31.03.2024", 4.5},
        {"15.03.2024", "31.03.2024", 4.5},
        {"31.03.2024", "31.03.2024", 4.5},
        {"01.04.2024", "30.06.2024", 5},
        {"30.06.2024", "30.06.2024", 5},
        {"01.07.2024", "", 0},
        {"31.12.2023", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reportingDay);
        window.options.eDanText = c.reportingDay;
        BeriKupon(dm, window, 7);
        // The row stays open for the derivation; without a covering period it is one empty row.
        ASSERT_TRUE(dm.Qkpn.Active());
        EXPECT_EQ(dm.Qkpn.RecordCount(), 1);
        EXPECT_EQ(dm.Qkpn.FieldByName("ZDNDAN").AsString(), c.zdndan);
        EXPECT_EQ(dm.Qkpn.FieldByName("OBRPRC").AsFloat(), c.obrprc);
        EXPECT_EQ(dm.Qkpn.FieldByName("SFOBD").AsInteger(), *c.zdndan ? 3 : 0);
        EXPECT_EQ(dm.Qkpn.FieldByName("SFINX").AsString(), *c.zdndan ? "EUR3M" : "");
    }
}

TEST_F(KuponiTest, EndOfThePeriodCoveringADate) {
    EXPECT_EQ(ZadnjiDanKupona(dm, window, 7, encodeDate(2024, 3, 31)), "31.03.2024");
    EXPECT_EQ(ZadnjiDanKupona(dm, window, 7, encodeDate(2024, 4, 1)), "30.06.2024");
    EXPECT_EQ(ZadnjiDanKupona(dm, window, 7, encodeDate(2024, 7, 1)), "");
    EXPECT_EQ(ZadnjiDanKupona(dm, window, 8, encodeDate(2024, 3, 1)), "");
    EXPECT_EQ(ZadnjiDanKupona(dm, window, 7, 0), ""); // no purchase date
}

TEST_F(KuponiTest, CouponScheduleDayCounts) {
    KontekstVrstice kontekst;
    RacunajSteviloDni(dm, window, kontekst, 7);
    EXPECT_EQ(kontekst.PrviDanKPN, "01.01.2024");
    EXPECT_EQ(kontekst.DniKPN, 181.0);          // 01.01.2024 to 30.06.2024
    EXPECT_EQ(kontekst.PreostaliDniKPN, 107.0); // 15.03.2024 to 30.06.2024
    ASSERT_TRUE(dm.Qkpn2.Active());
    EXPECT_EQ(dm.Qkpn2.FieldByName("PRVDAN").AsString(), "01.01.2024");
}

TEST_F(KuponiTest, CouponScheduleOfASecurityWithoutPeriods) {
    KontekstVrstice kontekst;
    kontekst.PrviDanKPN = "from an earlier row";
    kontekst.DniKPN = kontekst.PreostaliDniKPN = 99;
    RacunajSteviloDni(dm, window, kontekst, 8);
    // Empty texts read as the reporting date, so both differences are 0.
    EXPECT_EQ(kontekst.PrviDanKPN, "");
    EXPECT_EQ(kontekst.DniKPN, 0.0);
    EXPECT_EQ(kontekst.PreostaliDniKPN, 0.0);
}

TEST_F(KuponiTest, FirstPeriodsTradingStart) {
    EXPECT_EQ(BeriPrvDan1(dm, window, 7), "02.01.2024");
    EXPECT_EQ(BeriPrvDan1(dm, window, 8), "");
}

TEST(RazlikaDni, WholeDaysRoundedUp) {
    struct Case {
        DateValue from, to;
        int days;
    } cases[] = {
        {encodeDate(2024, 1, 1), encodeDate(2024, 1, 31), 30},
        {encodeDate(2024, 1, 1), encodeDate(2024, 1, 31) + 0.25, 31}, // a partial day counts
        {encodeDate(2024, 1, 31), encodeDate(2024, 1, 1), -30},
        {encodeDate(2024, 1, 31), encodeDate(2024, 1, 1) + 0.5, -29},
        {encodeDate(2024, 3, 1), encodeDate(2024, 3, 1), 0},
        {0, static_cast<double>(INT_MAX), INT_MAX},
        {-1, static_cast<double>(INT_MAX), 0}, // beyond 32 bits
        {0, 1e300, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RazlikaDni(c.from, c.to), c.days) << c.from << " " << c.to;
}

} // namespace
} // namespace orv::test
