// The transfer driver on small banks: counts and the closing message, class 3 and 4 balances,
// the class C rows, the prior deletion with and without a class restriction, repeated runs,
// an empty date, the corrective statements and what a failure leaves behind.

#include "TransferBank.h"

#include "derive/KontekstPrenosa.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <chrono>

namespace orv::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

using Driver = TransferBank;

TEST_F(Driver, CountsRowsAndClosesWithTheWrittenAndTotalCounts) {
    konto(100, "1");
    for (long i = 1; i <= 3; ++i)
        knjizi(Knjizba(100, "15.06.2024", 10.0 * static_cast<double>(i)).idpog(i));
    const IzidPrenosa izid = prenesi();
    EXPECT_EQ(izid.skupaj, 3);
    EXPECT_EQ(izid.zapisanih, 3);
    EXPECT_EQ(izid.sporocilo, "Prepis končan: 3  / 3");
    EXPECT_EQ(window.messages.back(), "Prepis končan: 3  / 3");
    EXPECT_THAT(window.calls, Contains("lblSporocilo: 1 / 3"));
    EXPECT_THAT(window.calls, Contains("lblSporocilo: 3 / 3"));
    EXPECT_THAT(window.calls, Contains("lblStevec: 3"));
    EXPECT_EQ(window.calls.back(), "lblSporocilo2: ");
    // The ledger keeps debit minus credit: the report has the opposite sign.
    EXPECT_THAT(stolpec(izhod(), "ZNESEK_VAL"), UnorderedElementsAre("-10", "-20", "-30"));
    EXPECT_THAT(stolpec(izhod(), "NAMEN_POSLA"), ElementsAre("208", "208", "208"));
}

TEST_F(Driver, Class34RowsWithoutABalanceAreDerivedButNotWritten) {
    konto(300, "3");
    konto(301, "3");
    knjizi(Knjizba(300, "15.06.2024", 10).idmaster(0).idobd(1));
    knjizi(Knjizba(300, "16.06.2024", -10).idmaster(0).idobd(1));
    knjizi(Knjizba(301, "15.06.2024", 5).idmaster(0).idobd(1));
    const IzidPrenosa izid = prenesi();
    ASSERT_GE(izid.skupaj, 2);
    EXPECT_EQ(izid.zapisanih, 1);
    EXPECT_EQ(izid.sporocilo, "Prepis končan: 1  / " + std::to_string(izid.skupaj));
    EXPECT_THAT(stolpec(izhod(), "ID_KONTO"), ElementsAre("K301"));
}

// Class C accounts add their month's debit and credit turnover with the matrix's IVD codes.
TEST_F(Driver, ClassCRowsFollowTheIvdCodesOfTheMatrix) {
    exec("INSERT INTO SIF (SSF, SIF, NZV) VALUES ('ECBIVD', 'S', 'IVD-ISTA'), "
         "('ECBIVD', 'B', 'IVD-BREME'), ('ECBIVD', 'D', 'IVD-DOBRO')");
    konto(901, "C"); // one code for both sides, debit only
    konto(902, "C"); // no codes, no turnover in the month
    konto(903, "C"); // two codes, debit and credit
    exec("UPDATE MATRIKA SET ECB_IVD_BREME='S', ECB_IVD_DOBRO='S' WHERE CTRL=901;"
         "UPDATE MATRIKA SET ECB_IVD_BREME='B', ECB_IVD_DOBRO='D' WHERE CTRL=903");
    knjizi(Knjizba(901, "10.12.2024", 100).idpog(1).dejavnost("X"));
    knjizi(Knjizba(902, "10.06.2024", 50).idpog(2).dejavnost("X"));
    knjizi(Knjizba(903, "10.12.2024", 300).idpog(3).dejavnost("X"));
    knjizi(Knjizba(903, "11.12.2024", -120).idpog(3).dejavnost("X"));
    exec("UPDATE KNJIZBE SET BZNESEKSIT=BZNESEK, DZNESEKSIT=DZNESEK");

    const IzidPrenosa izid = prenesi();
    EXPECT_EQ(izid.skupaj, 3);
    EXPECT_EQ(izid.zapisanih, 6);
    const Vrstice ivd = izhod("31.12.2024", "ECB_IVD IS NOT NULL");
    ASSERT_EQ(ivd.size(), 3u);
    EXPECT_EQ(ivd[0]["ECB_IVD"], "IVD-ISTA");
    EXPECT_EQ(ivd[0]["BREME"], "100");
    EXPECT_EQ(ivd[0]["DOBRO"], "0");
    EXPECT_EQ(ivd[0]["ID_KONTO"], "K901");
    EXPECT_EQ(ivd[1]["ECB_IVD"], "IVD-BREME");
    EXPECT_EQ(ivd[1]["BREME"], "300");
    EXPECT_EQ(ivd[1]["DOBRO"], "0");
    EXPECT_EQ(ivd[2]["ECB_IVD"], "IVD-DOBRO");
    EXPECT_EQ(ivd[2]["BREME"], "0");
    EXPECT_EQ(ivd[2]["DOBRO"], "120");
    // The IVD rows carry no other amounts (K10); the plain rows keep theirs.
    for (const Vrstica& v : ivd)
        EXPECT_EQ(v["ZNESEK_VAL"], "0");
    EXPECT_THAT(stolpec(izhod("31.12.2024", "ECB_IVD IS NULL"), "ZNESEK_VAL"),
                UnorderedElementsAre("-100", "-50", "-180"));
}

