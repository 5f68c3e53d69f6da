#include "lookup/Tecaji.h"
#include "lookup/LookupFixture.h"

#include "db/DatabaseError.h"

namespace orv::test {
namespace {

using TecajiTest = LookupFixture;

TEST_F(TecajiTest, DomesticCurrencyIsOneWithoutAQueryButLowerCaseIsLookedUp) {
    // No VLN table at all: "E" must not touch the database.
    rows("DROP TABLE VLN");
    EXPECT_EQ(TecajValute(dm, window, "E", "15.03.2024"), 1.0);
    EXPECT_FALSE(dm.Qvln.Active());
    EXPECT_EQ(dm.Qvln.SQL(), "");
    EXPECT_THROW(TecajValute(dm, window, "e", "15.03.2024"), DatabaseError);
}

TEST_F(TecajiTest, LowerCaseKeyFindsItsOwnRate) {
    rows("INSERT INTO VLN (SFVLT, SFVLN, DAN, TCJ) VALUES ('e', '0', '01.01.2024', 0.5)");
    EXPECT_EQ(TecajValute(dm, window, "e", "15.03.2024"), 0.5);
}

TEST_F(TecajiTest, RateOfListZeroValidOnTheDay) {
    rows("INSERT INTO VLN (SFVLT, SFVLN, DAN, TCJ) VALUES "
         "('U', '0', '10.12.2023', 1.2), ('U', '0', '01.03.2024', 1.3), "
         "('U', '0', '16.03.2024', 1.4), ('U', '1', '14.03.2024', 9.9), "
         "('Z', '0', '01.01.2024', 0), ('O''B', '0', '01.01.2024', 7)");
    struct Case {
        const char* key;
        const char* date;
        double rate;
    } cases[] = {
        {"U", "15.03.2024", 1.3},          // the latest not after the day; list 1 is ignored
        {"U", "01.03.2024", 1.3},          // valid from its own day
        {"U", "29.02.2024", 1.2},          //
        {"U", "15.03.2024 23:59:59", 1.3}, // a time part is ignored
        {"U", "16.3.2024", 1.4},           // one-digit month
        {"U", "9.12.2023", 0},             // nothing before: 0
        {"Z", "15.03.2024", 0},            // a rate of 0 stays 0
        {"X", "15.03.2024", 0},            // unknown currency
        {"O'B", "15.03.2024", 7},          // a bound key may hold a quote
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.date);
        EXPECT_EQ(TecajValute(dm, window, c.key, c.date), c.rate);
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(TecajiTest, IndexValueBasisAndName) {
    rows("INSERT INTO INX (SFINX, DAN, INX) VALUES ('EUR3M', '01.01.2024', 3.9), "
         "('EUR3M', '15.03.2024', 3.95), ('EUR3M', '01.04.2024', 4.1);"
         "INSERT INTO SFINX (SFINX, OBD, NZV) VALUES ('EUR3M', 360, 'Euribor 3M')");
    EXPECT_EQ(VrednostIndeksa(dm, window, "EUR3M", "15.03.2024 08:00:00"), 3.95);
    EXPECT_EQ(VrednostIndeksa(dm, window, "EUR3M", "31.03.2024"), 3.95);
    EXPECT_EQ(VrednostIndeksa(dm, window, "EUR3M", "31.12.2023"), 0.0);
    EXPECT_EQ(VrednostIndeksa(dm, window, "EUR3M ", "31.03.2024"), 0.0); // the key is not trimmed
    EXPECT_EQ(OsnovaIndeksa(dm, window, "EUR3M"), 360);
    EXPECT_EQ(NazivIndeksa(dm, window, "EUR3M"), "Euribor 3M");
    EXPECT_EQ(OsnovaIndeksa(dm, window, "LIBOR"), 0);
    EXPECT_EQ(NazivIndeksa(dm, window, "LIBOR"), "");
}

TEST_F(TecajiTest, NumericCurrencyCodes) {
    rows("INSERT INTO VLT (SFVLT, IDBNK) VALUES ('G', '826'), ('H', NULL), ('O''B', '999')");
    struct Case {
        const char* key;
        const char* code;
        bool queried;
    } cases[] = {
        {"E", "978", false},  {"e", "978", false}, {"U", "840", false},
        {"u", "840", false},  {"C", "756", false}, {"c", "756", false},
        {"G", "826", true},   {"g", "978", true}, // looked up as given: 'g' is not registered
        {"X", "978", true},                       // unknown key
        {"H", "", true},                          // registered without a code
        {"O'B", "999", true},                     // a key holding a quote is compared as it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        dm.Qvlt.Close();
        dm.Qvlt.setSQL("");
        EXPECT_EQ(SifraValute(dm, window, c.key), c.code);
        EXPECT_EQ(dm.Qvlt.Active(), c.queried);
    }
}

TEST_F(TecajiTest, ForeignCurrencyFlagOfAnAccount) {
    rows("INSERT INTO SIFKONT (CTRL, DEVIZEN) VALUES (612, 'N'), (613, 'D')");
    EXPECT_EQ(BeriDevizen(dm, window, 612), "N");
    EXPECT_EQ(BeriDevizen(dm, window, 613), "D");
    EXPECT_EQ(BeriDevizen(dm, window, 614), "");
}

} // namespace
} // namespace orv::test
