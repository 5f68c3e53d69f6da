// The reference lookups on both backends from one list of cases: rates, indexes, currencies,
// accounts, instruments and markets.

#include "lookup/Klasifikacija.h"
#include "lookup/Tecaji.h"
#include "server/LookupCase.h"

namespace orv::test {
namespace {

// The rows every case reads: rates, indexes, currencies, accounts, instruments, contracts and a
// primary-market purchase (contract 5, security 7, bought on 10.01.2023 by deal 11).
struct ReferenceRows {
    static constexpr const char* kDatabase = "orv_lookups";
    static constexpr const char* kRows =
        "INSERT INTO VLN (SFVLT, SFVLN, DAN, TCJ) VALUES "
        "('U', '0', '10.12.2023', 1.2), ('U', '0', '01.03.2024', 1.3), "
        "('U', '0', '16.03.2024', 1.4), ('U', '1', '14.03.2024', 9.9), "
        "('Z', '0', '01.01.2024', 0), ('O''B', '0', '01.01.2024', 7), ('e', '0', '01.01.2024', "
        "0.5);"
        "INSERT INTO INX (SFINX, DAN, INX) VALUES ('EUR3M', '01.01.2024', 3.9), "
        "('EUR3M', '15.03.2024', 3.95), ('EUR3M', '01.04.2024', 4.1);"
        "INSERT INTO SFINX (SFINX, OBD, NZV) VALUES ('EUR3M', 360, 'Euribor 3M');"
        "INSERT INTO VLT (SFVLT, IDBNK) VALUES ('G', '826'), ('H', NULL), ('O''B', '999');"
        "INSERT INTO SIFKONT (CTRL, DEVIZEN) VALUES (612, 'N'), (613, 'D');"
        "INSERT INTO SIF (SSF, SIF, KRT) VALUES ('LST', 'D', 'borza'), ('LST', 'K', NULL), "
        "('LST', 'k', 'kot'), ('LST', 'N', 'ne'), ('LST', 'd', 'mala'), ('OTH', 'K', 'x');"
        "INSERT INTO FIN (SFFIN, SFLST) VALUES ('A', 'D'), ('B', 'K'), ('C', 'k'), ('E', 'N'), "
        "('F', 'd'), ('G', NULL), ('''', 'D');"
        "INSERT INTO POG (IDPOG, BAN_TRG) VALUES (5, 'B'), (6, NULL);"
        "INSERT INTO TRG (SFTRG, SFTRZ) VALUES ('P', '1'), ('S', '2');"
        "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, SFDJV) VALUES "
        "('15.03.2024', 7, 5, 1, '10.01.2023', 'L');"
        "INSERT INTO DOG (IDDOG, IDVP, DAN, IDPOG, SFVP, SFPDG, SFTRG) VALUES "
        "(11, 1, '10.01.2023', 5, 7, 'N', 'P')";
};

const LookupCase kCases[] = {
    {"RateOnTheDay",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "U", "15.03.2024")); }, "1.3"},
    {"RateFromItsOwnDay",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "U", "01.03.2024")); }, "1.3"},
    {"RateWithATimeOfDay",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "U", "15.03.2024 23:59:59")); },
     "1.3"},
    {"RateOfAOneDigitMonth",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "U", "16.3.2024")); }, "1.4"},
    {"NoRateBefore",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "U", "9.12.2023")); }, "0"},
    {"RateOfZero",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "Z", "15.03.2024")); }, "0"},
    {"RateOfAQuotedKey",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "O'B", "15.03.2024")); }, "7"},
    {"RateOfALowerCaseKey",
     [](TDM& dm, Vmesnik& w) { return number(TecajValute(dm, w, "e", "15.03.2024")); }, "0.5"},
    {"IndexValue",
     [](TDM& dm, Vmesnik& w) { return number(VrednostIndeksa(dm, w, "EUR3M", "31.03.2024")); },
     "3.95"},
    {"IndexBeforeItsFirstValue",
     [](TDM& dm, Vmesnik& w) { return number(VrednostIndeksa(dm, w, "EUR3M", "31.12.2023")); },
     "0"},
    {"IndexKeyIsNotTrimmed",
     [](TDM& dm, Vmesnik& w) { return number(VrednostIndeksa(dm, w, "EUR3M ", "31.03.2024")); },
     "0"},
    {"IndexBasis", [](TDM& dm, Vmesnik& w) { return number(OsnovaIndeksa(dm, w, "EUR3M")); },
     "360"},
    {"IndexName", [](TDM& dm, Vmesnik& w) { return NazivIndeksa(dm, w, "EUR3M"); }, "Euribor 3M"},
    {"UnknownIndexName", [](TDM& dm, Vmesnik& w) { return NazivIndeksa(dm, w, "LIBOR"); }, ""},
    {"CurrencyCode", [](TDM& dm, Vmesnik& w) { return SifraValute(dm, w, "G"); }, "826"},
    {"CurrencyCodeOfAnUnknownKey", [](TDM& dm, Vmesnik& w) { return SifraValute(dm, w, "X"); },
     "978"},
    {"CurrencyWithoutACode", [](TDM& dm, Vmesnik& w) { return SifraValute(dm, w, "H"); }, ""},
    {"CurrencyCodeOfAQuotedKey", [](TDM& dm, Vmesnik& w) { return SifraValute(dm, w, "O'B"); },
     "999"},
    {"ForeignCurrencyAccount", [](TDM& dm, Vmesnik& w) { return BeriDevizen(dm, w, 613); }, "D"},
    {"UnknownAccount", [](TDM& dm, Vmesnik& w) { return BeriDevizen(dm, w, 614); }, ""},
    {"ListedInstrument",
     [](TDM& dm, Vmesnik& w) { return yesNo(SteviloListFin(dm, w, "A")) + ListFin(dm, w, "A"); },
     "yesD"},
    {"ListCodeWithoutShortName",
     [](TDM& dm, Vmesnik& w) { return yesNo(SteviloListFin(dm, w, "B")) + ListFin(dm, w, "B"); },
     "noK"},
    {"LowerCaseListCode",
     [](TDM& dm, Vmesnik& w) { return yesNo(SteviloListFin(dm, w, "C")) + ListFin(dm, w, "C"); },
     "yesk"},
    {"ListCodeCaseMatters",
     [](TDM& dm, Vmesnik& w) { return yesNo(SteviloListFin(dm, w, "F")) + ListFin(dm, w, "F"); },
     "nod"},
    {"InstrumentWithoutListCode",
     [](TDM& dm, Vmesnik& w) { return yesNo(SteviloListFin(dm, w, "G")) + ListFin(dm, w, "G"); },
     "no"},
    {"InstrumentKeyAQuote",
     [](TDM& dm, Vmesnik& w) { return yesNo(SteviloListFin(dm, w, "'")) + ListFin(dm, w, "'"); },
     "yesD"},
    {"ContractMarketFlag",
     [](TDM& dm, Vmesnik& w) {
         return BanTrg(dm, w, 5) + "/" + BanTrg(dm, w, 6) + "/" + BanTrg(dm, w, 7);
     },
     "B//"},
    {"PrimaryMarketPurchase",
     [](TDM& dm, Vmesnik& w) {
         return yesNo(PrimarniTrg(dm, w, 7, 5)) + yesNo(PrimarniTrg(dm, w, 7, 6));
     },
     "yesno"},
};

using LookupsOnBothBackends = LookupSuite<ReferenceRows>;

TEST_P(LookupsOnBothBackends, GiveTheBankDatabaseAnswer) {
    expectOnBothBackends(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Lookups, LookupsOnBothBackends, testing::ValuesIn(kCases), caseName);

} // namespace
} // namespace orv::test
