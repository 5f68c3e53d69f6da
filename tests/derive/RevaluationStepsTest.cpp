// Revaluation, bookkeeping fields, opening date, the interim residual-term code and the issue
// status, derived through PolniPodatke on small banks. The reporting date is 31.12.2024.

#include "DerivationBank.h"

#include "base/Datum.h"
#include "base/Referent.h"

namespace orv::test {
namespace {

using RevaluationStepsTest = DerivationBank;

// A listed bond of contract 100 in euros, of security 7, outside the bank's own portfolio.
const Izvor kObveznica = {{"VKNT", "1"},       {"SFVP", "7"},     {"IDPOG", "100"},
                          {"POSEL", "5"},      {"SFFIN", "D"},    {"KVALUTA", "E"},
                          {"ZNESEK", "-1000"}, {"KONTO", "1700"}, {"SFGLVENT", "%"}};

std::string kupon(const std::string& sfinx, int sfobd, double obrprc) {
    return "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, SFOBD, SFINX, REFOBM, OBRPRC) VALUES "
           "(7, 1, '01.07.2024', '31.12.2024', " +
           std::to_string(sfobd) + ", " + (sfinx.empty() ? "NULL" : "'" + sfinx + "'") +
           ", 'R6M', " + std::to_string(obrprc) + ");";
}

TEST_F(RevaluationStepsTest, RevaluationAndRealInterestOfListedSecurities) {
    const std::string indeks = "INSERT INTO SFINX (SFINX, OBD, NZV) VALUES ('EUR6M', 1, 'Euribor'),"
                               " ('EUR3M', 360, 'Euribor 3M');"
                               "INSERT INTO INX (SFINX, DAN, INX) VALUES ('EUR6M', '01.12.2024', "
                               "3.25), ('EUR6M', '02.01.2025', 9), (' ', '01.01.2024', 1.5);";
    preveri({
        {"a blank index key is no index for the code, but its value is read",
         std::string(kInstrumenti) + indeks + kupon(" ", 12, 4),
         z(kObveznica, {{"FIXOBR", "0"}}),
         {{"REVAL_DML", "0"}, {"REVAL_OBRM", "1.5"}, {"REAL_DML", "3"}, {"REAL_OBRM", "4"}}},
        {"an index of basis 1, valued on the latest day not after the reporting date",
         std::string(kInstrumenti) + indeks + kupon("EUR6M", 12, 4),
         z(kObveznica, {{"FIXOBR", "2.5"}}),
         {{"REVAL_DML", "2"}, {"REVAL_OBRM", "3.25"}, {"REAL_DML", "3"}, {"REAL_OBRM", "2.5"}}},
        {"an index of another basis; without interest the real rate stays 0",
         std::string(kInstrumenti) + indeks + kupon("EUR3M", 12, 0),
         z(kObveznica, {{"SFGLVENT", "D"}}),
         {{"REVAL_DML", "3"}, {"REVAL_OBRM", "0"}, {"REAL_DML", "0"}, {"REAL_OBRM", "0"}}},
        {"unlisted with semi-annual coupons: only REAL_DML is set",
         std::string(kInstrumenti) + indeks + kupon("EUR6M", 6, 4),
         z(kObveznica, {{"SFFIN", "n"}, {"FIXOBR", "2.5"}}),
         {{"REVAL_DML", "0"}, {"REVAL_OBRM", "0"}, {"REAL_DML", "3"}, {"REAL_OBRM", "0"}}},
        {"unlisted with yearly coupons",
         std::string(kInstrumenti) + indeks + kupon("EUR6M", 12, 4),
         z(kObveznica, {{"SFFIN", "n"}}),
         {{"REVAL_DML", "0"}, {"REVAL_OBRM", "0"}, {"REAL_DML", "0"}, {"REAL_OBRM", "0"}}},
    });
}

TEST_F(RevaluationStepsTest, BookkeepingFields) {
    setProgramParameters({"ORVDEMO", "OPERATER", "demo", "REFERENT0123"});
    const IzhodniZapis& zapis = izpeljiDoKoraka33(z(kObveznica, {{"KNTORG", "08"}}));
    setProgramParameters({});
    EXPECT_EQ(zapis.DAT_STANJE, "31.12.2024");
    EXPECT_EQ(zapis.ID_SM, "08");
    EXPECT_EQ(zapis.ID_APLI, "34");
    EXPECT_EQ(zapis.OPOMBA, " "); // a single blank, not empty
    EXPECT_EQ(zapis.ID_REFE, "REFERENT01");
    EXPECT_EQ(zapis.DAT_VPISA, formatDate(today()));
    EXPECT_EQ(zapis.ID_STOR, "34");
    EXPECT_EQ(zapis.DAT_PRENOS, "31.12.2024");
}

TEST_F(RevaluationStepsTest, FirstOpeningDate) {
    const std::string kupona = std::string(kInstrumenti) +
                               "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN) VALUES "
                               "(7, 1, '01.07.2020', '30.06.2022'), (7, 2, '01.07.2022', "
                               "'30.06.2026');";
    const std::string imetje = "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) "
                               "VALUES ('31.12.2024', 7, 100, 5, '10.05.2023', 10, 'L'),"
                               " ('31.12.2024', 7, 100, 6, '20.08.2024', 10, 'L'),"
                               " ('30.11.2024', 7, 100, 6, '21.08.2024', 10, 'L');";
    const Izvor odprt = z(kObveznica, {{"DOGDAN", "15.03.2020"}});
    preveri({
        {"unlisted: the deal's date",
         kupona,
         z(odprt, {{"SFFIN", "n"}}),
         {{"DAT_OTVORITVE", "15.03.2020"}}},
        {"listed: the first day of the first coupon period",
         kupona,
         odprt,
         {{"DAT_OTVORITVE", "01.07.2020"}}},
        {"contract 4790: the reporting date",
         kupona,
         z(odprt, {{"IDPOG", "4790"}}),
         {{"DAT_OTVORITVE", "31.12.2024"}}},
        {"contract 4790 of class A keeps its own",
         kupona,
         z(odprt, {{"IDPOG", "4790"}, {"VKNT", "A"}}),
         {{"DAT_OTVORITVE", "15.03.2020"}}},
        {"class B: the reporting date",
         kupona,
         z(odprt, {{"VKNT", "B"}}),
         {{"DAT_OTVORITVE", "31.12.2024"}}},
        {"own issue of class 2: the latest purchase of the holding",
         kupona + imetje,
         z(odprt, {{"VKNT", "2"}, {"SFFIN", "L"}}),
         {{"DAT_OTVORITVE", "20.08.2024"}}},
        {"class 3: the posting date",
         kupona,
         z(odprt, {{"VKNT", "3"}, {"DATUMV", "20.11.2024"}}),
         {{"DAT_OTVORITVE", "20.11.2024"}}},
        {"a loan: the deal's date",
         kupona,
         z(odprt, {{"VKNT", "6"}, {"SFFIN", "n"}}),
         {{"DAT_OTVORITVE", "15.03.2020"}}},
    });
}

TEST_F(RevaluationStepsTest, InterimResidualTermCode) {
    // List '014' classifies the days; a code of three digits keeps its first two.
    const std::string pasovi = "INSERT INTO ECB_SIFRANTI (ECB_SEZNAM_ID, ECB_SIFR_ID, INTERVAL_OD, "
                               "INTERVAL_DO) VALUES ('014', '01', 0, 0), ('014', '13', 1, 180),"
                               " ('014', '06', 181, 365), ('014', '123', 366, NULL);";
    auto kupon = [](const char* konec) {
        return std::string("INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN) VALUES (7, 1, "
                           "'01.01.2024', '") +
               konec + "');";
    };
    const std::string osnova = std::string(kInstrumenti) + pasovi;
    preveri({
        {"listed, 365 days left",
         osnova + kupon("31.12.2025"),
         kObveznica,
         {{"ECB_15", "06"}, {"ECB_16", ""}}},
        {"listed, 366 days left", osnova + kupon("01.01.2026"), kObveznica, {{"ECB_15", "12"}}},
        {"listed, the schedule ended before the reporting date",
         osnova + kupon("30.06.2024"),
         kObveznica,
         {{"ECB_15", "01"}}},
        {"unlisted",
         osnova + kupon("31.12.2025"),
         z(kObveznica, {{"SFFIN", "n"}}),
         {{"ECB_15", ""}}},
        {"own issue",
         osnova + kupon("31.12.2025"),
         z(kObveznica, {{"SFFIN", "L"}}),
         {{"ECB_15", ""}}},
        {"class 3", osnova, z(kObveznica, {{"VKNT", "3"}, {"SFFIN", "n"}}), {{"ECB_15", "01"}}},
        {"class B",
         osnova + kupon("31.12.2025"),
         z(kObveznica, {{"VKNT", "B"}}),
         {{"ECB_15", "01"}}},
        {"a loan",
         osnova,
         z(kObveznica, {{"VKNT", "6"}, {"SFFIN", "n"}}),
         {{"ECB_15", "01"}, {"ECB_16", "99"}, {"ECB_17", ""}}},
    });
}

TEST_F(RevaluationStepsTest, IssueStatusValueAndSizeCode) {
    // Security 7 is held by contract 100 on line 5, bought on 01.12.2024 by deal 900 on the
    // market `trg`; its nominal is 1000 per unit.
    auto nakup = [](const char* dan, const char* trg, int lot) {
        return std::string(kInstrumenti) + kTrgi +
               "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) VALUES "
               "('31.12.2024', 7, 100, 5, '" +
               dan + "', " + std::to_string(lot) +
               ", 'L');"
               "INSERT INTO DOG (IDDOG, IDVP, DAN, IDPOG, SFVP, SFPDG, SFTRG) VALUES (900, 5, '" +
               dan + "', 100, 7, 'N', '" + trg + "');";
    };
    const Izvor nova = z(kObveznica, {{"GLVNMN", "1000"}, {"ZNESEK", "-500"}});
    const Izvor posojilo = {{"VKNT", "6"},      {"IDPOG", "200"}, {"KVALUTA", "E"},
                            {"ZNESEK", "-500"}, {"SFFIN", "n"},   {"DOGDAN", "10.12.2024"}};
    preveri({
        {"bought on the primary market on the first day of the month",
         nakup("01.12.2024", "01", 1000),
         nova,
         {{"ECB_17", "1"}, {"ECB_19", "3"}, {"ECB_20", "1"}, {"ECB_29", "500"}}},
        {"a new issue worth more than 1000000 in domestic currency",
         nakup("01.12.2024", "01", 1001),
         nova,
         {{"ECB_19", "3"}, {"ECB_20", "2"}}},
        {"bought the day before the month",
         nakup("30.11.2024", "01", 1000),
         nova,
         {{"ECB_19", "1"}, {"ECB_20", "1"}, {"ECB_29", "0"}}},
        {"bought in the month on the stock exchange",
         nakup("01.12.2024", "02", 1000),
         nova,
         {{"ECB_19", "1"}}},
        {"account 257 is always an existing position",
         nakup("01.12.2024", "01", 1000),
         z(nova, {{"KKONTO", "257"}}),
         {{"ECB_19", "1"}}},
        {"an own issue has no status in this step and ends with 1",
         nakup("01.12.2024", "01", 1000),
         z(nova, {{"SFFIN", "L"}}),
         {{"ECB_19", "1"}, {"ECB_20", ""}}},
        {"an unlisted position opened and closed within the month",
         "",
         z(kObveznica, {{"SFFIN", "n"}, {"DOGDAN", "10.12.2024"}, {"ZNESEK", "0"}}),
         {{"ECB_19", "2"}, {"ECB_20", ""}}},
        {"a loan opened in the month", "", posojilo, {{"ECB_19", "3"}, {"ECB_17", ""}}},
        {"a loan opened and repaid in the month",
         "",
         z(posojilo, {{"ZNESEK", "0"}}),
         {{"ECB_19", "2"}}},
        {"a loan opened before the month",
         "",
         z(posojilo, {{"DOGDAN", "30.11.2024"}}),
         {{"ECB_19", "1"}}},
    });
}

} // namespace
} // namespace orv::test
