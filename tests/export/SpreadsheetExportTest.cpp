// The .xlsx and .csv exports, read back with the import's own workbook readers: every text
// comes back as it was, every number as the same double, every date as its text, NULL empty.

#include "base/Datum.h"
#include "export/ExportFixture.h"
#include "export/Izvoz.h"
#include "export/IzvozError.h"
#include "sheet/Workbook.h"

#include <cstdlib>
#include <filesystem>

namespace orv::test {
namespace {

using SpreadsheetExport = ExportFixture;

struct Format {
    OblikaIzvoza oblika;
    const char* file;
};
const Format kFormats[] = {{OblikaIzvoza::Xlsx, "t.xlsx"}, {OblikaIzvoza::Csv, "t.csv"}};

// Each a row of T_IZVOZ (ID, NAZIV, DAN, ZNESEK) plus OPIS: texts that a careless writer breaks,
// numbers that a spreadsheet rounds, dates at the edges of a spreadsheet's calendar.
const std::vector<std::string> kRows = {
    "1, '00031', '01.03.1900', 0.30000000000000004, 'a;b'",
    "2, '0', '28.02.1900', 1e-7, 'rek \"x\" in \"\"'",
    "3, NULL, '01.01.0001', 1e20, 'vrstica 1\nvrstica 2'",
    "4, '007', '31.12.9999', -2.5, 'CR LF\r\nin sam CR\r'",
    "5, 'X', '15.06.2024 13:45:30', 123456789.12345679, 'Ł ž € 日本語 😀 ∑'",
    "6, '  a  ', '01.01.1900', 12345678901234567890, '_x0041_ in _x005F_'",
    "7, '\"', '29.02.2024', 0, '=1+2'",
    "8, ';', NULL, NULL, 'tab\there, vejica'",
    "9, NULL, '01.01.2000 00:00:01', 4.9406564584124654e-324, NULL",
    "10, '1', '31.12.2024', -1.7976931348623157e308, '\"začetek s narekovajem'",
};

// The text the import must read from the cell of this field in the current row.
void expectCell(Field field, const std::string& cell, const std::string& where) {
    if (field.IsNull()) {
        EXPECT_EQ(cell, "") << where;
        return;
    }
    switch (field.info().type) {
    case FieldType::Float:
        EXPECT_EQ(std::strtod(cell.c_str(), nullptr), field.AsFloat())
            << where << ": the cell '" << cell << "' reads as another number";
        break;
    case FieldType::Date:
        EXPECT_EQ(cell, formatDateTime(field.AsDateTime())) << where;
        break;
    case FieldType::String:
        EXPECT_EQ(cell, field.AsString()) << where;
        break;
    }
}

TEST_F(SpreadsheetExport, EveryValueReadsBackAsItWas) {
    open(kRows, ", OPIS VARCHAR2(200)");
    for (const Format& format : kFormats) {
        const auto notices = IzvoziTabelo(dm.Q1, allFields(), format.oblika, file(format.file));
        EXPECT_TRUE(notices.empty()) << format.file;
        const auto workbook = sheet::openWorkbook(file(format.file));
        const std::vector<std::string> names = {"ID", "NAZIV", "DAN", "ZNESEK", "OPIS"};
        for (size_t c = 0; c < names.size(); ++c)
            EXPECT_EQ(workbook->cellText(1, static_cast<int>(c) + 1), names[c]) << format.file;
        int row = 2;
        for (dm.Q1.First(); !dm.Q1.Eof(); dm.Q1.Next(), ++row)
            for (int c = 0; c < dm.Q1.FieldCount(); ++c)
                expectCell(dm.Q1.Fields(c), workbook->cellText(row, c + 1),
                           std::string(format.file) + " row " + std::to_string(row) + " column " +
                               dm.Q1.fieldInfos()[static_cast<size_t>(c)].name);
        EXPECT_EQ(workbook->cellText(row, 1), "") << format.file << ": no row after the last";
    }
    EXPECT_EQ(otherFiles(), (std::vector<std::string>{"t.csv", "t.xlsx"}))
        << "no temporary file or folder is left behind";
}

TEST_F(SpreadsheetExport, CsvIsUtf8WithSemicolonsAndQuotesOnlyWhereNeeded) {
    open({"1, '00031', '05.01.2024', 12.5", "2, 'a;b', '05.01.2024 08:09:10', -0.1",
          "3, 're\"k', NULL, NULL", "4, '1.2.2024', NULL, 1e-7", "5, '2024-01-02', NULL, NULL"});
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Csv, file("t.csv"));
    EXPECT_EQ(readBytes(file("t.csv")), "\xEF\xBB\xBF"
                                        "ID;NAZIV;DAN;ZNESEK\r\n"
                                        "1;00031;05.01.2024;12.5\r\n"
                                        "2;\"a;b\";05.01.2024 08:09:10;-0.1\r\n"
                                        "3;\"re\"\"k\";;\r\n"
                                        // Texts that look like dates are marked as texts.
                                        "4;\"1.2.2024\";;1e-07\r\n"
                                        "5;\"2024-01-02\";;\r\n");
}

TEST_F(SpreadsheetExport, StreamedFromTheStatementTheFileIsTheSame) {
    open(kRows, ", OPIS VARCHAR2(200)");
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Csv, file("t.csv"));
    int counted = 0;
    dm.Q2.setSQL("SELECT * FROM T_IZVOZ ORDER BY ID");
    EXPECT_EQ(IzvoziPretok(dm.Q2, {}, OblikaIzvoza::Csv, file("p.csv"),
                           [&counted](int row) { counted = row; }),
              static_cast<int>(kRows.size()));
    EXPECT_EQ(counted, static_cast<int>(kRows.size()));
    EXPECT_EQ(readBytes(file("p.csv")), readBytes(file("t.csv")));

