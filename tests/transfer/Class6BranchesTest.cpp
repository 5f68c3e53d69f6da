// Branches 8 and 10: class 6 deals of kind Z and the zero rows of the reporting month.

#include "SourceBank.h"

#include <gmock/gmock.h>

namespace orv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

class Class6Branches : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        konto(660, "6");
    }
    void povezi(long master, long detail, const char* vrsta) {
        exec("INSERT INTO DOGLNK (IDDOGMASTER, IDDOGDETAIL, SFLNK) VALUES (" +
             std::to_string(master) + ", " + std::to_string(detail) + ", '" + vrsta + "')");
    }
};

TEST_F(Class6Branches, Branch8OutstandingAmountOfTheDeal) {
    exec("INSERT INTO SFVP (SFVP, KRT) VALUES (3, 'VP_S')");
    posel(Posel(70, "Z", "01.02.2024").zlz(-1000).zpd("01.02.2026"));
    posel(Posel(71, "z", "01.06.2024").zlz(400));
    povezi(70, 71, "C");
    posel(Posel(72, "z", "01.06.2024").zlz(100)); // another link kind
    povezi(70, 72, "X");
    posel(Posel(73, "z", "01.01.2025").zlz(50)); // after the reporting day
    povezi(70, 73, "C");
    posel(Posel(74, "Z", "01.06.2024").zlz(10)); // kind Z, not z
    povezi(70, 74, "C");
    knjizi(Knjizba(660, "10.02.2024", 5).idpog(1).idmaster(70).vp(3));
    knjizi(Knjizba(660, "15.03.2010", 7).idpog(1).idmaster(70).vp(3));
    knjizi(Knjizba(660, "15.03.2006", 9).idpog(1).idmaster(70).vp(3)); // before 2007

    posel(Posel(80, "Z", "01.02.2024").zlz(500)); // repaid in full
    posel(Posel(81, "z", "31.12.2024").zlz(500));
    povezi(80, 81, "C");
    knjizi(Knjizba(660, "10.02.2024", 5).idpog(2).idmaster(80));
    posel(Posel(90, "Z", "01.01.2025").zlz(500)); // dated after the reporting day
    knjizi(Knjizba(660, "10.02.2024", 5).idpog(3).idmaster(90));
    posel(Posel(95, "K", "01.02.2024").zlz(500)); // another kind
    knjizi(Knjizba(660, "10.02.2024", 5).idpog(4).idmaster(95));

    const Vrstice vrstice = veja(8);
    ASSERT_EQ(vrstice.size(), 1u);
    const Vrstica& v = vrstice[0];
    EXPECT_EQ(v["IDPOG"], "1");
    // 1000 less 400, once for each of the two postings in the window.
    EXPECT_EQ(v["ZNESEK1"], "1200");
    EXPECT_EQ(v["ZNESEK"], "1200");
    EXPECT_EQ(v["DOGZPD"], "01.02.2026");
    EXPECT_EQ(v["SFVPKRT"], "VP");
}

class Class6Month : public Class6Branches {
protected:
    void SetUp() override {
        Class6Branches::SetUp();
        window.options.eDanText = "15.6.2024"; // the date edit's text, used as typed
    }
};

TEST_F(Class6Month, Branch10ZeroRowsOfMonthsThatDoNotNetToZero) {
    exec("INSERT INTO SFVP (SFVP, KRT) VALUES (3, 'VP_S')");
    knjizi(Knjizba(660, "20.06.2024", 100).idpog(1).vp(3).idvp(4));
    knjizi(Knjizba(660, "05.06.2024", 100).idpog(2));
    knjizi(Knjizba(660, "10.06.2024", -100).idpog(2)); // nets to zero
    knjizi(Knjizba(660, "31.05.2024", 100).idpog(3));
    knjizi(Knjizba(660, "01.07.2024", 100).idpog(4));
    knjizi(Knjizba(660, "10.06.2024", 100).idpog(5));
    posel(Posel(50, "Z", "01.01.2024").idobd(2).idpog(5).zlz(50));
    knjizi(Knjizba(660, "10.06.2024", 100).idpog(6));
    posel(Posel(60, "Z", "01.01.2024").idobd(2).idpog(6).zlz(50));
    posel(Posel(61, "Z", "01.02.2024").idobd(2).idpog(6).zlz(-50));
    knjizi(Knjizba(660, "10.06.2024", 100).idpog(7).idobd(-1));
    const Vrstice vrstice = veja(10);
    EXPECT_THAT(stolpec(vrstice, "IDPOG"), UnorderedElementsAre("1", "6"));
    for (const Vrstica& v : vrstice) {
        EXPECT_EQ(v["ZNESEK1"], "0");
        EXPECT_EQ(v["ZNESEK"], "0");
    }
    EXPECT_THAT(stolpec(kjer(vrstice, "IDPOG", "1"), "SFVPKRT"), ElementsAre("4VP"));
}

} // namespace
} // namespace orv::test
