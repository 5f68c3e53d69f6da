// Branch 9: classes 3 and 4 from the start of the previous year.

#include "SourceBank.h"

#include <gmock/gmock.h>

#include <set>

namespace orv::test {
namespace {

using ::testing::UnorderedElementsAre;

using Class34Branch = SourceBank;

TEST_F(Class34Branch, PreviousYearPeriodGroupsOtherPostingsStandAlone) {
    konto(300, "3");
    konto(400, "4");
    konto(100, "1");
    knjizi(Knjizba(300, "15.12.2023", 10).idmaster(0).idobd(2023));
    knjizi(Knjizba(300, "20.03.2024", 20).idmaster(0).idobd(2023).idpog(2));
    knjizi(Knjizba(300, "01.04.2024", 5).idmaster(0).idobd(1));
    knjizi(Knjizba(300, "02.04.2024", 7).idmaster(0).idobd(1));
    knjizi(Knjizba(300, "31.12.2022", 1000).idmaster(0).idobd(2023)); // before the previous year
    knjizi(Knjizba(300, "01.01.2025", 1000).idmaster(0).idobd(2023)); // after the reporting day
    knjizi(Knjizba(300, "03.04.2024", 1000).idmaster(0).idobd(-1));
    knjizi(Knjizba(400, "01.05.2024", 3).idmaster(55).idobd(3));
    knjizi(Knjizba(400, "02.05.2024", 4).idmaster(55).idobd(4));
    knjizi(Knjizba(100, "02.05.2024", 4).idmaster(0).idobd(4));
    const Vrstice vrstice = veja(9);
    EXPECT_THAT(stolpec(vrstice, "ZNESEK1"), UnorderedElementsAre("30", "5", "7", "7"));

    const Vrstica& lani = kjer(vrstice, "ZNESEK1", "30").at(0);
    EXPECT_EQ(lani["IDOBD"], "2023");
    EXPECT_EQ(lani["IDMASTER"], "0");
    EXPECT_EQ(lani["IDPOG"], "2");
    EXPECT_EQ(lani["DATUMV"], "20.03.2024");

    const Vrstica& posel = kjer(vrstice, "KKONTO", "400").at(0);
    EXPECT_EQ(posel["IDMASTER"], "55");
    EXPECT_EQ(posel["IDOBD"], "0");
    EXPECT_EQ(posel["VKNT"], "4");

    // The postings of other periods without a master deal carry their own row numbers.
    std::set<std::string> stevilke;
    for (const Vrstica& v : kjer(vrstice, "IDOBD", "0"))
        if (v["KKONTO"] == "300") stevilke.insert(v["IDMASTER"]);
    EXPECT_EQ(stevilke.size(), 2u);
    EXPECT_EQ(stevilke.count("0"), 0u);
}

} // namespace
} // namespace orv::test
