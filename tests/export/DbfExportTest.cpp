// dBase export: read back with shapelib and with the test's own reader of the published layout.

#include "base/Cp1250.h"
#include "export/DbfReader.h"
#include "export/ExportFixture.h"
#include "export/Izvoz.h"
#include "export/IzvozError.h"

#include <shapefil.h>

#include <memory>

namespace orv::test {
namespace {

using DbfExport = ExportFixture;

struct CloseDbf {
    void operator()(DBFInfo* handle) const { DBFClose(handle); }
};

TEST_F(DbfExport, EveryKindOfValueReadsBackWholeWithBothReaders) {
    open({"1, 'Čas €', '05.03.2024', 12.5", "2, NULL, NULL, NULL",
          "3, 'dvanajst zn.', '31.12.2024', -1234567.125", "4, 'x', '01.01.2000', 0.000001"});
    int rows = 0;
    const auto notices = IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::DBase, file("t.dbf"),
                                      [&](int done) { rows = done; });
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(rows, 4);

    const DbfTable table = readDbf(file("t.dbf"));
    EXPECT_EQ(table.version, 0x03);
    EXPECT_EQ(table.languageDriver, 200) << "code page 1250";
    ASSERT_EQ(table.fields.size(), 4u);
    EXPECT_EQ(table.fields[0].name, "ID");
    EXPECT_EQ(table.fields[0].type, 'N');
    EXPECT_EQ(table.fields[1].type, 'C');
    EXPECT_EQ(table.fields[1].length, 12) << "the declared width";
    EXPECT_EQ(table.fields[2].type, 'D');
    EXPECT_EQ(table.fields[3].type, 'N');
    EXPECT_EQ(table.fields[3].decimals, 6) << "the places the values need";
    EXPECT_EQ(table.fields[3].length, 15); // -1234567.125000
    ASSERT_EQ(table.records.size(), 4u);
    EXPECT_EQ(table.records[0][1], vCp1250("Čas €") + std::string(7, ' '));
    EXPECT_EQ(table.records[0][2], "20240305");
    EXPECT_EQ(table.records[0][3], "      12.500000");
    EXPECT_EQ(table.records[1][1], std::string(12, ' ')) << "NULL is blanks";
    EXPECT_EQ(table.records[1][2], std::string(8, ' '));
    EXPECT_EQ(table.records[1][3], std::string(15, ' '));
    EXPECT_EQ(table.records[2][3], "-1234567.125000");
    EXPECT_EQ(table.records[3][3], "       0.000001");
    EXPECT_TRUE(table.endMarker);

    std::unique_ptr<DBFInfo, CloseDbf> dbf(DBFOpen(file("t.dbf").c_str(), "rb"));
    ASSERT_TRUE(dbf);
    EXPECT_EQ(DBFGetRecordCount(dbf.get()), 4);
    EXPECT_EQ(DBFGetFieldCount(dbf.get()), 4);
    EXPECT_EQ(izCp1250(DBFReadStringAttribute(dbf.get(), 0, 1)), "Čas €");
    EXPECT_EQ(DBFReadDoubleAttribute(dbf.get(), 2, 3), -1234567.125);
    EXPECT_EQ(DBFReadDoubleAttribute(dbf.get(), 3, 3), 0.000001);
    EXPECT_STREQ(DBFReadStringAttribute(dbf.get(), 2, 2), "20241231");
    EXPECT_TRUE(DBFIsAttributeNULL(dbf.get(), 1, 3));
    EXPECT_STREQ(DBFReadStringAttribute(dbf.get(), 1, 2), "") << "an empty date is blanks";
    EXPECT_EQ(DBFReadIntegerAttribute(dbf.get(), 2, 0), 3);
}

TEST_F(DbfExport, LongFieldNamesAreCutToUniqueNames) {
    open({"1, 'a', NULL, 1, 2, 3, 4"},
         ", ECB_ZNESEK_VAL NUMBER, ECB_ZNESEK_DOM NUMBER, ECB_ZNESEK_VAL2 NUMBER");
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::DBase, file("n.dbf"));
    const DbfTable table = readDbf(file("n.dbf"));
    ASSERT_EQ(table.fields.size(), 7u);
    EXPECT_EQ(table.fields[4].name, "ECB_ZNESEK");
    EXPECT_EQ(table.fields[5].name, "ECB_ZNES_1");
    EXPECT_EQ(table.fields[6].name, "ECB_ZNES_2");
    EXPECT_EQ(table.records[0][6], "4");
}

TEST_F(DbfExport, CharactersTheCodePageLacksBecomeQuestionMarksAndAreReported) {
    open({"1, 'Ωmega ✓', NULL, NULL"});
    const auto notices = IzvoziTabelo(dm.Q1, {1}, OblikaIzvoza::DBase, file("q.dbf"));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_NE(notices[0].find("2 znakov"), std::string::npos) << notices[0];
    EXPECT_EQ(readDbf(file("q.dbf")).records[0][0].substr(0, 7), "?mega ?");
}

TEST_F(DbfExport, NumbersTooWideForANumericFieldGoWholeIntoATextField) {
    open({"1, NULL, NULL, 123456789012345", "2, NULL, NULL, 0.123456789012345"});
    const auto notices = IzvoziTabelo(dm.Q1, {3}, OblikaIzvoza::DBase, file("w.dbf"));
    ASSERT_EQ(notices.size(), 1u);
    const DbfTable table = readDbf(file("w.dbf"));
    EXPECT_EQ(table.fields[0].type, 'C');
    EXPECT_EQ(table.records[0][0], "123456789012345.000000000000000");
    EXPECT_EQ(table.records[1][0], "              0.123456789012345");
}

TEST_F(DbfExport, ATextLongerThanAFieldHoldsFailsAndWritesNothing) {
    open({"1, NULL, NULL, NULL, '" + std::string(300, 'x') + "'"}, ", OPOMBA VARCHAR2(400)");
    try {
        IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::DBase, file("l.dbf"));
        FAIL() << "a 300-character text was written into a dBase table";
    } catch (const IzvozError& error) {
        EXPECT_NE(std::string(error.what()).find("OPOMBA"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(otherFiles().empty());
}

} // namespace
} // namespace orv::test
