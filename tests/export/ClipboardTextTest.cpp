// The grid's clipboard text: caption, labels, one line per row, its quoting rules.

#include "export/ExportFixture.h"
#include "export/Izvoz.h"

namespace orv::test {
namespace {

using ClipboardText = ExportFixture;

TEST_F(ClipboardText, EmptyDatasetGivesTheCaptionAndTheHeader) {
    open({});
    EXPECT_EQ(BesediloOdlozisca(dm.Q1, allFields(), "POD_ORVEL 31.12.2024"),
              "POD_ORVEL 31.12.2024\r\nID\tNAZIV\tDAN\tZNESEK\t\r\n");
}

TEST_F(ClipboardText, TextsAreQuotedWithoutCrAndTabAndOtherValuesAsShown) {
    open({"1, 'a' || char(9) || 'b' || char(13) || char(10) || 'c\"d', '05.03.2024', 12.5",
          "2, NULL, NULL, NULL", "3, '\"\"', '31.12.2024 10:30:00', -0.1",
          "4, 'čšž', '29.02.2024', 1e20"});
    int lastProgress = 0;
    const std::string text =
        BesediloOdlozisca(dm.Q1, allFields(), "", [&](int rows) { lastProgress = rows; });
    EXPECT_EQ(text, "\r\n"
                    "ID\tNAZIV\tDAN\tZNESEK\t\r\n"
                    // TAB and CR removed, LF kept, the quote doubled, inside double quotes
                    "1\t\"ab\nc\"\"d\"\t05.03.2024\t12.5\t\r\n"
                    // NULL text is an empty quoted text; NULL date and number are empty
                    "2\t\"\"\t\t\t\r\n"
                    "3\t\"\"\"\"\"\"\t31.12.2024 10:30:00\t-0.1\t\r\n"
                    "4\t\"čšž\"\t29.02.2024\t1e+20\t\r\n");
    EXPECT_EQ(lastProgress, 4);
    EXPECT_EQ(dm.Q1.currentRow(), 0); // the dataset stands on its first row
    EXPECT_FALSE(dm.Q1.Eof());
}

TEST_F(ClipboardText, VisibleFieldsInTheirOrderWithTheirLabels) {
    open({"1, 'x', NULL, 2"});
    dm.Q1.fieldInfos()[3].displayLabel = "Znesek v EUR";
    EXPECT_EQ(BesediloOdlozisca(dm.Q1, {3, 1}, "Napis"),
              "Napis\r\nZnesek v EUR\tNAZIV\t\r\n2\t\"x\"\t\r\n");
}

TEST_F(ClipboardText, TabInANumberOrDateTextIsRemovedToo) {
    // A column without a declared kind takes it from its values: text here, so quoted; the TAB
    // goes in every value whatever its kind.
    open({"1, NULL, NULL, NULL"});
    dm.OdpriPoizvedbo(dm.Q1, "SELECT ID || CHR(9) AS T FROM T_IZVOZ");
    EXPECT_EQ(BesediloOdlozisca(dm.Q1, {0}, "c"), "c\r\nT\t\r\n\"1\"\t\r\n");
}

} // namespace
} // namespace orv::test
