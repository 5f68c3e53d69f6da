// The lookups of holdings, ledger balances and coupon periods on both backends from one list of
// cases, failures included: a lookup that fails shows the operator the same messages on both.

#include "lookup/Imetja.h"
#include "lookup/Kuponi.h"
#include "lookup/Salda.h"
#include "server/LookupCase.h"

namespace orv::test {
namespace {

// Each group of cases reads rows of its own keys (securities, contracts, accounts), so that the
// cases share one bank without seeing each other's rows.
struct LedgerRows {
    static constexpr const char* kDatabase = "orv_ledger_lookups";
    static constexpr const char* kRows =
        // Holdings of security 7 on 15.03.2024: contract 5 holds lines 1 and 2, contract 6 line
        // 3; line 4 is of another day.
        "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, LOT, GLVTCJNKP) VALUES "
        "('15.03.2024', 7, 5, 1, '10.01.2023', 100, 98),"
        "('15.03.2024', 7, 5, 2, '20.06.2023', 30, 100),"
        "('15.03.2024', 7, 6, 3, '01.02.2024', 5, 0),"
        "('14.03.2024', 7, 5, 4, '01.01.2020', 1000, 50);"
        // Coupon periods: security 7 has two quarterly periods, security 8 none.
        "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, PRVDANTRG, ZDNDANTRG, SFOBD, SFINX, "
        "REFOBM, GLVOBR, OBRPRC, OBROBR) VALUES "
        "(7, 1, '01.01.2024', '31.03.2024', '02.01.2024', '29.03.2024', 3, 'EUR3M', 'R', "
        "1000, 4.5, 11.25),"
        "(7, 2, '01.04.2024', '30.06.2024', '02.04.2024', '28.06.2024', 3, 'EUR3M', 'R', "
        "1000, 5, 12.5);"
        // Yields: securities 20 to 24, one a listing code each, with a coupon period over 2024
        // and holding line 1 of contract 5 bought on 10.01.2023.
        "INSERT INTO SFVP (SFVP, SFFIN) VALUES (20, 'P'), (21, 'Q'), (22, 'R'), (23, 'S'), "
        "(24, 'T');"
        "INSERT INTO FIN (SFFIN, SFLST) VALUES ('P', 'D'), ('Q', 'K'), ('R', 'X'), ('S', 'Y'), "
        "('T', 'd');"
        "INSERT INTO SIF (SSF, SIF) VALUES ('LST', 'D'), ('LST', 'K'), ('LST', 'X'), "
        "('LST', 'd'), ('OTH', 'Y');"
        "INSERT INTO KPN (SFVP, STKPN, PRVDAN, ZDNDAN, OBRPRC) "
        "SELECT column1, 1, '01.01.2024', '31.12.2024', column2 FROM (VALUES "
        "(20, 10), (21, 5), (22, 12), (23, 12), (24, 12));"
        "INSERT INTO VPHST (DAN, SFVP, IDPOG, IDVP, DANNKP, GLVTCJNKP) "
        "SELECT '15.03.2024', column1, 5, 1, '10.01.2023', column2 FROM (VALUES "
        "(20, 98), (21, 50), (22, 98), (23, 98), (24, 98));"
        // Month-to-date postings of account 612 in currency 'U', contract 5, security 7 around
        // the reporting date, postings that differ in one key each, and account 617.
        "INSERT INTO KNJIZBE (KONTO, VALUTA, IDPOG, VP, IDVP, DATUMV, BZNESEK, DZNESEK, "
        "BZNESEKSIT, DZNESEKSIT) VALUES "
        "(612, 'U', 5, 7, 3, '29.02.2024', 0, 0, 1000, 0)," // before the month
        "(612, 'U', 5, 7, 3, '01.03.2024', 0, 0, 100, 0),"  // the month's first day
        "(612, 'U', 5, 7, 3, '15.03.2024', 0, 0, 20, 5),"   // the reporting day
        "(612, 'U', 5, 7, 3, '16.03.2024', 0, 0, 3000, 0)," // after it
        "(613, 'U', 5, 7, 3, '10.03.2024', 0, 0, 7, 0),"    // another account
        "(612, 'E', 5, 7, 3, '10.03.2024', 0, 0, 7, 0),"    // another currency
        "(612, 'U', 6, 7, 3, '10.03.2024', 0, 0, 7, 0),"    // another contract
        "(612, 'U', 5, 8, 3, '10.03.2024', 0, 0, 7, 0),"    // another security
        "(617, 'U', 5, 7, 3, '02.03.2024', 0, 0, 40, 1),"
        "(617, 'U', 5, 7, 3, '16.03.2024', 0, 0, 500, 0);"
        // Holding line 3 on the accounts of class '5' (vprc '3'); account 900 is class '5' with
        // vprc '1'. Accounts 100 to 103 are averaged (class '1' or '3').
        "INSERT INTO MATRIKA (CTRL, VKNT, VPRC) VALUES (500, '5', '3'), (501, '5', '3'), "
        "(900, '5', '1'), (600, '6', '3'), (100, '1', '3'), (101, '1', '3'), (102, '3', '3'), "
        "(103, '1', '1');"
        "INSERT INTO KNJIZBE (KONTO, VALUTA, IDVP, DATUMV, BZNESEK, DZNESEK, BZNESEKSIT, "
        "DZNESEKSIT) VALUES "
        "(500, 'U', 3, '01.01.2024', 100, 0, 120, 0),"
        "(501, 'U', 3, '15.03.2024', 50, 10, 60, 12),"
        "(500, 'U', 3, '31.12.2023', 1000, 0, 1000, 0)," // last year
        "(500, 'U', 3, '16.03.2024', 1000, 0, 1000, 0)," // after the reporting day
        "(900, 'U', 3, '01.02.2024', 1000, 0, 1000, 0)," // not vprc 3
        "(600, 'U', 3, '01.02.2024', 1000, 0, 1000, 0)," // another class
        "(500, 'U', 4, '01.02.2024', 1000, 0, 1000, 0);" // another line
        // Year and month balances of accounts 300 to 303 in 'U', and of 300 in 'O''B'.
        "INSERT INTO KNJIZBE (KONTO, VALUTA, DATUMV, BZNESEK, DZNESEK) VALUES "
        "(300, 'U', '10.01.2024', 50, 0), (300, 'U', '05.03.2024', 0, 20),"
        "(300, 'O''B', '10.01.2024', 8, 0),"
        "(301, 'U', '10.01.2024', 100, 0), (301, 'U', '05.03.2024', 0, 100),"
        "(302, 'U', '16.03.2024', 100, 0),"
        "(303, 'U', '05.03.2024', 100, 0), (303, 'U', '06.03.2024', 0, 100);"
        // Average balances of security 7, one contract per group of cases.
        "INSERT INTO SIFKONT (CTRL, OZNAKA) VALUES (100, '0100'), (101, 'O''B'), (102, '0100'), "
        "(103, '0100');"
        "INSERT INTO KNJIZBE (IDPOG, VP, KONTO, DATUMV, BZNESEK, DZNESEK) VALUES "
        "(5, 7, 100, '10.01.2024', 310, 0)," // opening balance from an earlier month
        "(5, 7, 100, '05.03.2024', 40, 0), (5, 7, 100, '05.03.2024', 22, 0)," // one day, two
        "(5, 7, 100, '20.03.2024', 0, 31),"   // after the reporting day: still counted
        "(5, 7, 100, '10.03.2023', 9999, 0)," // last year
        "(5, 7, 102, '06.03.2024', 9999, 0)," // class 3 is not averaged
        "(5, 7, 103, '06.03.2024', 9999, 0)," // not vprc 3
        "(8, 7, 100, '10.01.2024', 100, 0), (8, 7, 100, '29.02.2024', 0, 30.5),"
        "(9, 7, 101, '10.01.2024', 100, 0), (9, 7, 100, '10.01.2024', 7, 0),"
        "(10, 7, 100, '29.02.2024', 28, 0), (11, 7, 100, '28.02.2100', 28, 0)";
};

/// The coupon period BeriKupon leaves open: its row count, then ZDNDAN, SFOBD, SFINX, REFOBM,
/// GLVOBR, ZDNDANTRG, OBRPRC and OBROBR as the derivation reads them.
std::string openCouponPeriod(TDM& dm, Vmesnik& w, int sfvp) {
    BeriKupon(dm, w, sfvp);
    std::string row = std::to_string(dm.Qkpn.RecordCount());
    for (const char* field :
         {"ZDNDAN", "SFOBD", "SFINX", "REFOBM", "GLVOBR", "ZDNDANTRG", "OBRPRC", "OBROBR"})
        row += "/" + dm.Qkpn.FieldByName(field).AsString();
    return row;
}

/// The yield of holding line 1 of contract `idpog` on the reporting date, with the reference
/// index value `revalObrm`, followed by the line's purchase date.
std::string yield(TDM& dm, Vmesnik& w, int sfvp, int sfobd, int idpog, double revalObrm = 0) {
    BeriKupon(dm, w, sfvp);
    KontekstVrstice kontekst;
    kontekst.REVAL_OBRM = revalObrm;
    DateValue danNakupa = -1;
    const double y =
        NabavniTecajNKP(dm, w, kontekst, sfvp, sfobd, idpog, 1, encodeDate(2024, 3, 15), danNakupa);
    return number(y) + " " + date(danNakupa);
}

/// The coupon schedule of a security: PrviDanKPN/DniKPN/PreostaliDniKPN.
std::string couponSchedule(TDM& dm, Vmesnik& w, int sfvp) {
    KontekstVrstice kontekst;
    kontekst.PrviDanKPN = "from an earlier row";
    kontekst.DniKPN = kontekst.PreostaliDniKPN = 99;
    RacunajSteviloDni(dm, w, kontekst, sfvp);
    return kontekst.PrviDanKPN + "/" + number(kontekst.DniKPN) + "/" +
           number(kontekst.PreostaliDniKPN);
}

/// The balance of holding line 3 on the accounts of a class, for a row of an account with
/// DEVIZEN `devizen` and the rate `tecaj`.
std::string holdingBalance(TDM& dm, Vmesnik& w, const char* devizen, double tecaj,
                           const char* vknt = "5") {
    KontekstVrstice kontekst;
    kontekst.DevizenVrstice = devizen;
    kontekst.TecajVrstice = tecaj;
    return number(StanjeECB52(dm, w, kontekst, 3, vknt));
}

const LookupCase kCases[] = {
    // --- Holdings -------------------------------------------------------------------------
    {"PurchaseDates",
     [](TDM& dm, Vmesnik& w) {
         KontekstVrstice kontekst;
         RacunajDanNKP(dm, w, kontekst, 7, 5);
         return date(kontekst.DanNKP) + " " + date(RacunajDanNKPMIN(dm, w, 7, 5)) + " " +
                date(RacunajDanNKPMAX(dm, w, 7, 5)) + " " + date(RacunajDanNKPMAX(dm, w, 7, 6));
     },
     "10.01.2023 10.01.2023 20.06.2023 01.02.2024"},
    {"PurchaseDatesOfNoHolding", // the zero date
     [](TDM& dm, Vmesnik& w) {
         KontekstVrstice kontekst;
         RacunajDanNKP(dm, w, kontekst, 7, 9);
         return date(kontekst.DanNKP) + " " + date(RacunajDanNKPMIN(dm, w, 8, 5)) + " " +
                date(RacunajDanNKPMAX(dm, w, 7, 9));
     },
     "30.12.1899 30.12.1899 30.12.1899"},
    {"PurchaseDateOnAReportingDayWithATime",
     [](TDM& dm, Vmesnik& w) {
         return date(RacunajDanNKPMIN(dm, w, 7, 5)) + " " + number(KolicinaVP(dm, w, 7, 0, 0));
     },
     "10.01.2023 135",
     {},
     "15.03.2024 23:59:59"},
    {"QuantityOfAllLines",
     [](TDM& dm, Vmesnik& w) {
         // 0 or less means all lines, of all contracts.
         return number(KolicinaVP(dm, w, 7, 0, 0)) + " " + number(KolicinaVP(dm, w, 7, -1, -1));
     },
     "135 135"},
    {"QuantityOfOneContract",
     [](TDM& dm, Vmesnik& w) { return number(KolicinaVP(dm, w, 7, 0, 5)); }, "130"},
    {"QuantityOfOneLine",
     [](TDM& dm, Vmesnik& w) {
         return number(KolicinaVP(dm, w, 7, 2, 0)) + " " + number(KolicinaVP(dm, w, 7, 2, 5));
     },
     "30 30"},
    {"QuantityOfALineOfAnotherContractOrDay",
     [](TDM& dm, Vmesnik& w) {
         return number(KolicinaVP(dm, w, 7, 2, 6)) + " " + number(KolicinaVP(dm, w, 7, 4, 0));
     },
     "0 0"},
    {"YieldOfAListedSecurity", // 10 plus the index value 2, monthly
     [](TDM& dm, Vmesnik& w) { return yield(dm, w, 20, 1, 5, 2); }, "12.6825 10.01.2023"},
    {"YieldBelowPar", // 5 a year at price 50
     [](TDM& dm, Vmesnik& w) { return yield(dm, w, 21, 12, 5); }, "10 10.01.2023"},
    {"YieldOfAListingCodeNotDOrK", [](TDM& dm, Vmesnik& w) { return yield(dm, w, 22, 1, 5); },
     "0 10.01.2023"},
    {"YieldOfAListingCodeOutsideTheList",
     [](TDM& dm, Vmesnik& w) { return yield(dm, w, 23, 1, 5); }, "0 10.01.2023"},
    {"YieldListingCodeCaseMatters", // 'd' is not "D"
     [](TDM& dm, Vmesnik& w) { return yield(dm, w, 24, 1, 5); }, "0 10.01.2023"},
    {"YieldWithoutAHoldingLine", // the price is 0: "D" does not need it, "K" gives nothing
     [](TDM& dm, Vmesnik& w) { return yield(dm, w, 20, 1, 6) + " " + yield(dm, w, 21, 12, 6); },
     "10.4713 30.12.1899 0 30.12.1899"},

    // --- Ledger balances --------------------------------------------------------------------
    {"MonthToDateOfAnAccount",
     [](TDM& dm, Vmesnik& w) { return number(ZnesekVal78(dm, w, "U", 612, 5, 7)); }, "115"},
    {"MonthToDateOfAccount617",
     [](TDM& dm, Vmesnik& w) { return number(PrometKonto617(dm, w, "U", 5, 7)); }, "39"},
    {"MonthToDateWithoutPostings",
     [](TDM& dm, Vmesnik& w) { return number(ZnesekVal78(dm, w, "X", 612, 5, 7)); }, "0"},
    {"MonthToDateOfACurrencyKeyWithAQuote", // finds nothing instead of breaking the statement
     [](TDM& dm, Vmesnik& w) {
         return number(ZnesekVal78(dm, w, "U' OR 'a'='a", 612, 5, 7)) + " " +
                number(PrometKonto617(dm, w, "U'", 5, 7));
     },
     "0 0"},
    {"HoldingBalanceOfADomesticAccount",
     [](TDM& dm, Vmesnik& w) { return holdingBalance(dm, w, "N", 2); }, "168"},
    {"HoldingBalanceConvertedByTheRowsRate",
     [](TDM& dm, Vmesnik& w) {
         return holdingBalance(dm, w, "D", 2) + " " + holdingBalance(dm, w, "", 2) + " " +
                holdingBalance(dm, w, "n", 2);
     },
     "70 70 70"},
    {"HoldingBalanceOfAClassWithAQuote",
     [](TDM& dm, Vmesnik& w) { return holdingBalance(dm, w, "N", 2, "5' OR '1'='1"); }, "0"},
    {"HoldingBalanceOfADomesticAccountNeedsNoRate",
     [](TDM& dm, Vmesnik& w) { return holdingBalance(dm, w, "N", 0); }, "168"},
    {"HoldingBalanceWithoutARateShowsTheStatementAndRaises",
     [](TDM& dm, Vmesnik& w) { return holdingBalance(dm, w, "D", 0); },
     "raises: Floating point division by zero",
     {" SELECT sum(k.bznesek-k.dznesek) znesek  FROM knjizbe k  WHERE k.datumv >= '01.01.2024'  "
      "AND k.datumv <= '15.03.2024'  AND k.idvp = 3 AND k.konto IN (SELECT ctrl FROM matrika "
      "WHERE vknt='5' and vprc='3') "}},
    {"Saldo34OfTheYear", [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "300", "U")); },
     "30"},
    {"Saldo34CancelledOverTheYearTakesTheMonth", // the month's own movement counts
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "301", "U")); }, "-100"},
    {"Saldo34WithoutPostingsUpToTheDay",
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "302", "U")); }, "0"},
    {"Saldo34CancelledOverTheMonthToo",
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "303", "U")); }, "0"},
    {"Saldo34OfACurrencyKeyWithAQuote",
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "300", "O'B")); }, "8"},
    {"Saldo34OfAccountNumbersWrittenOtherwise", // spliced as the numbers they are
     [](TDM& dm, Vmesnik& w) {
         return number(Saldo34(dm, w, "300.0", "U")) + " " + number(Saldo34(dm, w, "+300", "U")) +
                " " + number(Saldo34(dm, w, "300.", "U")) + " " +
                number(Saldo34(dm, w, "0300", "U"));
     },
     "30 30 30 30"},
    // Texts that are no account number find nothing instead of changing the statement: they
    // are spliced as NULL, which no backend converts.
    {"Saldo34OfAnAccountTextWithAnOperator",
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "300 OR 1=1", "U")); }, "0"},
    {"Saldo34OfAnAccountTextWithAQuote",
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "300'", "U")); }, "0"},
    {"Saldo34OfAnEmptyAccountText",
     [](TDM& dm, Vmesnik& w) { return number(Saldo34(dm, w, "", "U")); }, "0"},
    {"YearToDateDomesticAmountOfAnAccountAndLine",
     [](TDM& dm, Vmesnik& w) {
         return number(BeriZnesekSit(dm, w, 500, 3)) + " " + number(BeriZnesekSit(dm, w, 501, 3)) +
                " " + number(BeriZnesekSit(dm, w, 500, 9));
     },
     "120 48 0"},
    // Days 1-4: 310, days 5-19: 372, days 20-31: 341; (4*310 + 15*372 + 12*341) / 31.
    {"AverageBalanceOverTheWholeMonth",
     [](TDM& dm, Vmesnik& w) { return number(BeriPovprecje(dm, w, 5, 7, "0100")); }, "352"},
    {"AverageBalanceOfAnotherSecurityOrContract",
     [](TDM& dm, Vmesnik& w) {
         return number(BeriPovprecje(dm, w, 5, 8, "0100")) + " " +
                number(BeriPovprecje(dm, w, 6, 7, "0100"));
     },
     "0 0"},
    {"AverageBalanceCarriedFromEarlierMonths",
     [](TDM& dm, Vmesnik& w) { return number(BeriPovprecje(dm, w, 8, 7, "0100")); }, "69.5"},
    {"AverageBalanceOfADesignationWithAQuote",
     [](TDM& dm, Vmesnik& w) {
         return number(BeriPovprecje(dm, w, 9, 7, "O'B")) + " " +
                number(BeriPovprecje(dm, w, 9, 7, "0100' OR 'a'='a"));
     },
     "100 0"},
    {"AverageBalanceOfALeapFebruary", // 28 on 29.02.2024, over 29 days
     [](TDM& dm, Vmesnik& w) { return number(BeriPovprecje(dm, w, 10, 7, "0100")); },
     "0.96551724137931",
     {},
     "10.02.2024"},
    {"AverageBalanceOfFebruary2100", // no 29.02.2100: 28 on the last day, over 28 days
     [](TDM& dm, Vmesnik& w) { return number(BeriPovprecje(dm, w, 11, 7, "0100")); },
     "1",
     {},
     "10.02.2100"},

    // --- Coupon periods ---------------------------------------------------------------------
    {"CouponPeriodFromItsFirstDay",
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1/31.03.2024/3/EUR3M/R/1000/29.03.2024/4.5/11.25",
     {},
     "01.01.2024"},
    {"CouponPeriodOnTheReportingDay",
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1/31.03.2024/3/EUR3M/R/1000/29.03.2024/4.5/11.25"},
    {"CouponPeriodToItsLastDay",
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1/31.03.2024/3/EUR3M/R/1000/29.03.2024/4.5/11.25",
     {},
     "31.03.2024"},
    {"CouponPeriodOfTheNextQuarter",
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1/30.06.2024/3/EUR3M/R/1000/28.06.2024/5/12.5",
     {},
     "01.04.2024"},
    {"NoCouponPeriodAfterTheLast", // one empty row
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1////////",
     {},
     "01.07.2024"},
    {"CouponPeriodOnItsLastDayWithATime", // only the date edit's first word is read
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1/31.03.2024/3/EUR3M/R/1000/29.03.2024/4.5/11.25",
     {},
     "31.03.2024 12:00:00"},
    {"NoCouponPeriodBeforeTheFirst",
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 7); },
     "1////////",
     {},
     "31.12.2023"},
    {"NoCouponPeriodOfASecurityWithoutPeriods",
     [](TDM& dm, Vmesnik& w) { return openCouponPeriod(dm, w, 8); }, "1////////"},
    {"EndOfTheCouponPeriodCoveringADate",
     [](TDM& dm, Vmesnik& w) {
         return ZadnjiDanKupona(dm, w, 7, encodeDate(2024, 3, 31)) + "/" +
                ZadnjiDanKupona(dm, w, 7, encodeDate(2024, 4, 1)) + "/" +
                ZadnjiDanKupona(dm, w, 7, encodeDate(2024, 7, 1)) + "/" +
                ZadnjiDanKupona(dm, w, 8, encodeDate(2024, 3, 1)) + "/" +
                ZadnjiDanKupona(dm, w, 7, 0);
     },
     "31.03.2024/30.06.2024///"},
    {"EndOfTheCouponPeriodCoveringATimeOfDay",
     [](TDM& dm, Vmesnik& w) { return ZadnjiDanKupona(dm, w, 7, encodeDate(2024, 1, 1) + 0.5); },
     "31.03.2024"},
    {"NoCouponPeriodCoversTheLastDaysAfternoon", // a period ends at the start of its last day
     [](TDM& dm, Vmesnik& w) { return ZadnjiDanKupona(dm, w, 7, encodeDate(2024, 3, 31) + 0.5); },
     ""},
    {"CouponSchedule", [](TDM& dm, Vmesnik& w) { return couponSchedule(dm, w, 7); },
     "01.01.2024/181/107"},
    {"CouponScheduleOfASecurityWithoutPeriods", // empty texts read as the reporting date
     [](TDM& dm, Vmesnik& w) { return couponSchedule(dm, w, 8); }, "/0/0"},
    {"FirstPeriodsTradingStart",
     [](TDM& dm, Vmesnik& w) { return BeriPrvDan1(dm, w, 7) + "/" + BeriPrvDan1(dm, w, 8); },
     "02.01.2024/"},
};

using HoldingsBalancesCouponsOnBothBackends = LookupSuite<LedgerRows>;

TEST_P(HoldingsBalancesCouponsOnBothBackends, GiveTheBankDatabaseAnswer) {
    expectOnBothBackends(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Lookups, HoldingsBalancesCouponsOnBothBackends, testing::ValuesIn(kCases),
                         caseName);

} // namespace
} // namespace orv::test
