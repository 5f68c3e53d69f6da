// Branch 12: class D, two inner selections summed per label, security, class and contract.

#include "SourceBank.h"

#include <gmock/gmock.h>

namespace orv::test {
namespace {

using ::testing::UnorderedElementsAre;

class ClassDBranch : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        konto(400, "D");
        exec("INSERT INTO VPL (IDVPL, ST) VALUES (3, 'PL7'), (4, 'PL8')");
        // Contract 1: two master deals whose parents have no payment plan.
        posel(Posel(65, "K", "05.05.2023").zpd("01.01.2030"));
        posel(Posel(66, "K", "06.05.2023").zpd("01.01.2031"));
        posel(Posel(60, "K", "01.01.2024").sfdog(100).iddoggot(65));
        posel(Posel(61, "K", "01.01.2024").sfdog(100).iddoggot(66));
        knjizi(Knjizba(400, "31.01.2024", 100).idpog(1).idmaster(60));
        knjizi(Knjizba(400, "01.12.2024", 50).idpog(1).idmaster(61));
        // Contract 2: a write-down deal of type 917 without a parent, related through TRG_SLAB.
        posel(Posel(62, "K", "01.01.2024").sfdog(917));
        posel(Posel(67, "K", "05.03.2020").idvpl(3).zpd("05.03.2028"));
        exec("INSERT INTO TRG_SLAB (IDDOGSLAB, IDDOG) VALUES (62, 67)");
        knjizi(Knjizba(400, "01.03.2024", 70).idpog(2).idmaster(62));
        // Contract 3: a deal of type 917 with a parent goes through the parent.
        posel(Posel(68, "K", "01.07.2019").idvpl(4));
        posel(Posel(63, "K", "01.01.2024").sfdog(917).iddoggot(68));
        knjizi(Knjizba(400, "01.03.2024", 30).idpog(3).idmaster(63));
        // Contract 4 nets to zero; contract 5 lies before 2017; contract 6 has a negative period.
        knjizi(Knjizba(400, "01.03.2024", 10).idpog(4).idmaster(60));
        knjizi(Knjizba(400, "02.03.2024", -10).idpog(4).idmaster(61));
        knjizi(Knjizba(400, "31.12.2016", 10).idpog(5).idmaster(60));
        knjizi(Knjizba(400, "01.03.2024", 10).idpog(6).idmaster(60).idobd(-1));
    }
};

TEST_F(ClassDBranch, LabelsAndSumsTheTwoInnerSelections) {
    const Vrstice vrstice = veja(12);
    EXPECT_THAT(stolpec(vrstice, "IDPOG"), UnorderedElementsAre("1", "2", "3"));

    const Vrstica& posojilo = kjer(vrstice, "IDPOG", "1").at(0);
    EXPECT_EQ(posojilo["SFVPKRT"], "POSOJILO");
    EXPECT_EQ(posojilo["ZNESEK1"], "150");
    EXPECT_EQ(posojilo["ZNESEK2"], "150");
    EXPECT_EQ(posojilo["ZNESEK"], "150");
    EXPECT_EQ(posojilo["IDMASTER"], "66");
    EXPECT_EQ(posojilo["DOGZPD"], "01.01.2031");
    EXPECT_EQ(posojilo["DOGDAN"], "06.05.2023");
    EXPECT_EQ(posojilo["VKNT"], "D");

    const Vrstica& slabitev = kjer(vrstice, "IDPOG", "2").at(0);
    EXPECT_EQ(slabitev["SFVPKRT"], "PL7/2020");
    EXPECT_EQ(slabitev["ZNESEK1"], "70");
    EXPECT_EQ(slabitev["DOGDAN"], "05.03.2020");
    EXPECT_EQ(slabitev["ZPDVP"], "05.03.2028");
    EXPECT_EQ(slabitev["IDMASTER"], "67");

    EXPECT_EQ(kjer(vrstice, "IDPOG", "3").at(0)["SFVPKRT"], "PL8/2019");
}

// The outer maximum of dates from the inner rows compares them as dates, not as texts.
TEST_F(ClassDBranch, OuterMaximumOfDatesIsChronological) {
    const Vrstica& posojilo = kjer(veja(12), "IDPOG", "1").at(0);
    EXPECT_EQ(posojilo["DATUMV"], "01.12.2024");
}

TEST_F(ClassDBranch, BothInnerSelectionsCarryTheContractFilter) {
    window.options.eIdpog = " 1 ";
    EXPECT_THAT(stolpec(veja(12), "IDPOG"), UnorderedElementsAre("1"));
    window.options.eIdpog = "2";
    EXPECT_THAT(stolpec(veja(12), "IDPOG"), UnorderedElementsAre("2"));
}

} // namespace
} // namespace orv::test
