// Maturity codes of the new scheme and the own-portfolio block, derived through PolniPodatke on
// small banks. The reporting date is 31.12.2024. The bank's function reads the bands of list
// '014N' (INT_NEW ticked) or '014S'.

#include "DerivationBank.h"

#include "derive/PolniPodatke.h"

namespace orv::test {
namespace {

// Days 40 to 59 have no band of the new scheme.
const char* const kPasovi =
    "INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, INTERVAL_DO) VALUES "
    "('014N', '01', 0, 0), ('014N', '11', 1, 7), ('014N', '12', 8, 39), ('014N', '13', 60, 365),"
    " ('014N', '14', 366, NULL), ('014S', '05', 0, NULL);";

// An unlisted bond of class 1 outside the own portfolio, opened on 01.12.2024.
const Izvor kObveznica = {
    {"VKNT", "1"},    {"SFVP", "7"},    {"IDPOG", "100"},    {"POSEL", "5"},
    {"SFFIN", "n"},   {"KVALUTA", "E"}, {"ZNESEK", "-1000"}, {"DOGDAN", "01.12.2024"},
    {"SFGLVENT", "%"}};

class NewSchemeStepsTest : public DerivationBank {
protected:
    void SetUp() override { rows(kPasovi); }

    /// Runs the cases on a bank with the bands and the rows of each case.
    void preveriSPasovi(std::vector<Primer> primeri) {
        for (Primer& primer : primeri)
            primer.vrstice = std::string(kPasovi) + primer.vrstice;
        preveri(primeri);
    }
};

TEST_F(NewSchemeStepsTest, InitialAndResidualTermCodes) {
    const Izvor posojilo = {{"VKNT", "6"},       {"IDPOG", "200"},         {"KVALUTA", "E"},
                            {"ZNESEK", "-1000"}, {"DOGDAN", "01.12.2024"}, {"ZPDVP", "15.12.2025"}};
    preveriSPasovi({
        {"opening 01.12.2024, maturity 15.12.2025",
         "",
         z(kObveznica, {{"ZPDVP", "15.12.2025"}}),
         {{"ECB_14N", "14"}, {"ECB_15N", "13"}}},
        {"maturity on the reporting date",
         "",
         z(kObveznica, {{"ZPDVP", "31.12.2024"}}),
         {{"ECB_14N", "12"}, {"ECB_15N", "01"}}},
        {"maturity one day later",
         "",
         z(kObveznica, {{"ZPDVP", "01.01.2025"}}),
         {{"ECB_14N", "12"}, {"ECB_15N", "11"}}},
        {"no maturity at all", "", kObveznica, {{"ECB_14N", "01"}, {"ECB_15N", "01"}}},
        {"the maturity of the first rule when the security has none",
         "",
         z(kObveznica, {{"VKNT", "4"}, {"DOGZPD", "15.03.2025"}, {"DATUMV", "01.12.2024"}}),
         {{"ECB_14N", "13"}, {"ECB_15N", "13"}}},
        {"no opening date",
         "",
         z(kObveznica, {{"ZPDVP", "15.12.2025"}, {"DOGDAN", ""}}),
         {{"ECB_14N", "01"}, {"ECB_15N", "13"}}},
        {"maturity before the opening",
         "",
         z(kObveznica, {{"ZPDVP", "15.12.2025"}, {"DOGDAN", "16.12.2025"}}),
         {{"ECB_14N", "01"}}},
        {"spans without a band: blank, and X1 for the residual term",
         "",
         z(kObveznica, {{"DOGDAN", "20.12.2024"}, {"ZPDVP", "10.02.2025"}}),
         {{"ECB_14N", ""}, {"ECB_15N", "X1"}}},
        {"a class D row measures both from the deal's date",
         "",
         z(kObveznica, {{"VKNT", "D"}, {"ZPDVP", "15.12.2025"}}),
         {{"ECB_14N", "14"}, {"ECB_15N", "14"}}},
        {"a class D row maturing on the deal's date",
         "",
         z(kObveznica, {{"VKNT", "D"}, {"ZPDVP", "01.12.2024"}}),
         {{"ECB_14N", "01"}, {"ECB_15N", "01"}}},
        {"a loan ends with 01 for all three, whatever the function gives",
         "",
         posojilo,
         {{"ECB_14N", "01"}, {"ECB_15N", "01"}, {"ECB_39N", "01"}}},
    });
}

TEST_F(NewSchemeStepsTest, NoStatementRunsWithoutAMaturity) {
    dm.Qprocedura.Close();
    const IzhodniZapis& zapis = izpeljiDoKoraka33(kObveznica);
    EXPECT_EQ(zapis.ECB_14N, "01");
    EXPECT_EQ(zapis.ECB_15N, "01");
    EXPECT_FALSE(dm.Qprocedura.Active());
}

TEST_F(NewSchemeStepsTest, FlagOfTheScheme) {
    window.options.cbINT_NEW = false;
    const IzhodniZapis& zapis = izpeljiDoKoraka33(z(kObveznica, {{"ZPDVP", "15.12.2025"}}));
    EXPECT_EQ(zapis.ECB_14N, "05");
    EXPECT_EQ(zapis.ECB_15N, "05");
    EXPECT_EQ(kontekst().vrstica.OznakaInt, "S");
    EXPECT_NE(dm.Qprocedura.SQL().find("f_orig_zapad('S',null,"), std::string::npos);
}

TEST_F(NewSchemeStepsTest, ResetTermCode) {
    auto kupon = [](const char* konecObdobja) {
        return std::string("INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, ZDNDANTRG) VALUES "
                           "(7, 1, '01.07.2024', '30.06.2025', '") +
               konecObdobja + "');";
    };
    const Izvor spremenljiva = z(kObveznica, {{"VRSTA_REF_OM", "101"}});
    preveriSPasovi({
        {"the rate period ends after the reporting date",
         kupon("30.06.2025"),
         spremenljiva,
         {{"ECB_39N", "13"}}},
        {"the rate period ends on the reporting date",
         kupon("31.12.2024"),
         spremenljiva,
         {{"ECB_39N", "01"}}},
        {"no period covers the reporting date", "", spremenljiva, {{"ECB_39N", "01"}}},
        {"a fixed rate", kupon("30.06.2025"), kObveznica, {{"ECB_39N", ""}}},
        {"a deposit", kupon("30.06.2025"), z(spremenljiva, {{"VKNT", "3"}}), {{"ECB_39N", ""}}},
    });
}

TEST_F(NewSchemeStepsTest, CodesOfTheRow) {
    const Izvor posojilo = {{"VKNT", "6"},
                            {"IDPOG", "200"},
                            {"KVALUTA", "E"},
                            {"ZNESEK", "-250000"},
                            {"DOGDAN", "10.12.2024"}};
    const Izvor vloga = {{"VKNT", "3"}, {"KVALUTA", "E"}};
    const Izvor zaprta = z(kObveznica, {{"ZNESEK", "0"}, {"DOGDAN", "10.12.2024"}});
    preveriSPasovi({
        {"a new loan of exactly 250000",
         "",
         posojilo,
         {{"ECB_19", "3"},
          {"ECB_20N", "3"},
          {"ECB_16N", "99"},
          {"ECB_22N", "06"},
          {"ECB_24N", ""},
          {"ECB_25N", "01"}}},
        {"a new loan of 250000.01",
         "",
         z(posojilo, {{"ZNESEK", "-250000.01"}}),
         {{"ECB_20N", "4"}}},
        {"a new loan above 1000000",
         "",
         z(posojilo, {{"ZNESEK", "-1000000.01"}}),
         {{"ECB_20N", "5"}}},
        {"an existing loan",
         "",
         z(posojilo, {{"DOGDAN", "30.11.2024"}}),
         {{"ECB_19", "1"}, {"ECB_20N", ""}}},
        {"a position of a company sector closed in the month",
         "",
         z(zaprta, {{"SEKTORIZACIJA", "S.11001"}}),
         {{"ECB_19", "2"}, {"ECB_20N", "3"}}},
        {"a position of the state sector closed in the month",
         "",
         z(zaprta, {{"SEKTORIZACIJA", "S.13"}}),
         {{"ECB_19", "2"}, {"ECB_20N", ""}}},
        {"quoted", "", z(kObveznica, {{"KOTACIJA", "D"}}), {{"ECB_17N", "3"}, {"ECB_16N", ""}}},
        {"not quoted", "", kObveznica, {{"ECB_17N", "4"}}},
        {"matured 91 days ago", "", z(vloga, {{"DOGZPD", "01.10.2024"}}), {{"ECB_18N", "S"}}},
        {"matured 90 days ago", "", z(vloga, {{"DOGZPD", "02.10.2024"}}), {{"ECB_18N", "N"}}},
        {"an own issue matured long ago",
         "",
         z(vloga, {{"DOGZPD", "01.10.2020"}, {"SFDJV", "L"}}),
         {{"ECB_18N", "N"}}},
        {"reference rate 103",
         "",
         z(kObveznica, {{"VRSTA_REF_OM", "103"}}),
         {{"ECB_22N", "06"}, {"ECB_24N", "103"}}},
        {"reference rate 107",
         "",
         z(kObveznica, {{"VRSTA_REF_OM", "107"}}),
         {{"ECB_22N", "07"}, {"ECB_24N", "107"}}},
        {"reference rate 109",
         "",
         z(kObveznica, {{"VRSTA_REF_OM", "109"}}),
         {{"ECB_22N", ""}, {"ECB_24N", "109"}}},
        {"a deposit with a reference rate",
         "",
         z(vloga, {{"VRSTA_REF_OM", "103"}}),
         {{"ECB_22N", ""}, {"ECB_24N", ""}}},
    });
}

TEST_F(NewSchemeStepsTest, OwnPortfolio) {
    // Security 7 matures with its coupon schedule on 30.06.2025 (first period from 01.07.2020);
    // contract 100 holds two lines, bought on 10.05.2023 and, on the primary market, on the
    // first day of the reporting month.
    const std::string imetje =
        std::string(kInstrumenti) + kTrgi +
        "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, ZDNDANTRG) VALUES "
        "(7, 1, '01.07.2020', '30.06.2024', NULL), (7, 2, '01.07.2024', '30.06.2025', NULL);"
        "INSERT INTO SFVP (SFVP, JAMSTVO) VALUES (7, '1');"
        "INSERT INTO DOG (IDDOG, IDVP, DAN, IDPOG, SFVP, SFPDG, SFTRG) VALUES "
        "(901, 6, '01.12.2024', 100, 7, 'N', '01');";
    const std::string obeVrstici = imetje +
                                   "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) "
                                   "VALUES ('31.12.2024', 7, 100, 5, '10.05.2023', 10, 'L'),"
                                   " ('31.12.2024', 7, 100, 6, '01.12.2024', 10, 'L');";
    const std::string novaVrstica = imetje +
                                    "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, "
                                    "SFDJV) VALUES ('31.12.2024', 7, 100, 6, '01.12.2024', 10, "
                                    "'L');";
    const Izvor lastna = z(kObveznica, {{"DEJAVNOST", "L"}, {"DOGDAN", "01.01.2019"}});
    preveriSPasovi({
        {"unlisted: opened with the earliest purchase",
         obeVrstici,
         lastna,
         {{"DAT_ZAPAD", "30.06.2025"},
          {"DatZapadPrvotni", "30.06.2025"},
          {"DAT_OTVORITVE", "10.05.2023"},
          {"ECB_19", "1"},
          {"ECB_14N", "14"},
          {"ECB_25N", "16"},
          {"ECB_22N", ""},
          {"ECB_24N", ""}}},
        {"listed: opened with the first coupon period",
         obeVrstici,
         z(lastna, {{"SFFIN", "D"}}),
         {{"DAT_OTVORITVE", "01.07.2020"}, {"ECB_14N", "14"}, {"ECB_22N", "08"}}},
        {"the security's own maturity counts first",
         obeVrstici,
         z(lastna, {{"ZPDVP", "15.01.2025"}}),
         {{"DAT_ZAPAD", "15.01.2025"}, {"ECB_15N", "12"}}},
        {"a primary purchase in the month is new",
         novaVrstica,
         lastna,
         {{"ECB_19", "3"}, {"DAT_OTVORITVE", "01.12.2024"}, {"ECB_14N", "13"}}},
        {"every own-portfolio row takes its rate codes",
         obeVrstici,
         z(lastna, {{"VKNT", "3"}, {"VRSTA_REF_OM", "103"}}),
         {{"ECB_22N", "06"}, {"ECB_24N", "103"}}},
        {"a listed bond with a reference rate is no 08",
         obeVrstici,
         z(lastna, {{"SFFIN", "D"}, {"VRSTA_REF_OM", "105"}}),
         {{"ECB_22N", "07"}}},
        {"a listed bond without interest is no 08",
         obeVrstici,
         z(lastna, {{"SFFIN", "D"}, {"SFGLVENT", "D"}}),
         {{"ECB_22N", ""}}},
    });
}

/// Renames the bands' table for the life of the object, so that the bank's function fails.
class BrezPasov {
public:
    explicit BrezPasov(TestBank& bank) : bank_(bank) {
        bank_.exec("ALTER TABLE ECB_SIFRANTI RENAME TO ECB_SIFRANTI_X");
    }
    ~BrezPasov() { bank_.exec("ALTER TABLE ECB_SIFRANTI_X RENAME TO ECB_SIFRANTI"); }
    BrezPasov(const BrezPasov&) = delete;
    BrezPasov& operator=(const BrezPasov&) = delete;

private:
    TestBank& bank_;
};

TEST_F(NewSchemeStepsTest, AFailingCodeStatementShowsItsMessagesAndEndsTheDerivation) {
    const std::string a = "select skup.p_ecb_pd.f_orig_zapad('N',null, :P_DATUM_M,:P_DATUM_V) "
                          "rezultat from dual";
    const std::string b = "select skup.p_ecb_pd.f_orig_zapad('N',null,:P_DATUM_M,:P_DATUM_V) "
                          "rezultat from dual";
    struct Primer {
        const char* opis;
        const char* vrstice;
        Izvor izvor;
        int korak;
        std::vector<std::string> sporocila;
    } primeri[] = {
        {"the initial term", "", z(kObveznica, {{"ZPDVP", "15.12.2025"}}), 26, {"Napaka1:\r" + a}},
        {"the residual term",
         "",
         z(kObveznica, {{"ZPDVP", "15.12.2025"}, {"DOGDAN", ""}}),
         27,
         {"Napaka2:\r" + b, "select skup.p_ecb_pd.f_orig_zapad('N',null,'31.12.2024','15.12.2025')"
                            " rezultat from dual"}},
        {"the reset term",
         "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, ZDNDANTRG) VALUES "
         "(7, 1, '01.07.2024', '30.06.2025', '30.06.2025');",
         z(kObveznica, {{"VKNT", "B"}, {"VRSTA_REF_OM", "101"}}),
         28,
         {"Napaka3:\r" + b, "select skup.p_ecb_pd.f_orig_zapad('N',null,'31.12.2024','30.06.2025')"
                            " rezultat from dual"}},
    };
    for (const Primer& primer : primeri) {
        SCOPED_TRACE(primer.opis);
        izprazni();
        rows(primer.vrstice);
        novPrenos();
        window.messages.clear();
        BrezPasov brez(bank);
        try {
            izpeljiDoKoraka33(primer.izvor);
            ADD_FAILURE() << "the derivation must fail";
        } catch (const NapakaKoraka& napaka) {
            EXPECT_EQ(napaka.stevilka(), primer.korak);
        }
        EXPECT_EQ(window.messages, primer.sporocila);
    }
}

} // namespace
} // namespace orv::test
