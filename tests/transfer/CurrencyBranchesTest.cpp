// Branches 4 to 7: classes 7, 8, B and C, summed per currency.

#include "SourceBank.h"

#include <gmock/gmock.h>

namespace orv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

using CurrencyBranches = SourceBank;

TEST_F(CurrencyBranches, Branch4OneRowPerCurrencyWithThePostingsUnit) {
    konto(700, "7");
    konto(800, "8");
    konto(100, "1");
    exec("INSERT INTO ORG (SFORG, KRT) VALUES (5, 'OE5'), (6, 'OE6');"
         "INSERT INTO POG (IDPOG, SFORG) VALUES (1, 6);");
    knjizi(Knjizba(700, "10.01.2024", 100).oe(5));
    knjizi(Knjizba(700, "11.01.2024", 50).valuta("U").oe(5));
    knjizi(Knjizba(700, "12.01.2024", 7).oe(5));
    knjizi(Knjizba(800, "12.01.2024", 1).oe(5));
    knjizi(Knjizba(700, "31.12.2023", 1000).oe(5));
    knjizi(Knjizba(100, "12.01.2024", 1).oe(5));
    const Vrstice vrstice = veja(4);
    ASSERT_EQ(vrstice.size(), 3u);
    const Vrstice konto700 = kjer(vrstice, "KKONTO", "700");
    EXPECT_THAT(stolpec(konto700, "KVALUTA"), UnorderedElementsAre("E", "U"));
    EXPECT_EQ(kjer(konto700, "KVALUTA", "E").at(0)["ZNESEK1"], "107");
    EXPECT_THAT(stolpec(vrstice, "OE"), ElementsAre("OE5", "OE5", "OE5"));
    EXPECT_THAT(stolpec(kjer(vrstice, "KKONTO", "800"), "VKNT"), ElementsAre("8"));
}

// Five accounts belong to fixed counterparties: their contracts collapse into one row per
// account and currency. Other grouped accounts keep one row per contract.
TEST_F(CurrencyBranches, Branch5FixedAccountsCollapsePerCurrency) {
    for (const long k : {257L, 379L, 78L, 500L})
        konto(k, "B", "D");
    konto(501, "B", "N");
    exec("INSERT INTO OSB (SFOSB, KRTBNK) VALUES (1, '00000001');"
         "INSERT INTO SFVP (SFVP, KRT, SFOSBIZD) VALUES (9, 'VP', 1);");
    knjizi(Knjizba(257, "10.01.2024", 10).idpog(11));
    knjizi(Knjizba(257, "11.01.2024", 20).idpog(12));
    knjizi(Knjizba(379, "11.01.2024", 5).idpog(13));
    knjizi(Knjizba(78, "11.01.2024", 1).idpog(14));
    knjizi(Knjizba(78, "11.01.2024", 2).idpog(15).valuta("U"));
    knjizi(Knjizba(500, "11.01.2024", 3).idpog(16).vp(9));
    knjizi(Knjizba(500, "11.01.2024", 4).idpog(17).vp(9));
    knjizi(Knjizba(501, "11.01.2024", 4).idpog(18));
    const Vrstice vrstice = veja(5);
    const Vrstice konto257 = kjer(vrstice, "KKONTO", "257");
    ASSERT_EQ(konto257.size(), 1u);
    EXPECT_EQ(konto257[0]["IDPOG"], "4790");
    EXPECT_EQ(konto257[0]["CLIENT_NO"], "00004790");
    EXPECT_EQ(konto257[0]["O_KRTBNK"], "00004790");
    EXPECT_EQ(konto257[0]["ZNESEK1"], "30");
    EXPECT_THAT(stolpec(kjer(vrstice, "KKONTO", "379"), "IDPOG"), ElementsAre("4790"));
    const Vrstice konto78 = kjer(vrstice, "KKONTO", "78");
    EXPECT_THAT(stolpec(konto78, "IDPOG"), ElementsAre("64867", "64867"));
    EXPECT_THAT(stolpec(konto78, "CLIENT_NO"), ElementsAre("00011908", "00011908"));
    const Vrstice konto500 = kjer(vrstice, "KKONTO", "500");
    EXPECT_THAT(stolpec(konto500, "IDPOG"), UnorderedElementsAre("16", "17"));
    EXPECT_THAT(stolpec(konto500, "CLIENT_NO"), ElementsAre("00000001", "00000001"));
    EXPECT_THAT(kjer(vrstice, "KKONTO", "501"), IsEmpty());
    EXPECT_EQ(vrstice.size(), 6u);
}

struct PrimerDejavnosti {
    const char* vknt;
    const char* grupiraj;
    const char* dejavnost;
    bool veja6;
    bool veja7;
};

// Activity L goes to branch 7, any other activity to branch 6; a posting without activity to
// neither, since a comparison with NULL is never true.
const PrimerDejavnosti kDejavnosti[] = {
    {"B", "N", "L", false, true},  {"B", "N", "X", true, false}, {"C", "D", "L", false, true},
    {"C", "N", "X", true, false},  {"C", "N", "", false, false}, {"B", "D", "X", false, false},
    {"1", "N", "X", false, false},
};

TEST_F(CurrencyBranches, Branches6And7SplitByActivityL) {
    std::vector<std::string> v6, v7;
    long i = 0;
    for (const PrimerDejavnosti& p : kDejavnosti) {
        ++i;
        konto(900 + i, p.vknt, p.grupiraj);
        knjizi(Knjizba(900 + i, "10.01.2024", 10).idpog(i).dejavnost(p.dejavnost));
        if (p.veja6) v6.push_back(std::to_string(i));
        if (p.veja7) v7.push_back(std::to_string(i));
    }
    EXPECT_THAT(stolpec(veja(6), "IDPOG"), UnorderedElementsAreArray(v6));
    EXPECT_THAT(stolpec(veja(7), "IDPOG"), UnorderedElementsAreArray(v7));
}

// Branch 6 sums the securities of a contract and currency; branch 7 keeps them apart.
TEST_F(CurrencyBranches, Branch7KeepsSecuritiesAndDealsApart) {
    konto(901, "C");
    exec("INSERT INTO SFVP (SFVP, KRT) VALUES (1, 'A_S'), (2, 'B');");
    for (const char* dejavnost : {"L", "X"}) {
        knjizi(Knjizba(901, "10.01.2024", 10).vp(1).idvp(7).dejavnost(dejavnost));
        knjizi(Knjizba(901, "10.01.2024", 20).vp(2).idvp(8).dejavnost(dejavnost));
    }
    const Vrstice v6 = veja(6);
    ASSERT_EQ(v6.size(), 1u);
    EXPECT_EQ(v6[0]["ZNESEK1"], "30");
    EXPECT_EQ(v6[0]["SFVPKRT"], "8B");
    EXPECT_EQ(v6[0]["POSEL"], "8");
    EXPECT_THAT(stolpec(veja(7), "SFVPKRT"), UnorderedElementsAre("7A", "8B"));
}

} // namespace
} // namespace orv::test
