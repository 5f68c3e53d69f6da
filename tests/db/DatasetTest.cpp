#include "base/RecordingVmesnik.h"
#include "db/DatabaseError.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {
namespace {

struct DatasetFixture : ::testing::Test {
    test::TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    void SetUp() override {
        bank.exec("CREATE TABLE T_VRSTICE (ID NUMBER, NAZIV VARCHAR2(5), DAN DATE COLLATE DATUM, "
                  "ZNESEK NUMBER);"
                  "INSERT INTO T_VRSTICE VALUES (1, 'prva', '05.03.2024', 12.5);"
                  "INSERT INTO T_VRSTICE VALUES (2, NULL, NULL, NULL);"
                  "INSERT INTO T_VRSTICE VALUES (3, '00031', '31.12.2024 10:30:00', -2.5);");
        dm.OracleSession1.logonDatabase = bank.logonDatabase();
        dm.OracleSession1.logonUsername = "OPERATER";
        dm.OracleSession1.logonPassword = "demo";
        dm.OracleSession1.LogOn();
    }
};

TEST_F(DatasetFixture, OpenFetchesAllRowsAndWalksForward) {
    dm.OdpriPoizvedbo(dm.Q1, "SELECT ID FROM T_VRSTICE ORDER BY ID");
    EXPECT_EQ(dm.Q1.RecordCount(), 3);
    std::vector<int> ids;
    for (dm.Q1.First(); !dm.Q1.Eof(); dm.Q1.Next())
        ids.push_back(dm.Q1.FieldByName("id").AsInteger());
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
}

// A printed query of any size: each row is read as it comes and nothing stays behind.
TEST_F(DatasetFixture, ForEachRowVisitsTheRowsWithoutKeepingThem) {
    TOracleDataSet& q = dm.Q1;
    q.setSQL("SELECT ID, NAZIV, DAN, (SELECT MAX(DAN) FROM T_VRSTICE) ZADNJI FROM T_VRSTICE "
             "ORDER BY ID");
    std::vector<std::string> seen;
    q.ForEachRow([&] { seen.push_back(std::to_string(q.FieldCount()) + " columns"); },
                 [&] {
                     seen.push_back(q.FieldByName("ID").AsString() + "|" +
                                    q.FieldByName("NAZIV").AsString() + "|" +
                                    q.FieldByName("DAN").AsString() + "|" +
                                    q.FieldByName("ZADNJI").AsString());
                     EXPECT_EQ(q.RecordCount(), 0);
                 });
    EXPECT_EQ(seen, (std::vector<std::string>{"4 columns", "1|prva|05.03.2024|31.12.2024 10:30:00",
                                              "2|||31.12.2024 10:30:00",
                                              "3|00031|31.12.2024 10:30:00|31.12.2024 10:30:00"}));
    EXPECT_FALSE(q.Active());

    // An error on the third row: the rows before it were visited, the dataset is closed.
    q.setSQL("SELECT ID, 1 / (ID - 3) X FROM T_VRSTICE");
    int visited = 0;
    EXPECT_THROW(q.ForEachRow([] {}, [&] { ++visited; }), DatabaseError);
    EXPECT_EQ(visited, 2);
    EXPECT_FALSE(q.Active());
}

TEST_F(DatasetFixture, FieldConversions) {
    dm.OdpriPoizvedbo(dm.Q1, "SELECT * FROM T_VRSTICE ORDER BY ID");
    TOracleDataSet& q = dm.Q1;
    EXPECT_EQ(q.FieldByName("naziv").AsString(), "prva");
    EXPECT_EQ(q.FieldByName("ZNESEK").AsString(), "12.5");
    EXPECT_EQ(q.FieldByName("ZNESEK").AsInteger(), 12); // halves go to the even neighbour
    EXPECT_EQ(q.FieldByName("Dan").AsString(), "05.03.2024");
    EXPECT_EQ(q.FieldByName("DAN").AsDateTime(), encodeDate(2024, 3, 5));
    EXPECT_EQ(q.FieldByName("DAN").AsFloat(), encodeDate(2024, 3, 5));
    q.Next();
    for (const char* column : {"NAZIV", "DAN", "ZNESEK"}) {
        EXPECT_EQ(q.FieldByName(column).AsString(), "") << column;
        EXPECT_EQ(q.FieldByName(column).AsFloat(), 0.0) << column;
        EXPECT_EQ(q.FieldByName(column).AsInteger(), 0) << column;
        EXPECT_EQ(q.FieldByName(column).AsDateTime(), 0.0) << column;
    }
    q.Next();
    EXPECT_EQ(q.FieldByName("NAZIV").AsString(), "00031"); // leading zeros stay
    EXPECT_EQ(q.FieldByName("NAZIV").AsInteger(), 31);
    EXPECT_EQ(q.FieldByName("ZNESEK").AsInteger(), -2);
    EXPECT_EQ(q.FieldByName("DAN").AsString(), "31.12.2024 10:30:00");
    EXPECT_DOUBLE_EQ(q.FieldByName("DAN").AsDateTime(), encodeDate(2024, 12, 31) + 10.5 / 24);
    dm.OdpriPoizvedbo(dm.Q1, "SELECT 'abc' T, 3 / 2 K, 1.0 * 1e20 V FROM T_VRSTICE WHERE ID = 1");
    EXPECT_THROW(q.FieldByName("T").AsFloat(), DatabaseError);
    EXPECT_THROW(q.FieldByName("T").AsDateTime(), DatabaseError);
    EXPECT_THROW(q.FieldByName("V").AsInteger(), DatabaseError); // beyond 32 bits
    EXPECT_EQ(q.FieldByName("V").AsString(), "1e+20");
}

TEST_F(DatasetFixture, EmptyResultReadsEmptyButUnknownColumnRaises) {
    dm.OdpriPoizvedbo(dm.Q1, "SELECT NAZIV, ZNESEK FROM T_VRSTICE WHERE ID = 99");
    EXPECT_TRUE(dm.Q1.Eof());
    EXPECT_EQ(dm.Q1.RecordCount(), 0);
    EXPECT_EQ(dm.Q1.FieldByName("NAZIV").AsString(), "");
    EXPECT_EQ(dm.Q1.FieldByName("ZNESEK").AsFloat(), 0.0);
    try {
        dm.Q1.FieldByName("NI_STOLPCA");
        FAIL() << "an unknown column must raise";
    } catch (const DatabaseError& error) {
        EXPECT_STREQ(error.what(), "Q1: Field 'NI_STOLPCA' not found");
    }
}

TEST_F(DatasetFixture, DeclaredVariablesAreBoundByType) {
    TOracleDataSet& q = dm.Qvln; // :SFVLT string, :DAN date
    q.setSQL("SELECT ID FROM T_VRSTICE WHERE NAZIV = :SFVLT OR DAN = :DAN ORDER BY ID");
    q.SetVariable("SFVLT", "prva");
    q.SetVariable("dan", encodeDate(2024, 12, 31) + 10.5 / 24);
    q.Open();
    ASSERT_EQ(q.RecordCount(), 2);
    q.Next();
    EXPECT_EQ(q.FieldByName("ID").AsInteger(), 3);
    EXPECT_THROW(q.SetVariable("NEZNANA", 1), DatabaseError);
    q.setSQL("SELECT ID FROM T_VRSTICE WHERE ID = :NEZNANA");
    EXPECT_THROW(q.Open(), DatabaseError); // a variable nobody declared is not bound
}

TEST_F(DatasetFixture, ExecutedStatementsStayUncommittedUntilCommitOrPost) {
    dm.IzvediStavek("UPDATE T_VRSTICE SET ZNESEK = 99 WHERE ID = 1");
    EXPECT_EQ(bank.scalar("SELECT ZNESEK FROM T_VRSTICE WHERE ID = 1"), "12.5");
    // A post on any dataset commits everything executed before it.
    dm.OdpriPoizvedbo(dm.Qpod_orvel, "SELECT T.*, T.ROWID FROM T_VRSTICE T WHERE ID = 0");
    dm.Qpod_orvel.Append();
    dm.Qpod_orvel.FieldByName("ID").setAsInteger(4);
    dm.Qpod_orvel.Post();
    EXPECT_EQ(bank.scalar("SELECT ZNESEK FROM T_VRSTICE WHERE ID = 1"), "99");
    EXPECT_EQ(bank.scalar("SELECT count(*) FROM T_VRSTICE WHERE ID = 4"), "1");

    dm.IzvediInPotrdi("DELETE FROM T_VRSTICE WHERE ID = 4");
    EXPECT_EQ(bank.scalar("SELECT count(*) FROM T_VRSTICE WHERE ID = 4"), "0");
}

TEST_F(DatasetFixture, AppendWritesNullForEmptyTextAndCutsLongText) {
    dm.OdpriPoizvedbo(dm.Qpod_orvel, "SELECT T.*, T.ROWID FROM T_VRSTICE T WHERE ID = 0");
    TOracleDataSet& q = dm.Qpod_orvel;
    q.Append();
    q.FieldByName("ID").setAsInteger(7);
    q.FieldByName("NAZIV").setAsString("predolgo besedilo");
    q.FieldByName("DAN").setAsDateTime(encodeDate(2024, 2, 29));
    q.FieldByName("ZNESEK").setAsFloat(0.1);
    q.Post();
    q.Append();
    q.FieldByName("ID").setAsInteger(8);
    q.FieldByName("NAZIV").setAsString("");
    q.Post();
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(
        bank.scalar("SELECT NAZIV || '|' || DAN || '|' || ZNESEK FROM T_VRSTICE WHERE ID = 7"),
        "predo|29.02.2024|0.1");
    EXPECT_EQ(bank.scalar("SELECT typeof(NAZIV) FROM T_VRSTICE WHERE ID = 8"), "null");
}

TEST_F(DatasetFixture, AppendNeedsAnUpdatableQuery) {
    dm.OdpriPoizvedbo(dm.Qvknt, "SELECT ID FROM T_VRSTICE");
    EXPECT_THROW(dm.Qvknt.Append(), DatabaseError); // read-only dataset
    dm.OdpriPoizvedbo(dm.Q1, "SELECT count(*) N FROM T_VRSTICE");
    EXPECT_THROW(dm.Q1.Append(), DatabaseError); // not a query over one table
    EXPECT_THROW(dm.Q1.FieldByName("N").setAsInteger(1), DatabaseError); // not appending
}

TEST_F(DatasetFixture, BadStatementsFailCleanlyAndChangeNothing) {
    dm.IzvediStavek("UPDATE T_VRSTICE SET ZNESEK = 5 WHERE ID = 2");
    const std::vector<std::string> bad = {
        "SELEC * FROM T_VRSTICE",
        "SELECT * FROM NI_TABELE",
        "SELECT NI_STOLPCA FROM T_VRSTICE",
        "UPDATE T_VRSTICE SET ZNESEK = (1",
        "SELECT 'nezaključen FROM T_VRSTICE",
        "",
    };
    for (const std::string& statement : bad) {
        EXPECT_THROW(dm.OdpriPoizvedbo(dm.Q1, statement), DatabaseError) << statement;
        EXPECT_THROW(dm.IzvediStavek(statement), DatabaseError) << statement;
    }
    dm.OracleSession1.Commit();
    // The failures did not undo the earlier, still uncommitted statement, nor change anything.
    EXPECT_EQ(bank.scalar("SELECT ZNESEK FROM T_VRSTICE WHERE ID = 2"), "5");
    EXPECT_EQ(bank.scalar("SELECT count(*) FROM T_VRSTICE"), "3");
}

TEST_F(DatasetFixture, StatementsOfOneShapeKeepTheirOwnLiterals) {
    bank.exec("INSERT INTO T_VRSTICE VALUES (4, 'it''s', '01.01.2007', 3);");
    struct Case {
        std::string where;
        std::string ids;
    };
    const Case cases[] = {
        {"NAZIV = 'prva'", "1"}, {"NAZIV = '00031'", "3"},   {"NAZIV = 'it''s'", "4"},
        {"NAZIV = ''", ""}, // '' is NULL: nothing equals it
        {"ZNESEK > 5", "1"},     {"ZNESEK > -5.5", "1,3,4"}, {"DAN = '1.1.2007'", "4"},
        {"ID IN (1, 2)", "1,2"}, {"ID IN (3, 4)", "3,4"},    {"ZNESEK / 2 < 2", "3,4"},
    };
    for (const Case& c : cases) {
        dm.OdpriPoizvedbo(dm.Q1, "SELECT ID FROM T_VRSTICE WHERE " + c.where + " ORDER BY ID");
        std::string ids;
        for (; !dm.Q1.Eof(); dm.Q1.Next())
            ids += (ids.empty() ? "" : ",") + dm.Q1.FieldByName("ID").AsString();
        EXPECT_EQ(ids, c.ids) << c.where;
    }
    // A literal that shapes the statement (an ORDER BY position) is not shared.
    dm.OdpriPoizvedbo(dm.Q1, "SELECT ID, ZNESEK FROM T_VRSTICE WHERE ID <> 2 ORDER BY 2");
    EXPECT_EQ(dm.Q1.FieldByName("ID").AsInteger(), 3);
    dm.OdpriPoizvedbo(dm.Q1, "SELECT ID, ZNESEK FROM T_VRSTICE WHERE ID <> 2 ORDER BY 1");
    EXPECT_EQ(dm.Q1.FieldByName("ID").AsInteger(), 1);
}

// Literals that decide what the translation writes, a row count or a format mask, keep each
// statement of a shape to its own translation.
TEST_F(DatasetFixture, LiteralsThatShapeTheTranslationKeepTheirOwn) {
    bank.exec("INSERT INTO T_VRSTICE VALUES (4, 'it''s', '01.01.2007', 3);");
    const std::pair<std::string, std::string> cases[] = {
        {"ROWNUM = 1", "1"},
        {"ROWNUM <= 3", "1,2,3"},
        {"2 > ROWNUM", "1"},
        {"ROWNUM = 2", ""},
        {"TO_CHAR(DAN, 'YYYY') = '2007'", "4"},
        {"TO_CHAR(DAN, 'MM') = '03'", "1"},
        {"TRUNC(ZNESEK, 1) = 12.5", "1"},
        {"TRUNC(ZNESEK, -1) = 10", "1"},
    };
    for (const auto& [where, expected] : cases) {
        dm.OdpriPoizvedbo(dm.Q1, "SELECT ID FROM T_VRSTICE WHERE " + where + " ORDER BY ID");
        std::string ids;
        for (; !dm.Q1.Eof(); dm.Q1.Next())
            ids += (ids.empty() ? "" : ",") + dm.Q1.FieldByName("ID").AsString();
        EXPECT_EQ(ids, expected) << where;
    }
}

// A literal that the translation keeps as text (a constant in a CASE or a select list) gives
// the statements that agree in it a shared translation of their own; a statement with another
// value there must not run the translation learned for the first.
TEST_F(DatasetFixture, LiteralsKeptAsTextShareOnlyAmongEqualValues) {
    struct Case {
        std::string sql;
        std::string answer;
    };
    const Case cases[] = {
        {"SELECT SUM(CASE WHEN NAZIV = 'prva' THEN ZNESEK ELSE 0 END) S FROM T_VRSTICE WHERE ID < "
         "9",
         "12.5"},
        {"SELECT SUM(CASE WHEN NAZIV = 'prva' THEN ZNESEK ELSE 0 END) S FROM T_VRSTICE WHERE ID < "
         "2",
         "12.5"},
        {"SELECT SUM(CASE WHEN NAZIV = '00031' THEN ZNESEK ELSE 0 END) S FROM T_VRSTICE WHERE ID < "
         "9",
         "-2.5"},
        {"SELECT SUM(CASE WHEN NAZIV = '00031' THEN ZNESEK ELSE 100 END) S FROM T_VRSTICE WHERE ID "
         "> 1",
         "97.5"},
        {"SELECT SUM(NVL(ZNESEK, 7)) S FROM T_VRSTICE WHERE ID >= 2", "4.5"},
        {"SELECT SUM(NVL(ZNESEK, 1)) S FROM T_VRSTICE WHERE ID >= 1", "11"},
        {"SELECT SUM(NVL(ZNESEK, 1)) S FROM T_VRSTICE WHERE ID >= 3", "-2.5"},
    };
    for (const Case& c : cases) {
        dm.OdpriPoizvedbo(dm.Q1, c.sql);
        EXPECT_EQ(dm.Q1.FieldByName("S").AsString(), c.answer) << c.sql;
    }
}

TEST_F(DatasetFixture, NotLoggedOnFails) {
    dm.OracleSession1.LogOff();
    EXPECT_THROW(dm.Qvknt.Open(), DatabaseError);
    EXPECT_NO_THROW(dm.OracleSession1.Commit()); // does nothing without a connection
}

TEST_F(DatasetFixture, DebugFilesHoldTheStatementWithCrLfOnlyWhileTheSwitchIsOn) {
    const std::string path = bank.folder() + "/A.SQL";
    dm.OdpriPoizvedbo(dm.Q2, "SELECT ID FROM T_VRSTICE WHERE ID = 1", "A.SQL");
    EXPECT_FALSE(std::ifstream(path).good());
    window.options.DebugSQL = true;
    dm.Qvknt.SaveSQLToFile(path); // a statement of three lines
    std::ifstream three(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(three), {}),
              "select ' ' SIF, ' ' nzv from dual\r\nunion\r\n"
              "select SIF, nzv from sif where ssf='VKNT'  order by nzv\r\n");
    dm.OdpriPoizvedbo(dm.Q2, "SELECT ID FROM T_VRSTICE", "A.SQL");
    std::ifstream one(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(one), {}), "SELECT ID FROM T_VRSTICE\r\n");
}

} // namespace
} // namespace orv