class PriorDeletion : public TransferBank {
protected:
    void SetUp() override {
        TransferBank::SetUp();
        konto(100, "1");
        konto(901, "C");
        knjizi(Knjizba(100, "15.06.2024", 10).idpog(1));
        knjizi(Knjizba(901, "15.06.2024", 20).idpog(2).dejavnost("X"));
        const std::string stolpci =
            "DAT_STANJE, VKNT, POGODBA, ZNESEK_VAL, POVPR_STANJE, ECB_51, ECB_111N, DAT_ZAPAD";
        izhodnaVrstica(stolpci, "'31.12.2024', '1', 'STARA-1', 500, 500, 500, 0, '31.12.2030'");
        izhodnaVrstica(stolpci, "'31.12.2024', 'C', 'STARA-C', 500, 500, 500, 0, '31.12.2030'");
        // Rows of another date that K7 and K8 would delete if they were of the reporting date.
        izhodnaVrstica(stolpci, "'30.11.2024', 'C', 'NOVEMBER', 0, 0, 0, 0, NULL");
        izhodnaVrstica(stolpci, "'30.11.2024', '1', 'NOVEMBER', 0.001, 0, 0, 0, '01.01.2020'");
    }
    std::vector<std::string> pogodbe(const std::string& dan = "31.12.2024") {
        return stolpec(izhod(dan), "POGODBA");
    }
};

TEST_F(PriorDeletion, DeletesTheRowsOfTheDateOnly) {
    prenesi();
    EXPECT_THAT(pogodbe(), UnorderedElementsAre("00001", "00002"));
    const Vrstice november = izhod("30.11.2024");
    EXPECT_THAT(stolpec(november, "POGODBA"), ElementsAre("NOVEMBER", "NOVEMBER"));
    EXPECT_THAT(stolpec(november, "NAMEN_POSLA"), ElementsAre("", ""));
}

TEST_F(PriorDeletion, ALowerCaseClassRestrictsTheDeletionToTheUpperCaseClass) {
    window.options.eVKNT = "c";
    const IzidPrenosa izid = prenesi();
    EXPECT_EQ(izid.skupaj, 1);
    EXPECT_THAT(pogodbe(), UnorderedElementsAre("STARA-1", "00002"));
}

