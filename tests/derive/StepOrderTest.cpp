// The order of the steps, what one row leaves for the next, and the answers a transfer keeps.

#include "DerivationBank.h"

#include "derive/PolniPodatke.h"

#include <algorithm>

namespace orv::test {
namespace {

using StepOrderTest = DerivationBank;

// Security 7, listed, held by contract 100 on line 5: 1001 units of nominal 1000 bought on the
// primary market on the first day of the reporting month, so a new issue. The row's domestic
// amount is 500.
const char* const kNovaIzdaja =
    "INSERT INTO TRG (SFTRG, SFTRZ) VALUES ('01', '1');"
    "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) VALUES "
    "('31.12.2024', 7, 100, 5, '01.12.2024', 1001, 'L');"
    "INSERT INTO DOG (IDDOG, IDVP, DAN, IDPOG, SFVP, SFPDG, SFTRG) VALUES "
    "(900, 5, '01.12.2024', 100, 7, 'N', '01');";
const Izvor kObveznica = {{"VKNT", "1"},      {"SFVP", "7"},      {"IDPOG", "100"},
                          {"POSEL", "5"},     {"SFFIN", "D"},     {"KVALUTA", "E"},
                          {"ZNESEK", "-500"}, {"GLVNMN", "1000"}, {"SFGLVENT", "%"}};

TEST_F(StepOrderTest, ALaterStepOverridesWhatAnEarlierOneSet) {
    rows(std::string(kInstrumenti) + kNovaIzdaja);
    odpriVir(Vir(kObveznica));
    KontekstPrenosa& k = kontekst();
    k.vrstica = KontekstVrstice{};
    k.vrstica.Razred = "E";
    const auto& koraki = korakiIzpeljave();
    auto izvedi = [&](int od, int do_) {
        for (int i = od; i <= do_; ++i)
            koraki[static_cast<size_t>(i - 1)].izvedi(k);
    };

    // Step 16 values the new issue by its nominal (1001 x 1000) and sizes it by that value.
    izvedi(1, 16);
    EXPECT_EQ(k.zapis.ECB_19, "3");
    EXPECT_EQ(k.zapis.ECB_29, 1001000);
    EXPECT_EQ(k.zapis.ECB_20, "2");
    // Step 18 replaces the value with the row's domestic amount; the size code stays.
    izvedi(17, 18);
    EXPECT_EQ(k.zapis.ECB_29, 500);
    izvedi(19, 56);
    EXPECT_EQ(k.zapis.ECB_29, 500);
    EXPECT_EQ(k.zapis.ECB_20, "2");

    // PolniPodatke runs them in the same order and ends with the same values.
    const IzhodniZapis& zapis = izpeljiDoKoraka33(kObveznica);
    EXPECT_EQ(zapis.ECB_29, 500);
    EXPECT_EQ(zapis.ECB_20, "2");
}

TEST_F(StepOrderTest, OwnPortfolioReplacesTheOpeningDateTwice) {
    rows(std::string(kInstrumenti) + kNovaIzdaja +
         "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) VALUES "
         "('31.12.2024', 7, 100, 6, '10.05.2023', 1, 'L');");
    odpriVir(Vir(z(kObveznica, {{"SFFIN", "n"}, {"DEJAVNOST", "L"}, {"DOGDAN", "01.01.2019"}})));
    KontekstPrenosa& k = kontekst();
    k.vrstica = KontekstVrstice{};
    k.vrstica.Razred = "E";
    const auto& koraki = korakiIzpeljave();
    std::vector<std::string> datumi;
    for (const KorakIzpeljave& korak : koraki) {
        korak.izvedi(k);
        if (korak.stevilka == 13 || korak.stevilka == 31 || korak.stevilka == 32)
            datumi.push_back(k.zapis.DAT_OTVORITVE);
    }
    // The deal's date, then the latest purchase, then the earliest.
    EXPECT_EQ(datumi, (std::vector<std::string>{"01.01.2019", "01.12.2024", "10.05.2023"}));
}

TEST_F(StepOrderTest, StepLabels) {
    izpeljiDoKoraka33(kObveznica);
    std::vector<std::string> oznake;
    for (const std::string& klic : window.calls)
        if (klic.rfind("lblKorak: ", 0) == 0) oznake.push_back(klic.substr(10));
    const std::vector<std::string> pricakovano = {
        "KUPONI",    "ID_BONITETA", "ZAVAROVANJE", "DAT_ZAPAD", "ZNESEK_VAL",
        "REVAL_DML", "REVAL_OBRM",  "ECB_14",      "ECB_15",    "ECB_17",
        "ECB_29",    "ECB_21",      "ECB_34"};
    ASSERT_GE(oznake.size(), pricakovano.size());
    EXPECT_EQ(std::vector<std::string>(oznake.begin(),
                                       oznake.begin() + static_cast<long>(pricakovano.size())),
              pricakovano);
    // Step 26 lets pending window messages run once per row.
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "processMessages"), 1);
}

