#include "lookup/Salda.h"
#include "lookup/LookupFixture.h"

#include <stdexcept>

namespace orv::test {
namespace {

using SaldaTest = LookupFixture;

// Postings of account 612 in currency 'U', contract 5, security 7 around the reporting date
// 15.03.2024, plus postings that differ in one key each.
const char* const kMonthPostings =
    "INSERT INTO KNJIZBE (KONTO, VALUTA, IDPOG, VP, IDVP, DATUMV, BZNESEK, DZNESEK, BZNESEKSIT, "
    "DZNESEKSIT) VALUES "
    "(612, 'U', 5, 7, 3, '29.02.2024', 0, 0, 1000, 0)," // before the month
    "(612, 'U', 5, 7, 3, '01.03.2024', 0, 0, 100, 0),"  // the month's first day
    "(612, 'U', 5, 7, 3, '15.03.2024', 0, 0, 20, 5),"   // the reporting day
    "(612, 'U', 5, 7, 3, '16.03.2024', 0, 0, 3000, 0)," // after it
    "(613, 'U', 5, 7, 3, '10.03.2024', 0, 0, 7, 0),"    // another account
    "(612, 'E', 5, 7, 3, '10.03.2024', 0, 0, 7, 0),"    // another currency
    "(612, 'U', 6, 7, 3, '10.03.2024', 0, 0, 7, 0),"    // another contract
    "(612, 'U', 5, 8, 3, '10.03.2024', 0, 0, 7, 0),"    // another security
    "(617, 'U', 5, 7, 3, '02.03.2024', 0, 0, 40, 1),"   // account 617
    "(617, 'U', 5, 7, 3, '16.03.2024', 0, 0, 500, 0)";

TEST_F(SaldaTest, MonthToDateFromTheFirstUpToTheReportingDay) {
    rows(kMonthPostings);
    EXPECT_EQ(ZnesekVal78(dm, window, "U", 612, 5, 7), 115.0);
    EXPECT_EQ(PrometKonto617(dm, window, "U", 5, 7), 39.0);
    EXPECT_EQ(ZnesekVal78(dm, window, "X", 612, 5, 7), 0.0); // no postings: 0
    // A currency key holding a quote finds nothing instead of breaking the statement.
    EXPECT_EQ(ZnesekVal78(dm, window, "U' OR 'a'='a", 612, 5, 7), 0.0);
    EXPECT_EQ(PrometKonto617(dm, window, "U'", 5, 7), 0.0);
    EXPECT_TRUE(window.messages.empty());
}

// Holding line 3 on accounts of class '5' (vprc '3'); account 900 is class '5' with vprc '1'.
const char* const kHoldingPostings =
    "INSERT INTO MATRIKA (CTRL, VKNT, VPRC) VALUES (500, '5', '3'), (501, '5', '3'), "
    "(900, '5', '1'), (600, '6', '3');"
    "INSERT INTO KNJIZBE (KONTO, VALUTA, IDVP, DATUMV, BZNESEK, DZNESEK, BZNESEKSIT, DZNESEKSIT) "
    "VALUES (500, 'U', 3, '01.01.2024', 100, 0, 120, 0),"
    "(501, 'U', 3, '15.03.2024', 50, 10, 60, 12),"
    "(500, 'U', 3, '31.12.2023', 1000, 0, 1000, 0)," // last year
    "(500, 'U', 3, '16.03.2024', 1000, 0, 1000, 0)," // after the reporting day
    "(900, 'U', 3, '01.02.2024', 1000, 0, 1000, 0)," // not vprc 3
    "(600, 'U', 3, '01.02.2024', 1000, 0, 1000, 0)," // another class
    "(500, 'U', 4, '01.02.2024', 1000, 0, 1000, 0)"; // another line

TEST_F(SaldaTest, HoldingBalanceInDomesticOrConvertedByTheRowsRate) {
    rows(kHoldingPostings);
    KontekstVrstice kontekst;
    kontekst.TecajVrstice = 2;
    struct Case {
        const char* devizen;
        double expected;
    } cases[] = {{"N", 168.0}, {"D", 70.0}, {"", 70.0}, {"n", 70.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.devizen);
        kontekst.DevizenVrstice = c.devizen;
        EXPECT_EQ(StanjeECB52(dm, window, kontekst, 3, "5"), c.expected);
    }
    EXPECT_EQ(StanjeECB52(dm, window, kontekst, 3, "5' OR '1'='1"), 0.0);
}

TEST_F(SaldaTest, HoldingBalanceWithoutARateShowsTheStatementAndRaises) {
    rows(kHoldingPostings);
    KontekstVrstice kontekst;
    kontekst.DevizenVrstice = "D";
    kontekst.TecajVrstice = 0;
    EXPECT_THROW(StanjeECB52(dm, window, kontekst, 3, "5"), std::domain_error);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], dm.Qknjizbe6.SQL());
    // A domestic row does not divide: no rate needed.
    kontekst.DevizenVrstice = "N";
    EXPECT_EQ(StanjeECB52(dm, window, kontekst, 3, "5"), 168.0);
}