    // Chosen columns in their order, any letter case; a name the rows lack writes nothing.
    dm.Q2.setSQL("SELECT * FROM T_IZVOZ ORDER BY ID");
    IzvoziPretok(dm.Q2, {"opis", "ID"}, OblikaIzvoza::Xlsx, file("p.xlsx"));
    const auto workbook = sheet::openWorkbook(file("p.xlsx"));
    EXPECT_EQ(workbook->cellText(1, 1), "OPIS");
    EXPECT_EQ(workbook->cellText(2, 1), "a;b");
    EXPECT_EQ(workbook->cellText(11, 2), "10");
    dm.Q2.setSQL("SELECT * FROM T_IZVOZ ORDER BY ID");
    EXPECT_THROW(IzvoziPretok(dm.Q2, {"ID", "NI_TAKEGA"}, OblikaIzvoza::Csv, file("n.csv")),
                 IzvozError);
    EXPECT_FALSE(std::filesystem::exists(file("n.csv")));
}

TEST_F(SpreadsheetExport, XlsxKeepsTextsThatLookLikeNumbersOrDates) {
    const std::vector<std::string> texts = {"1,5",  "1.2.2024", "2024-01-02", "1e5",
                                            "TRUE", "0x1A",     "-0",         "+7"};
    std::vector<std::string> rows;
    for (size_t i = 0; i < texts.size(); ++i)
        rows.push_back(std::to_string(i) + ", '" + texts[i] + "', NULL, NULL");
    open(rows);
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Xlsx, file("t.xlsx"));
    const auto workbook = sheet::openWorkbook(file("t.xlsx"));
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(workbook->cellText(static_cast<int>(i) + 2, 2), texts[i]);
}

TEST_F(SpreadsheetExport, AnEmptyDatasetWritesTheNamesOnly) {
    open({});
    for (const Format& format : kFormats) {
        IzvoziTabelo(dm.Q1, allFields(), format.oblika, file(format.file));
        const auto workbook = sheet::openWorkbook(file(format.file));
        EXPECT_EQ(workbook->cellText(1, 4), "ZNESEK") << format.file;
        EXPECT_EQ(workbook->cellText(2, 1), "") << format.file;
    }
}

TEST_F(SpreadsheetExport, ACellLongerThanAnExcelCellIsRefusedAndNothingIsWritten) {
    open({"1, 'a', NULL, 1, '" + std::string(40000, 'x') + "'"}, ", OPIS VARCHAR2(40000)");
    std::string message;
    try {
        IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Xlsx, file("t.xlsx"));
    } catch (const IzvozError& error) {
        message = error.what();
    }
    EXPECT_NE(message.find("OPIS v vrstici 2"), std::string::npos) << message;
    EXPECT_TRUE(otherFiles().empty());
}

} // namespace
} // namespace orv::test
