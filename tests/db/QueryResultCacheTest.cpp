// Kept query answers: a question asked again is answered from the session, and never with rows
// that a write of the session could have changed.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

struct KeptResults : ::testing::Test {
    test::TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    void SetUp() override {
        bank.exec("CREATE TABLE T_A (ID NUMBER, NAZIV VARCHAR2(10));"
                  "INSERT INTO T_A VALUES (1, 'ena');"
                  "CREATE TABLE T_AB (ID NUMBER);");
        dm.OracleSession1.logonDatabase = bank.logonDatabase();
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
    }

    long count(const std::string& table) {
        dm.OdpriPoizvedbo(dm.Q2, "SELECT COUNT(*) N FROM " + table);
        return dm.Q2.FieldByName("N").AsInteger();
    }

    /// Inserts a row the way the writers do, through a dataset's Append and Post.
    void append(const std::string& table, int id) {
        dm.OdpriPoizvedbo(dm.Qpod_orvel, "SELECT " + table + ".*, ROWID FROM " + table);
        dm.Qpod_orvel.Append();
        dm.Qpod_orvel.FieldByName("ID").setAsFloat(id);
        dm.Qpod_orvel.Post();
    }
};

TEST_F(KeptResults, AnswersAgainUntilAWriteCouldChangeThem) {
    Session& session = dm.OracleSession1;
    session.keepQueryResults(true);
    EXPECT_EQ(count("T_A"), 1);
    EXPECT_EQ(count("T_AB"), 0);
    EXPECT_EQ(count("T_A"), 1);
    EXPECT_EQ(session.keptResultHits(), 1);

    // Another connection's change is not seen while answers are kept: the transfer's loop
    // reads reference data that does not change under it.
    bank.exec("INSERT INTO T_A VALUES (2, 'dva');");
    EXPECT_EQ(count("T_A"), 1);

    // A row posted into T_AB forgets the answers over T_AB, not those over T_A (the names
    // are told apart as whole words).
    append("T_AB", 7);
    EXPECT_EQ(count("T_AB"), 1);
    EXPECT_EQ(count("T_A"), 1);
    append("T_AB", 8);
    EXPECT_EQ(count("T_AB"), 2);

    // Any other statement forgets them all.
    dm.IzvediStavek("UPDATE T_A SET NAZIV = 'x' WHERE ID = 1");
    EXPECT_EQ(count("T_A"), 2);
    session.Rollback();

    // Off, every query runs.
    session.keepQueryResults(false);
    bank.exec("INSERT INTO T_A VALUES (3, 'tri');");
    EXPECT_EQ(count("T_A"), 3);
    EXPECT_EQ(session.keptResultHits(), 0);
}

TEST_F(KeptResults, BoundValuesAndChangingStatementsAreToldApart) {
    Session& session = dm.OracleSession1;
    session.keepQueryResults(true);
    dm.Q1.DeclareVariable("ID", VariableType::Float);
    auto naziv = [&](const Value& id) {
        dm.Q1.Close();
        dm.Q1.setSQL("SELECT MAX(NAZIV) NAZIV FROM T_A WHERE ID = :ID");
        dm.Q1.SetVariable("ID", id);
        dm.Q1.Open();
        return dm.Q1.FieldByName("NAZIV").AsString();
    };
    bank.exec("INSERT INTO T_A VALUES (2, 'dva');");
    EXPECT_EQ(naziv(1), "ena");
    EXPECT_EQ(naziv(2), "dva");
    EXPECT_EQ(naziv(std::string("2")), "dva");
    EXPECT_EQ(naziv(1.0), "ena");
    EXPECT_EQ(naziv(1), "ena");
    const long hits = session.keptResultHits();
    EXPECT_GE(hits, 1);

    // The clock is read anew each time.
    dm.OdpriPoizvedbo(dm.Q1, "SELECT TO_CHAR(SYSDATE, 'HH24:MI:SS') S FROM DUAL");
    dm.OdpriPoizvedbo(dm.Q1, "SELECT TO_CHAR(SYSDATE, 'HH24:MI:SS') S FROM DUAL");
    EXPECT_EQ(session.keptResultHits(), hits);

    // A kept answer is a copy: moving through one dataset does not move another.
    dm.OdpriPoizvedbo(dm.Q1, "SELECT ID FROM T_A ORDER BY ID");
    dm.Q1.Next();
    dm.OdpriPoizvedbo(dm.Q2, "SELECT ID FROM T_A ORDER BY ID");
    EXPECT_EQ(dm.Q2.FieldByName("ID").AsInteger(), 1);
    EXPECT_EQ(dm.Q1.FieldByName("ID").AsInteger(), 2);
}

} // namespace
} // namespace orv
