// Holding value, credit flag, average balance, purpose code and long-term code, derived through
// PolniPodatke on small banks. The reporting date is 31.12.2024.

#include "DerivationBank.h"

#include "derive/PolniPodatke.h"

namespace orv::test {
namespace {

using HoldingStepsTest = DerivationBank;

// A bond of security 7 held by contract 100 on line 5, in euros.
const Izvor kObveznica = {
    {"VKNT", "1"},    {"SFVP", "7"},  {"IDPOG", "100"},    {"POSEL", "5"},     {"SFFIN", "D"},
    {"KVALUTA", "E"}, {"SFTPF", "R"}, {"ZNESEK", "-2500"}, {"DEJAVNOST", "L"}, {"SFGLVENT", "%"}};

// 1000 units on line 5 (and 400 on line 6). The coupon period covering the reporting date has
// the key K2, which two securities' periods share: the principal sum of that key is 3.
const char* const kImetje =
    "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) VALUES "
    "('31.12.2024', 7, 100, 5, '01.06.2024', 1000, 'L'), "
    "('31.12.2024', 7, 100, 6, '01.06.2024', 400, 'L');"
    "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, SFKPN, GLV) VALUES "
    "(7, 1, '01.01.2024', '30.06.2024', 'K1', 9), (7, 2, '01.07.2024', '31.12.2024', 'K2', 1),"
    " (8, 2, '01.07.2024', '31.12.2024', 'K2', 2);";

TEST_F(HoldingStepsTest, HoldingValueOfBonds) {
    preveri({
        {"an own-portfolio bond of contract type R", kImetje, kObveznica, {{"ECB_41", "3000"}}},
        {"without a holding line all lines count",
         kImetje,
         z(kObveznica, {{"POSEL", "0"}}),
         {{"ECB_41", "4200"}}},
        {"security 4250 takes the absolute domestic amount",
         kImetje,
         z(kObveznica, {{"SFVP", "4250"}}),
         {{"ECB_41", "2500"}}},
        {"accrued interest never has a value",
         kImetje,
         z(kObveznica, {{"VKNT", "2"}}),
         {{"ECB_41", "0"}}},
        {"a bond of another contract type",
         kImetje,
         z(kObveznica, {{"SFTPF", "T"}}),
         {{"ECB_41", "0"}}},
        // The sums were not read for this row; it reads them for itself.
        {"a type H bond outside the own portfolio",
         kImetje,
         z(kObveznica, {{"SFTPF", "H"}, {"DEJAVNOST", "X"}}),
         {{"ECB_41", "3000"}}},
    });
}

TEST_F(HoldingStepsTest, HoldingValueNeverTakesAnEarlierRowsSums) {
    rows(kImetje);
    // The first row reads the sums of line 6 (400 units).
    EXPECT_EQ(izpeljiDoKoraka33(z(kObveznica, {{"POSEL", "6"}})).ECB_41, 1200);
    // The next row, outside the own portfolio, reads its own line instead.
    EXPECT_EQ(izpeljiDoKoraka33(z(kObveznica, {{"DEJAVNOST", "X"}})).ECB_41, 3000);
}

TEST_F(HoldingStepsTest, HoldingValueWithoutARateEndsTheDerivation) {
    // Currency X has no rate: dividing by the rate fails.
    rows(kImetje);
    try {
        izpeljiDoKoraka33(z(kObveznica, {{"KVALUTA", "X"}}));
        FAIL() << "the division by a zero rate must fail";
    } catch (const NapakaKoraka& napaka) {
        EXPECT_EQ(napaka.stevilka(), 21);
        EXPECT_EQ(napaka.napaka(), "Floating point division by zero");
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(HoldingStepsTest, NewSchemeCodesAndCreditFlag) {
    const std::string vrste =
        std::string(kInstrumenti) +
        "INSERT INTO SFVP (SFVP, VRSTA_OBVEZNICE) VALUES (7, NULL), (8, '3');";
    // Postings of December on account 1700 (designation 'P1') by a deal of type V: they make
    // the previous-state amount of security 7 (100) and of security 8 (50).
    const std::string prejsnje =
        "INSERT INTO SIFKONT (CTRL, OZNAKA) VALUES (1700, 'P1');"
        "INSERT INTO DOG (IDDOG, SFPDG) VALUES (50, 'V');"
        "INSERT INTO KNJIZBE (KONTO, IDPOG, VP, IDVP, IDMASTER, IDOBD, DATUMV, BZNESEKSIT, "
        "DZNESEKSIT) VALUES (1700, 100, 7, 5, 50, 1, '10.12.2024', 130, 30),"
        " (1700, 100, 8, 5, 50, 1, '11.12.2024', 50, 0);";
    const Izvor h = z(kObveznica, {{"VKNT", "F"},
                                   {"SFTPF", "H"},
                                   {"VP1", "7"},
                                   {"KONTO", "P1"},
                                   {"ZNESEK", "-95"},
                                   {"DEJAVNOST", "X"}});
    preveri({
        {"a loan",
         "",
         {{"VKNT", "6"}, {"KVALUTA", "E"}},
         {{"ECB_98N", "13"}, {"ECB_101N", ""}, {"BONITETA_ECB", "N"}}},
        {"an own bond without a bond type",
         vrste,
         kObveznica,
         {{"ECB_98N", ""}, {"ECB_101N", "1"}, {"BONITETA_ECB", "N"}}},
        {"an own bond with a bond type",
         vrste,
         z(kObveznica, {{"SFVP", "8"}}),
         {{"ECB_101N", "2"}}},
        {"a share of type T",
         vrste,
         z(kObveznica, {{"SFTPF", "T"}, {"SFFIN", "K"}}),
         {{"ECB_101N", ""}, {"BONITETA_ECB", "N"}}},
        {"a type H position that lost a large part",
         vrste + prejsnje,
         h,
         {{"ZNESEK_SIT_PREV", "100"}, {"ECB_42", "2000"}, {"BONITETA_ECB", "S"}}},
        {"a type H position without a change: the zero divisor leaves 0",
         vrste + prejsnje,
         z(h, {{"ZNESEK", "-100"}}),
         {{"ECB_42", "0"}, {"BONITETA_ECB", "N"}}},
    });
}

TEST_F(HoldingStepsTest, AccruedInterestRowMeasuresItsOwnPreviousAmount) {
    rows("INSERT INTO SIFKONT (CTRL, OZNAKA) VALUES (1700, 'P1'), (2700, 'P2');"
         "INSERT INTO DOG (IDDOG, SFPDG) VALUES (50, 'V');"
         "INSERT INTO KNJIZBE (KONTO, IDPOG, VP, IDVP, IDMASTER, IDOBD, DATUMV, BZNESEKSIT, "
         "DZNESEKSIT) VALUES (1700, 100, 7, 5, 50, 1, '10.12.2024', 100, 0),"
         " (2700, 100, 7, 5, 50, 1, '10.12.2024', 50, 0);");
    const Izvor h = {{"SFVP", "7"},  {"IDPOG", "100"}, {"POSEL", "5"},   {"VP1", "7"},
                     {"SFTPF", "H"}, {"KVALUTA", "E"}, {"SFGLVENT", "%"}};
    const IzhodniZapis& prvi =
        izpeljiDoKoraka33(z(h, {{"VKNT", "F"}, {"KONTO", "P1"}, {"ZNESEK", "-95"}}));
    EXPECT_EQ(prvi.ZNESEK_SIT_PREV, 100);
    EXPECT_EQ(prvi.ECB_42, 2000);
    // The class 2 row's own amount is 50: 50 x 100 / (50 - 40). With the class F row's 100 it
    // would have been 100 x 100 / (100 - 40).
    const IzhodniZapis& drugi =
        izpeljiDoKoraka33(z(h, {{"VKNT", "2"}, {"KONTO", "P2"}, {"ZNESEK", "-40"}}));
    EXPECT_EQ(drugi.ECB_42, 500);
    EXPECT_EQ(drugi.BONITETA_ECB, "S");
    // The field keeps the class F row's amount; the writer does not write it for class 2.
    EXPECT_EQ(drugi.ZNESEK_SIT_PREV, 100);
}

TEST_F(HoldingStepsTest, AverageBalance) {
    // Account 6100 (designation 'L1') of class 6: 310 carried in from earlier months, and a
    // posting of 62 on 16 December, in dollars at 1.25.
    const std::string saldo =
        "INSERT INTO MATRIKA (CTRL, VKNT, VPRC) VALUES (6100, '6', '3');"
        "INSERT INTO SIFKONT (CTRL, OZNAKA) VALUES (6100, 'L1');"
        "INSERT INTO VLN (TCJ, SFVLT, SFVLN, DAN) VALUES (1.25, 'U', '0', '01.12.2024');"
        "INSERT INTO KNJIZBE (KONTO, IDPOG, VP, IDOBD, DATUMV, BZNESEK, DZNESEK) VALUES "
        "(6100, 200, 0, 1, '15.03.2024', 310, 0), (6100, 200, 0, 1, '16.12.2024', 62, 0);";
    const Izvor posojilo = {
        {"VKNT", "6"}, {"IDPOG", "200"}, {"VP1", "0"}, {"KONTO", "L1"}, {"KVALUTA", "E"}};
    preveri({
        {"a loan in euros", saldo, posojilo, {{"POVPR_STANJE", "342"}}},
        {"a loan in dollars", saldo, z(posojilo, {{"KVALUTA", "U"}}), {{"POVPR_STANJE", "273.6"}}},
        {"a deposit has none", saldo, z(posojilo, {{"VKNT", "3"}}), {{"POVPR_STANJE", "0"}}},
        {"a loan row of another class",
         saldo,
         z(posojilo, {{"VKNT", "B"}, {"SFVPKRT", "POSOJILO"}}),
         {{"POVPR_STANJE", "342"}}},
    });
}

TEST_F(HoldingStepsTest, PurposeCode) {
    const Izvor lastna = {{"VKNT", "1"},     {"KVALUTA", "E"}, {"DEJAVNOST", "L"},
                          {"SFGLVENT", "%"}, {"IDPOG", "100"}, {"SFVP", "7"}};
    const Izvor r = z(lastna, {{"SFTPF", "R"}, {"SFFIN", "D"}});
    const Izvor h = z(lastna, {{"SFTPF", "H"}, {"SFFIN", "D"}});
    const Izvor t = z(lastna, {{"SFTPF", "T"}, {"SFGLVENT", "D"}});
    preveri({
        {"a loan", "", {{"VKNT", "6"}, {"KVALUTA", "E"}}, {{"NAMEN_POSLA", "155"}}},
        {"any other row outside the own portfolio",
         "",
         {{"VKNT", "3"}, {"KVALUTA", "E"}},
         {{"NAMEN_POSLA", "208"}}},
        {"own portfolio, no rule applies", "", z(lastna, {{"SFTPF", "X"}}), {{"NAMEN_POSLA", ""}}},
        {"account 257", "", z(lastna, {{"KKONTO", "257"}}), {{"NAMEN_POSLA", "271"}}},
        {"a share", "", t, {{"NAMEN_POSLA", "009"}}},
        {"a share of a state issuer", "", z(t, {{"O_SFSOS", "S"}}), {{"NAMEN_POSLA", "240"}}},
        {"a fund share of kind 2",
         "",
         z(t, {{"O_SFSOS", "S"}, {"VRSTA_SKLADA", "2"}}),
         {{"NAMEN_POSLA", "261"}}},
        {"an interest-bearing T of bond kind 2",
         "",
         z(t, {{"SFGLVENT", "%"}, {"VRSTA_OBVEZNICE", "2"}}),
         {{"NAMEN_POSLA", "260"}}},
        {"a fund with interest", "", z(lastna, {{"SFFIN", "F"}}), {{"NAMEN_POSLA", "241"}}},
        {"type R of contract 64398 without interest",
         "",
         z(r, {{"SFGLVENT", "D"}, {"IDPOG", "64398"}}),
         {{"NAMEN_POSLA", "022"}}},
        {"type R", "", r, {{"NAMEN_POSLA", "221"}}},
        {"type R of a domestic issuer", "", z(r, {{"O_SFSOS", "D"}}), {{"NAMEN_POSLA", "121"}}},
        {"type R of a bank issuer",
         "",
         z(r, {{"O_SFSOS", "B"}, {"IZDSFOSB", "5"}}),
         {{"NAMEN_POSLA", "218"}}},
        {"type R of the bank itself",
         "",
         z(r, {{"O_SFSOS", "B"}, {"IZDSFOSB", "2"}}),
         {{"NAMEN_POSLA", "221"}}},
        {"type R of a bank issuer, bond kind 2",
         "",
         z(r, {{"O_SFSOS", "B"}, {"IZDSFOSB", "5"}, {"VRSTA_OBVEZNICE", "2"}}),
         {{"NAMEN_POSLA", "259"}}},
        {"type R, bond kind 3", "", z(r, {{"VRSTA_OBVEZNICE", "3"}}), {{"NAMEN_POSLA", "256"}}},
        {"type R fund", "", z(r, {{"SFFIN", "F"}}), {{"NAMEN_POSLA", "243"}}},
        {"type R fund of a domestic issuer keeps the fund rule",
         "",
         z(r, {{"SFFIN", "F"}, {"O_SFSOS", "D"}}),
         {{"NAMEN_POSLA", "241"}}},
        {"own issue of contract 66356, issuer O",
         "",
         z(r, {{"SFDJV", "L"}, {"OSFKDL", "O"}, {"IDPOG", "66356"}}),
         {{"NAMEN_POSLA", "090"}}},
        {"own issue of contract 66356, another issuer",
         "",
         z(r, {{"SFDJV", "L"}, {"IDPOG", "66356"}}),
         {{"NAMEN_POSLA", "022"}}},
        {"type H", "", h, {{"NAMEN_POSLA", "024"}}},
        {"type H of a domestic issuer", "", z(h, {{"O_SFSOS", "D"}}), {{"NAMEN_POSLA", "085"}}},
        {"type H of a bank issuer, bond kind 3",
         "",
         z(h, {{"O_SFSOS", "B"}, {"IZDSFOSB", "7"}, {"VRSTA_OBVEZNICE", "3"}}),
         {{"NAMEN_POSLA", "255"}}},
        {"type H of bond kind 2", "", z(h, {{"VRSTA_OBVEZNICE", "2"}}), {{"NAMEN_POSLA", "258"}}},
        {"type H fund of a domestic issuer",
         "",
         z(h, {{"SFFIN", "F"}, {"O_SFSOS", "D"}}),
         {{"NAMEN_POSLA", "242"}}},
        {"security 6123", "", z(h, {{"SFVP", "6123"}}), {{"NAMEN_POSLA", "214"}}},
        {"security 6122", "", z(h, {{"SFVP", "6122"}}), {{"NAMEN_POSLA", "295"}}},
        {"security 5779", "", z(h, {{"SFVP", "5779"}}), {{"NAMEN_POSLA", "290"}}},
        {"contract 67015", "", z(h, {{"IDPOG", "67015"}}), {{"NAMEN_POSLA", "290"}}},
        {"contract 75805 of a loan",
         "",
         {{"VKNT", "6"}, {"KVALUTA", "E"}, {"IDPOG", "75805"}},
         {{"NAMEN_POSLA", "021"}}},
        {"contract 75806 whatever the earlier rules gave",
         "",
         z(h, {{"IDPOG", "75806"}}),
         {{"NAMEN_POSLA", "090"}}},
    });
}

TEST_F(HoldingStepsTest, LongTermCode) {
    auto kuponi = [](const char* konec) {
        return std::string(kInstrumenti) +
               "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN) VALUES (7, 1, '01.01.2024', '" +
               konec + "');";
    };
    const Izvor dolga = {
        {"VKNT", "1"},   {"SFVP", "7"}, {"SFFIN", "D"}, {"KVALUTA", "E"}, {"VRSTA_OBVEZNICE", "3"},
        {"OSFKDL", "O"}, {"SFDRZ", "X"}};
    preveri({
        {"a listed bond of 366 days", kuponi("01.01.2025"), dolga, {{"ECB_48", "1"}}},
        {"a listed bond of 365 days", kuponi("31.12.2024"), dolga, {{"ECB_48", ""}}},
        {"an issuer at home", kuponi("01.01.2025"), z(dolga, {{"SFDRZ", "S"}}), {{"ECB_48", ""}}},
        {"a deposit", kuponi("01.01.2025"), z(dolga, {{"VKNT", "3"}}), {{"ECB_48", ""}}},
        {"unlisted", kuponi("01.01.2025"), z(dolga, {{"SFFIN", "n"}}), {{"ECB_48", ""}}},
    });
}

} // namespace
} // namespace orv::test
