// Branch 1: the general classes, per security, account, contract and deal, for the year up to
// the reporting day.

#include "SourceBank.h"

#include <gmock/gmock.h>

namespace orv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

using GeneralBranch = SourceBank;

struct Primer {
    const char* opis;
    const char* vknt;
    const char* grupiraj;
    const char* sffin; // the posting's security's instrument; nullptr: no security
    const char* datumv;
    bool vrstica;
};

// Each case on its own account and contract; the reporting day is 31.12.2024.
const Primer kPrimeri[] = {
    {"class 1 in the year", "1", "N", nullptr, "15.06.2024", true},
    {"class 1 on the reporting day", "1", "N", nullptr, "31.12.2024", true},
    {"class 1 on the first day of the year", "1", "N", nullptr, "01.01.2024", true},
    {"class 1 the day before the year", "1", "N", nullptr, "31.12.2023", false},
    {"class 1 the day after the reporting day", "1", "N", nullptr, "01.01.2025", false},
    {"class 1 grouped", "1", "D", nullptr, "15.06.2024", false},
    {"class E", "E", "N", nullptr, "15.06.2024", true},
    {"class 9 instrument X", "9", "N", "X", "15.06.2024", true},
    {"class 9 instrument G", "9", "N", "G", "15.06.2024", false},
    {"class 9 without a security", "9", "N", nullptr, "15.06.2024", false},
    {"class A", "A", "N", nullptr, "15.06.2024", false},
    {"class B", "B", "N", nullptr, "15.06.2024", false},
    {"class C", "C", "N", nullptr, "15.06.2024", false},
    {"class D", "D", "N", nullptr, "15.06.2024", false},
    {"class 6", "6", "N", nullptr, "15.06.2024", false},
    {"class 3", "3", "N", nullptr, "15.06.2024", false},
    {"class 4", "4", "N", nullptr, "15.06.2024", false},
    {"class 7", "7", "N", nullptr, "15.06.2024", false},
    {"class 8", "8", "N", nullptr, "15.06.2024", false},
};

TEST_F(GeneralBranch, TakesTheGeneralClassesOfTheYearOnly) {
    exec("INSERT INTO FIN (SFFIN, NZV) VALUES ('X', 'Obveznica'), ('G', 'Gotovina');"
         "INSERT INTO SFVP (SFVP, KRT, SFFIN) VALUES (1, 'VPX', 'X'), (2, 'VPG', 'G');");
    std::vector<std::string> pricakovane;
    long i = 0;
    for (const Primer& p : kPrimeri) {
        ++i;
        konto(100 + i, p.vknt, p.grupiraj);
        Knjizba k(100 + i, p.datumv, 10);
        if (p.sffin) k.vp(std::string(p.sffin) == "X" ? 1 : 2);
        knjizi(k.idpog(i));
        if (p.vrstica) pricakovane.push_back(std::to_string(i));
    }
    const Vrstice vrstice = veja(1);
    EXPECT_THAT(stolpec(vrstice, "IDPOG"), UnorderedElementsAreArray(pricakovane));
    for (const Vrstica& v : vrstice)
        EXPECT_EQ(v["KKONTO"], std::to_string(100 + std::stol(v["IDPOG"])));
}

TEST_F(GeneralBranch, SumsTheBalanceAndTakesTheGreaterCurrency) {
    konto(100, "1");
    exec("INSERT INTO SFVP (SFVP, KRT, SFFIN) VALUES (5, 'OBV_S', 'X'), (6, 'DELNICA', 'X');");
    knjizi(Knjizba(100, "10.01.2024", 100.123456).vp(5).idvp(7));
    knjizi(Knjizba(100, "20.01.2024", -0.5).valuta("U").vp(5).idvp(7));
    knjizi(Knjizba(100, "05.02.2024", 3).vp(6).idvp(8));
    const Vrstice vrstice = veja(1);
    ASSERT_EQ(vrstice.size(), 2u);
    const Vrstica& v = kjer(vrstice, "SFVP", "5").at(0);
    EXPECT_EQ(v["ZNESEK1"], "99.6235");
    EXPECT_EQ(v["ZNESEK"], "99.623456");
    EXPECT_EQ(v["ZNESEK2"], "0");
    EXPECT_EQ(v["KVALUTA"], "U");
    EXPECT_EQ(v["SFVPKRT"], "7OBV");
    EXPECT_EQ(v["KONTO"], "K100");
    EXPECT_EQ(v["DATUMV"], "20.01.2024");
    EXPECT_EQ(v["POSEL"], "7");
    EXPECT_EQ(v["VKNT"], "1");
    EXPECT_THAT(stolpec(kjer(vrstice, "SFVP", "6"), "SFVPKRT"), ElementsAre("8DELNICA"));
}

// The contract's counterparty fills the OP_ columns, the security's issuer the O_ columns.
TEST_F(GeneralBranch, IssuerAndCounterpartyColumns) {
    konto(100, "1");
    exec("INSERT INTO OSB (SFOSB, KRTBNK, NZV, SFSOS) VALUES (1, '00000001', 'Izdajatelj', 'I'),"
         " (2, '00000002', 'Stranka', 'S');"
         "INSERT INTO SFVP (SFVP, KRT, SFOSBIZD, SFVLTNMN) VALUES (5, 'VP', 1, 'U');"
         "INSERT INTO VLT (SFVLT, KRT, IDBNK) VALUES ('U', 'USD', '840');"
         "INSERT INTO POG (IDPOG, SFOSB, SFORG) VALUES (3, 2, 9);"
         "INSERT INTO ORG (SFORG, KRT, KNTORG) VALUES (9, 'OE9', 'K9');");
    knjizi(Knjizba(100, "10.01.2024", 1).idpog(3).vp(5));
    const Vrstice vrstice = veja(1);
    ASSERT_EQ(vrstice.size(), 1u);
    const Vrstica& v = vrstice[0];
    EXPECT_EQ(v["CLIENT_NO"], "00000001");
    EXPECT_EQ(v["O_KRTBNK"], "00000001");
    EXPECT_EQ(v["O_NZV"], "Izdajatelj");
    EXPECT_EQ(v["KRTBNK"], "00000002");
    EXPECT_EQ(v["OP_KRTBNK"], "00000002");
    EXPECT_EQ(v["OP_NZV"], "Stranka");
    EXPECT_EQ(v["SFSOS"], "S");
    EXPECT_EQ(v["O_SFSOS"], "I");
    EXPECT_EQ(v["SFOSB"], "2");
    EXPECT_EQ(v["IZDSFOSB"], "1");
    EXPECT_EQ(v["VLTKRT"], "USD");
    EXPECT_EQ(v["VLTIDBNK"], "840");
    EXPECT_EQ(v["OE"], "OE9");
    EXPECT_EQ(v["KNTORG"], "K9");
}

} // namespace
} // namespace orv::test