// Without the prior deletion the new rows join the stored ones only when the operator agrees
// (the window asks, Cancel being the default) or the run says so (--dodaj).
TEST_F(PriorDeletion, WithoutItTheNewRowsJoinTheStoredOnesOnlyWhenMeant) {
    window.options.cbBrisanje = false;
    const IzidPrenosa preklicano = prenesi(); // no answer is Cancel
    EXPECT_TRUE(preklicano.zavrnjeno);
    EXPECT_EQ(preklicano.obstojecih, 2);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_THAT(window.questions[0], HasSubstr("že 2 vrstic"));
    EXPECT_THAT(pogodbe(), UnorderedElementsAre("STARA-1", "STARA-C"));

    window.questionAnswers.push_back(true);
    prenesi();
    EXPECT_THAT(pogodbe(), UnorderedElementsAre("STARA-1", "STARA-C", "00001", "00002"));
    // The corrective statements work on old and new rows together.
    EXPECT_THAT(stolpec(izhod(), "NAMEN_POSLA"), ElementsAre("208", "208", "208", "208"));

    window.options.dodaj = true;
    const IzidPrenosa dodano = prenesi();
    EXPECT_EQ(window.questions.size(), 2u); // not asked a third time
    EXPECT_EQ(dodano.obstojecih, 4);
    EXPECT_EQ(pogodbe().size(), 6u);
}

TEST_F(PriorDeletion, AnEmptyDateChangesNothing) {
    window.options.eDanText = "31.01.2023";
    izhodnaVrstica("DAT_STANJE, POGODBA", "'31.01.2023', 'OSTANE'");
    const IzidPrenosa izid = prenesi();
    EXPECT_TRUE(izid.niPodatkov);
    EXPECT_EQ(window.messages.back(), "Za izbrani dan 31.01.2023 ni podatkov!");
    EXPECT_THAT(pogodbe("31.01.2023"), ElementsAre("OSTANE"));
    EXPECT_EQ(pogodbe().size(), 2u);
}

TEST_F(PriorDeletion, OptionsThatCannotMakeARunAreRefusedBeforeAnythingChanges) {
    struct Primer {
        const char* dan;
        const char* vknt;
        const char* idpog;
    };
    for (const Primer& p : {Primer{"32.13.2024", "", ""}, Primer{"31.12.2024", "Z", ""},
                            Primer{"31.12.2024", "", "12a"}, Primer{"31.12.2024", "", "1'--"}}) {
        window.options.eDanText = p.dan;
        window.options.eVKNT = p.vknt;
        window.options.eIdpog = p.idpog;
        EXPECT_THROW(prenesi(), NapacenVnos) << p.dan << " " << p.vknt << " " << p.idpog;
    }
    EXPECT_THAT(pogodbe(), UnorderedElementsAre("STARA-1", "STARA-C"));
}

// The second run deletes what the first wrote and writes the same rows again.
TEST_F(Driver, TheSameTransferTwiceLeavesTheSameRows) {
    konto(100, "1");
    konto(200, "2");
    konto(300, "3");
    konto(600, "6");
    konto(901, "C");
    exec("INSERT INTO VLT (SFVLT, IDBNK) VALUES ('U', '840');"
         "INSERT INTO VLN (SFVLT, SFVLN, DAN, TCJ) VALUES ('U', '0', '01.12.2024', 1.1)");
    for (long i = 1; i <= 4; ++i) {
        knjizi(Knjizba(100, "15.06.2024", 10.5 * static_cast<double>(i)).idpog(i).valuta("U"));
        knjizi(Knjizba(200, "15.07.2024", 7.25 * static_cast<double>(i)).idpog(i));
        knjizi(Knjizba(300, "15.08.2024", 3.0 * static_cast<double>(i)).idpog(i).idmaster(0));
        knjizi(Knjizba(901, "15.12.2024", 2.0 * static_cast<double>(i)).idpog(i).dejavnost("X"));
    }
    const IzidPrenosa prva = prenesi();
    const Vrstice prvic = izhod();
    ASSERT_FALSE(prvic.empty());
    const IzidPrenosa druga = prenesi();
    EXPECT_EQ(druga.sporocilo, prva.sporocilo);
    const Vrstice drugic = izhod();
    ASSERT_EQ(drugic.size(), prvic.size());
    for (size_t i = 0; i < prvic.size(); ++i)
        EXPECT_EQ(drugic[i].stolpci, prvic[i].stolpci) << "row " << i;
}