TEST_F(SaldaTest, Saldo34FallsBackToTheMonthOnlyOnAnExactZero) {
    struct Case {
        const char* name;
        const char* postings; // (DATUMV, BZNESEK, DZNESEK) of account 300 in 'U'
        double expected;
    } cases[] = {
        {"year sum stands", "('10.01.2024', 50, 0), ('05.03.2024', 0, 20)", 30},
        // Cancel over the year, not over the month: the month's own movement counts.
        {"cancel over the year", "('10.01.2024', 100, 0), ('05.03.2024', 0, 100)", -100},
        {"nothing at all", "('16.03.2024', 100, 0)", 0},
        {"cancel over the month too", "('05.03.2024', 100, 0), ('06.03.2024', 0, 100)", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rows(std::string("DELETE FROM KNJIZBE;"
                         "INSERT INTO KNJIZBE (KONTO, VALUTA, DATUMV, BZNESEK, DZNESEK) "
                         "SELECT 300, 'U', column1, column2, column3 FROM (VALUES ") +
             c.postings + ")");
        EXPECT_EQ(Saldo34(dm, window, "300", "U"), c.expected);
    }
}

TEST_F(SaldaTest, Saldo34AccountAndCurrencyTexts) {
    rows("INSERT INTO KNJIZBE (KONTO, VALUTA, DATUMV, BZNESEK, DZNESEK) VALUES "
         "(300, 'U', '10.01.2024', 50, 0), (300, 'O''B', '10.01.2024', 8, 0)");
    EXPECT_EQ(Saldo34(dm, window, "300", "O'B"), 8.0);
    // Texts that are no account number find nothing instead of changing the statement.
    EXPECT_EQ(Saldo34(dm, window, "300 OR 1=1", "U"), 0.0);
    EXPECT_EQ(Saldo34(dm, window, "300'", "U"), 0.0);
    EXPECT_EQ(Saldo34(dm, window, "", "U"), 0.0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(SaldaTest, YearToDateDomesticAmountOfAnAccountAndLine) {
    rows(kHoldingPostings);
    EXPECT_EQ(BeriZnesekSit(dm, window, 500, 3), 120.0);
    EXPECT_EQ(BeriZnesekSit(dm, window, 501, 3), 48.0);
    EXPECT_EQ(BeriZnesekSit(dm, window, 500, 9), 0.0);
}

// --- Average balance ----------------------------------------------------------------------

struct PovprecjeTest : LookupFixture {
    PovprecjeTest() {
        rows("INSERT INTO MATRIKA (CTRL, VKNT, VPRC) VALUES (100, '1', '3'), (101, '1', '3'), "
             "(102, '3', '3'), (103, '1', '1');"
             "INSERT INTO SIFKONT (CTRL, OZNAKA) VALUES (100, '0100'), (101, 'O''B'), "
             "(102, '0100'), (103, '0100')");
    }
    /// Adds postings of contract 5, security 7: (account, DATUMV, BZNESEK, DZNESEK), ...
    void postings(const std::string& values) {
        rows("INSERT INTO KNJIZBE (IDPOG, VP, KONTO, DATUMV, BZNESEK, DZNESEK) "
             "SELECT 5, 7, column1, column2, column3, column4 FROM (VALUES " +
             values + ")");
    }
};

TEST_F(PovprecjeTest, DividesByTheWholeMonthAndCarriesTheBalance) {
    postings("(100, '10.01.2024', 310, 0)," // opening balance from an earlier month
             "(100, '05.03.2024', 40, 0), (100, '05.03.2024', 22, 0)," // one day, two postings
             "(100, '20.03.2024', 0, 31),"    // after the reporting day: still counted
             "(100, '10.03.2023', 9999, 0),"  // last year
             "(102, '06.03.2024', 9999, 0),"  // class 3 is not averaged
             "(103, '06.03.2024', 9999, 0)"); // not vprc 3
    // Days 1-4: 310, days 5-19: 372, days 20-31: 341; (4*310 + 15*372 + 12*341) / 31.
    EXPECT_DOUBLE_EQ(BeriPovprecje(dm, window, 5, 7, "0100"), 352.0);
    EXPECT_EQ(BeriPovprecje(dm, window, 5, 8, "0100"), 0.0);
    EXPECT_EQ(BeriPovprecje(dm, window, 6, 7, "0100"), 0.0);
}

TEST_F(PovprecjeTest, NoPostingsAndOnlyEarlierMonths) {
    EXPECT_EQ(BeriPovprecje(dm, window, 5, 7, "0100"), 0.0);
    postings("(100, '10.01.2024', 100, 0), (100, '29.02.2024', 0, 30.5)");
    EXPECT_DOUBLE_EQ(BeriPovprecje(dm, window, 5, 7, "0100"), 69.5);
}

TEST_F(PovprecjeTest, DesignationHoldingAQuote) {
    postings("(101, '10.01.2024', 100, 0), (100, '10.01.2024', 7, 0)");
    EXPECT_DOUBLE_EQ(BeriPovprecje(dm, window, 5, 7, "O'B"), 100.0);
    EXPECT_DOUBLE_EQ(BeriPovprecje(dm, window, 5, 7, "0100' OR 'a'='a"), 0.0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(PovprecjeTest, MonthLengthFollowsTheGregorianCalendar) {
    struct Case {
        const char* reportingDay;
        const char* lastDay;
        double average; // 28 on the month's last posting day, divided by the month's days
    } cases[] = {
        {"10.02.2024", "29.02.2024", 28.0 / 29}, // divisible by 4
        {"10.02.2023", "28.02.2023", 1.0},
        {"10.02.2100", "28.02.2100", 1.0},       // divisible by 100, not by 400: no 29.02.2100
        {"10.02.2000", "29.02.2000", 28.0 / 29}, // divisible by 400
        {"10.04.2024", "30.04.2024", 28.0 / 30},
        {"10.12.2024", "31.12.2024", 28.0 / 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reportingDay);
        rows(std::string("DELETE FROM KNJIZBE;") +
             "INSERT INTO KNJIZBE (IDPOG, VP, KONTO, DATUMV, BZNESEK, DZNESEK) VALUES "
             "(5, 7, 100, '" +
             c.lastDay + "', 28, 0)");
        window.options.eDanText = c.reportingDay;
        EXPECT_DOUBLE_EQ(BeriPovprecje(dm, window, 5, 7, "0100"), c.average);
        EXPECT_NE(dm.Q2.SQL().find(std::string("K.DATUMV<='") + c.lastDay + "'"),
                  std::string::npos);
    }
}

} // namespace
} // namespace orv::test