TEST_F(StepOrderTest, NoValueLeaksIntoTheNextRow) {
    rows(std::string(kInstrumenti) + kNovaIzdaja);
    const IzhodniZapis& posojilo = izpeljiDoKoraka33({{"VKNT", "6"},
                                                      {"KVALUTA", "E"},
                                                      {"ZNESEK", "-5"},
                                                      {"DOGDAN", "10.12.2024"},
                                                      {"IDPOG", "200"},
                                                      {"DEJAVNOST", "X"}});
    EXPECT_EQ(posojilo.ECB_98N, "13");
    EXPECT_EQ(posojilo.ECB_16N, "99");
    EXPECT_EQ(posojilo.ECB_22N, "06");
    EXPECT_EQ(posojilo.NAMEN_POSLA, "155");
    EXPECT_EQ(posojilo.ECB_25, "14");
    const IzhodniZapis& obveznica = izpeljiDoKoraka33(z(kObveznica, {{"DEJAVNOST", "L"}}));
    EXPECT_EQ(obveznica.ECB_98N, "");
    EXPECT_EQ(obveznica.ECB_16N, "");
    EXPECT_EQ(obveznica.ECB_22N, "08");
    EXPECT_EQ(obveznica.NAMEN_POSLA, "");
    EXPECT_EQ(obveznica.ECB_25, "");
    EXPECT_EQ(obveznica.ECB_20N, "");
}

TEST_F(StepOrderTest, ATransferSeesTheBankAsItIsWhenItStarts) {
    // Every lookup these rows ask is answered once per transfer; the bank changes between two
    // transfers, and the second sees the change.
    rows(std::string(kInstrumenti) +
         "INSERT INTO SFINX (SFINX, OBD, NZV) VALUES ('EUR6M', 1, 'Euribor');"
         "INSERT INTO INX (SFINX, DAN, INX) VALUES ('EUR6M', '01.12.2024', 3);"
         "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, SFINX) VALUES "
         "(7, 1, '01.07.2024', '31.12.2025', 'EUR6M');"
         "INSERT INTO SFVP (SFVP, JAMSTVO) VALUES (7, '1');"
         "INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, INTERVAL_DO) "
         "VALUES ('014N', '13', 1, NULL), ('014', '06', 0, NULL);");
    const Izvor vrstica = z(kObveznica, {{"DEJAVNOST", "L"}, {"ZPDVP", "15.12.2025"}});
    for (int i = 0; i < 2; ++i) {
        const IzhodniZapis& zapis = izpeljiDoKoraka33(vrstica);
        EXPECT_EQ(zapis.REVAL_DML, "2");
        EXPECT_EQ(zapis.REVAL_OBRM, 3);
        EXPECT_EQ(zapis.ECB_21, "OST");
        EXPECT_EQ(zapis.ECB_15, "06");
        EXPECT_EQ(zapis.ECB_15N, "13");
        EXPECT_EQ(zapis.ECB_25N, "16");
        EXPECT_EQ(zapis.ECB_48, "");
        EXPECT_EQ(zapis.ECB_101N, "1");
    }

    rows("UPDATE SFINX SET OBD = 360, NZV = 'TOM';"
         "UPDATE INX SET INX = 4;"
         "UPDATE KPN SET ZDNDAN = '31.12.2026', PRVDAN = '01.07.2020';"
         "UPDATE SFVP SET JAMSTVO = '2', VRSTA_OBVEZNICE = '3';"
         "UPDATE ECB_SIFRANTI SET ECB_SIFR_ID = '14' WHERE ECB_SEZNAM_ID = '014N';"
         "UPDATE ECB_SIFRANTI SET ECB_SIFR_ID = '07' WHERE ECB_SEZNAM_ID = '014';");
    novPrenos();
    const IzhodniZapis& zapis =
        izpeljiDoKoraka33(z(vrstica, {{"VRSTA_OBVEZNICE", "3"}, {"OSFKDL", "O"}, {"SFDRZ", "X"}}));
    EXPECT_EQ(zapis.REVAL_DML, "3");
    EXPECT_EQ(zapis.REVAL_OBRM, 4);
    EXPECT_EQ(zapis.ECB_21, "TOM");
    EXPECT_EQ(zapis.ECB_15, "07");
    EXPECT_EQ(zapis.ECB_15N, "14");
    EXPECT_EQ(zapis.ECB_25N, "01");
    EXPECT_EQ(zapis.ECB_48, "1");
    EXPECT_EQ(zapis.ECB_101N, "2");
}

} // namespace
} // namespace orv::test