// A failed post ends the transfer, and the transfer is one unit of work: the prior deletion and
// the rows posted before the failure are undone, the date keeps the rows it had.
TEST_F(Driver, AFailureMidRunLeavesTheRowsOfTheDateAsTheyWere) {
    konto(100, "1");
    // Rows of the bank's own dealing to which no purpose rule applies: the derivation leaves
    // their NAMEN_POSLA empty for K5 to fill.
    for (long i = 1; i <= 4; ++i)
        knjizi(Knjizba(100, "15.06.2024", 10).idpog(i).dejavnost("L"));
    izhodnaVrstica("DAT_STANJE, POGODBA", "'31.12.2024', 'STARA'");
    exec("CREATE TRIGGER polno BEFORE INSERT ON POD_ORVEL "
         "WHEN (SELECT COUNT(*) FROM POD_ORVEL) >= 2 BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    try {
        prenesi();
        FAIL() << "the transfer went through";
    } catch (const std::exception& e) {
        EXPECT_THAT(e.what(), HasSubstr("disk full"));
    }
    EXPECT_THAT(stolpec(izhod(), "POGODBA"), ElementsAre("STARA"));
}

TEST_F(Driver, AFailingCorrectiveStatementShowsItsPrefixAndStopsTheSeries) {
    konto(100, "1");
    konto(600, "6");
    // A row of the bank's own dealing without a purpose rule: K5 gives it "208".
    knjizi(Knjizba(100, "15.06.2024", 10).idpog(1).dejavnost("L"));
    izhodnaVrstica("DAT_STANJE, POGODBA", "'31.12.2024', 'STARA'");
    exec("CREATE TRIGGER namen BEFORE UPDATE OF NAMEN_POSLA ON POD_ORVEL "
         "BEGIN SELECT RAISE(ABORT, 'namen zaklenjen'); END");
    EXPECT_THROW(prenesi(), std::exception);
    ASSERT_FALSE(window.messages.empty());
    const std::string& sporocilo = window.messages.back();
    EXPECT_TRUE(sporocilo.starts_with("Napaka pri update POD_ORVEL \rUPDATE POD_ORVEL  "
                                      " SET NAMEN_POSLA = '208' "))
        << sporocilo;
    // The series stopped there, and nothing of the run stays: the date has its old row.
    EXPECT_THAT(stolpec(izhod(), "POGODBA"), ElementsAre("STARA"));
}

// Another connection holds the bank's write lock: the transfer gives up after a bounded wait
// with the database's message, and the bank stays whole and unchanged.
TEST_F(Driver, AWriteLockOfAnotherConnectionFailsTheTransferWithinABoundedTime) {
    konto(100, "1");
    knjizi(Knjizba(100, "15.06.2024", 10).idpog(1));
    izhodnaVrstica("DAT_STANJE, POGODBA", "'31.12.2024', 'STARA'");
    sqlite3* drugi = nullptr;
    ASSERT_EQ(sqlite3_open(bank.path().c_str(), &drugi), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(drugi, "BEGIN IMMEDIATE; DELETE FROM SIF WHERE 0", nullptr, nullptr, nullptr),
        SQLITE_OK);
    const auto zacetek = std::chrono::steady_clock::now();
    try {
        prenesi();
        ADD_FAILURE() << "the transfer went through a held write lock";
    } catch (const std::exception& e) {
        EXPECT_THAT(e.what(), HasSubstr("is busy"));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - zacetek, std::chrono::seconds(60));
    ASSERT_FALSE(window.messages.empty());
    EXPECT_THAT(window.messages.back(), HasSubstr("POD_ORVEL ni mogoče zakleniti"));
    sqlite3_exec(drugi, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(drugi);
    EXPECT_EQ(bank.scalar("PRAGMA integrity_check"), "ok");
    EXPECT_THAT(stolpec(izhod(), "POGODBA"), ElementsAre("STARA"));
}

TEST(RazredVkntTest, MapsEveryClassToItsLetter) {
    const std::pair<const char*, const char*> primeri[] = {
        {"1", "E"}, {"2", "E"}, {"F", "E"}, {"3", "G"}, {"4", "G"}, {"A", "G"},
        {"B", "G"}, {"C", "G"}, {"7", "I"}, {"8", "I"}, {"6", "M"}, {"9", "O"},
        {"5", "E"}, {"D", "E"}, {"E", "E"}, {"c", "E"}, {"", "E"},  {"33", "E"}};
    for (const auto& [vknt, razred] : primeri)
        EXPECT_EQ(RazredVknt(vknt), razred) << vknt;
}

} // namespace
} // namespace orv::test
