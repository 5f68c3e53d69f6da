// Interest-rate type, yield and security codes, and the second maturity-date rules, derived
// through PolniPodatke on small banks. The reporting date is 31.12.2024.

#include "DerivationBank.h"

namespace orv::test {
namespace {

using InterestStepsTest = DerivationBank;

// A listed bond of security 7 held by contract 100 on line 5, outside the own portfolio.
const Izvor kObveznica = {{"VKNT", "5"},  {"SFVP", "7"},    {"IDPOG", "100"},   {"POSEL", "5"},
                          {"SFFIN", "D"}, {"KVALUTA", "E"}, {"ZNESEK", "-800"}, {"SFGLVENT", "%"}};

// A coupon period of security 7 that covers the reporting date.
std::string kupon(const std::string& sfinx, int sfobd, double obrprc) {
    return "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, ZDNDANTRG, SFOBD, SFINX, REFOBM, "
           "OBRPRC) VALUES (7, 2, '01.07.2024', '31.12.2024', '30.12.2024', " +
           std::to_string(sfobd) + ", " + (sfinx.empty() ? "NULL" : "'" + sfinx + "'") +
           ", 'R6M', " + std::to_string(obrprc) + ");";
}

// The holding bought on `dan` on the primary market: a new issue when `dan` lies in December.
std::string nakup(const char* dan) {
    return std::string(kTrgi) +
           "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, GLVTCJNKP, SFDJV) VALUES "
           "('31.12.2024', 7, 100, 5, '" +
           dan + "', 10, 100, 'L');" +
           "INSERT INTO DOG (IDDOG, IDVP, DAN, IDPOG, SFVP, SFPDG, SFTRG) VALUES (900, 5, '" + dan +
           "', 100, 7, 'N', '01');";
}

const char* const kIndeksi = "INSERT INTO SFINX (SFINX, OBD, NZV) VALUES ('TOMX', 1, 'TOM dnevni'),"
                             " ('EUR6M', 1, 'Euribor 6M');";

TEST_F(InterestStepsTest, RateTypeAndSecurityCodes) {
    const std::string osnova = std::string(kInstrumenti) + kIndeksi;
    const Izvor posojilo = {{"VKNT", "6"},          {"IDPOG", "200"},
                            {"KVALUTA", "E"},       {"ZNESEK", "-500"},
                            {"SFFIN", "n"},         {"DOGDAN", "10.12.2024"},
                            {"SFDRZ", "X"},         {"SWIFT", "ABCDEFGHIJKLMN"},
                            {"MTS", "M12345678901"}};
    preveri({
        {"a listed floating-rate bond whose index name holds TOM",
         osnova + kupon("TOMX", 12, 3),
         kObveznica,
         {{"ECB_21", "TOM"},
          {"ECB_24", ""},
          {"ECB_39", "23"},
          {"ECB_22", ""},
          {"ECB_23", ""},
          {"ECB_25", ""},
          {"ECB_26", ""},
          {"ECB_27", ""}}},
        {"a listed bond with another index",
         osnova + kupon("EUR6M", 12, 3),
         kObveznica,
         {{"ECB_21", "OST"}, {"ECB_24", ""}}},
        {"a listed bond without an index",
         osnova + kupon("", 12, 3),
         kObveznica,
         {{"ECB_21", "NOM"}, {"ECB_24", "R6"}}},
        {"an unlisted class A row",
         osnova,
         z(kObveznica, {{"VKNT", "A"}, {"SFFIN", "n"}}),
         {{"ECB_21", "NOM"}, {"ECB_24", ""}}},
        {"a new loan abroad",
         osnova,
         posojilo,
         {{"ECB_21", "NOM"},
          {"ECB_22", "2"},
          {"ECB_25", "14"},
          {"ECB_26", "ABCDEFGHIJK"},
          {"ECB_29", "500"},
          {"ECB_38", "2"}}},
        {"a loan at home", osnova, z(posojilo, {{"SFDRZ", "S"}}), {{"ECB_26", "M1234567890"}}},
        {"a loan to a counterparty of sector F",
         osnova,
         z(posojilo, {{"SFSOS", "F"}}),
         {{"ECB_26", "5980003"}}},
        {"a loan row of a securities class",
         osnova,
         z(kObveznica, {{"SFVPKRT", "POSOJILO"}, {"SFSOS", "F"}}),
         {{"ECB_26", "5980003"}}},
    });
}

TEST_F(InterestStepsTest, InterestRatesAndYields) {
    // The yield is compounded for a security whose instrument is listed ("D").
    const std::string osnova =
        std::string(kInstrumenti) + kIndeksi + "INSERT INTO SFVP (SFVP, SFFIN) VALUES (7, 'D');";
    preveri({
        {"semi-annual coupons of a new issue",
         osnova + kupon("", 6, 2.5) + nakup("01.12.2024"),
         kObveznica,
         {{"ECB_19", "3"},
          {"ECB_30", "5"},
          {"ECB_31", "5"},
          {"ECB_32", "0"},
          {"ECB_33", "2.5"},
          {"ECB_22", "1"},
          {"ECB_34", "5"},
          {"ECB_35", "5"},
          {"ECB_38", "1"}}},
        {"quarterly coupons of a new issue",
         osnova + kupon("", 3, 2.5) + nakup("01.12.2024"),
         kObveznica,
         {{"ECB_30", "10"}, {"ECB_31", "10"}, {"ECB_33", "2.5"}, {"ECB_34", "2.5235"}}},
        {"yearly coupons of an existing position",
         osnova + kupon("", 12, 4) + nakup("01.06.2024"),
         kObveznica,
         {{"ECB_19", "1"},
          {"ECB_30", "4"},
          {"ECB_31", "0"},
          {"ECB_33", "0"},
          {"ECB_34", "4"},
          {"ECB_35", "0"},
          {"ECB_22", ""},
          {"ECB_39", "01"}}},
        {"unlisted: no yields, code 2",
         osnova + kupon("", 12, 4) + nakup("01.06.2024"),
         z(kObveznica, {{"SFFIN", "n"}}),
         {{"ECB_34", "0"}, {"ECB_35", "0"}, {"ECB_38", "2"}, {"ECB_39", ""}}},
    });
}

TEST_F(InterestStepsTest, ResetCodeEcb39) {
    const std::string osnova = std::string(kInstrumenti) + kIndeksi + kupon("", 12, 4);
    preveri({
        {"class 1 with interest", osnova, z(kObveznica, {{"VKNT", "1"}}), {{"ECB_39", "02"}}},
        {"class 1 without interest",
         osnova,
         z(kObveznica, {{"VKNT", "1"}, {"SFGLVENT", "D"}}),
         {{"ECB_39", ""}}},
        {"class 9 of contract 60391, unlisted",
         osnova,
         z(kObveznica, {{"VKNT", "9"}, {"IDPOG", "60391"}, {"SFFIN", "n"}}),
         {{"ECB_39", "02"}}},
        {"a listed share", osnova, z(kObveznica, {{"SFTPF", "T"}}), {{"ECB_39", "23"}}},
    });
}

TEST_F(InterestStepsTest, SecondMaturityDateRules) {
    // The holding line was bought on 15.03.2024, in the period that ends on 30.06.2024.
    const std::string osnova =
        std::string(kInstrumenti) +
        "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, ZDNDANTRG, SFOBD) VALUES "
        "(7, 1, '01.01.2024', '30.06.2024', '28.06.2024', 6),"
        " (7, 2, '01.07.2024', '31.12.2024', '30.12.2024', 6);"
        "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, SFDJV) VALUES "
        "('31.12.2024', 7, 100, 5, '15.03.2024', 10, 'L');";
    const Izvor vrstica = z(kObveznica, {{"ZPDVP", "15.06.2030"}, {"DOGZPD", "  01.02.2027 "}});
    preveri({
        {"accrued interest matures with the period of its purchase",
         osnova,
         z(vrstica, {{"VKNT", "2"}}),
         {{"DAT_ZAPAD", "30.06.2024"}, {"DatZapadPrvotni", "30.06.2024"}}},
        {"contract 25283",
         osnova,
         z(vrstica, {{"IDPOG", "25283"}, {"VKNT", "1"}}),
         {{"DAT_ZAPAD", "31.12.2024"}, {"DatZapadPrvotni", "31.12.2024"}}},
        {"class C", osnova, z(vrstica, {{"VKNT", "C"}}), {{"DAT_ZAPAD", "31.12.2024"}}},
        {"class 9: the end of the current period",
         osnova,
         z(vrstica, {{"VKNT", "9"}}),
         {{"DAT_ZAPAD", "31.12.2024"}, {"DatZapadPrvotni", "31.12.2024"}}},
        {"class 4: the deal's maturity",
         osnova,
         z(vrstica, {{"VKNT", "4"}}),
         {{"DAT_ZAPAD", "01.02.2027"}, {"DatZapadPrvotni", "01.02.2027"}}},
    });
}

} // namespace
} // namespace orv::test
