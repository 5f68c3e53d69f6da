// The workbook readers: cell texts of every format, streaming back and forth, and bad files.

#include "sheet/Workbook.h"
#include "sheet/CellText.h"
#include "sheet/RowCache.h"
#include "sheet/SheetFiles.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace orv::sheet {
namespace {

using test::Datum;
using test::Formula;
using test::Sheet;
using test::text;

// Cell texts of a rectangle, row by row: what the import would read.
std::vector<std::vector<std::string>> cells(Workbook& workbook, int rows, int columns) {
    std::vector<std::vector<std::string>> read;
    for (int r = 1; r <= rows; ++r) {
        read.emplace_back();
        for (int c = 1; c <= columns; ++c)
            read.back().push_back(workbook.cellText(r, c));
    }
    return read;
}

// The message of the WorkbookError that `open` or a read throws.
template <typename Action> std::string failureOf(Action action) {
    try {
        action();
    } catch (const WorkbookError& error) {
        return error.what();
    }
    return "no failure";
}

TEST(CellText, NumbersAsTheSystemWritesThem) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {12.5, "12.5"},
        {-1234.56, "-1234.56"},
        {0.1 + 0.2, "0.3"},
        {1e20, "100000000000000000000"},
        {1.5e-7, "0.00000015"},
        {123456789012345678.0, "123456789012346000"},
        {1.0 / 3.0, "0.333333333333333"},
        {1234.5600000000001, "1234.56"},
        {45657.0, "45657"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(numberText(value), expected) << value;
}

TEST(CellText, NumbersAtTheEdgesOfTheirShortcuts) {
    // Whole numbers up to 15 digits are written directly, others are rounded to 15 digits; a
    // subnormal number has fewer bits than 15 digits need and is rounded explicitly too.
    const std::pair<double, const char*> cases[] = {
        {999999999999999.0, "999999999999999"},
        {-999999999999999.0, "-999999999999999"},
        {1e15, "1000000000000000"},
        {9007199254740993.0, "9007199254740990"},
        {0.30000000000000004, "0.3"},
        {-2.5e-5, "-0.000025"},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(numberText(value), expected) << value;
    EXPECT_EQ(numberText(7.3713030335399493e-311),
              "0." + std::string(310, '0') + "737130303353995");
}

TEST(CellText, DatesOfSerialNumbersAndIsoTexts) {
    EXPECT_EQ(serialDateText(45657), "31.12.2024");
    EXPECT_EQ(serialDateText(45657.75), "31.12.2024 18:00:00");
    EXPECT_EQ(serialDateText(1), "01.01.1900");
    EXPECT_EQ(serialDateText(61), "01.03.1900");
    EXPECT_EQ(serialDateText(44195, true), "31.12.2024"); // 1904 date system
    EXPECT_EQ(isoDateText("2024-12-31"), "31.12.2024");
    EXPECT_EQ(isoDateText("2024-02-29T13:45:10.250Z"), "29.02.2024 13:45:10");
    EXPECT_EQ(isoDateText("2023-02-29"), std::nullopt);
    EXPECT_EQ(isoDateText("31.12.2024"), std::nullopt);
}

TEST(CellText, DateFormatsAreToldFromNumberFormats) {
    for (const char* code : {"dd.mm.yyyy", "d/m/yy h:mm", "[h]:mm:ss", "yyyy-mm-dd;@",
                             "[$-424]d. mmmm yyyy", "mmm-yy"})
        EXPECT_TRUE(isDateFormatCode(code)) << code;
    for (const char* code :
         {"General", "0.00", "#,##0", "[Red]0.00", "\"dan\" 0", "0.0\\d", "#,##0.00 \"SIT\"", "0%"})
        EXPECT_FALSE(isDateFormatCode(code)) << code;
    EXPECT_TRUE(isBuiltInDateFormat(14));
    EXPECT_TRUE(isBuiltInDateFormat(22));
    EXPECT_FALSE(isBuiltInDateFormat(0));
    EXPECT_FALSE(isBuiltInDateFormat(4));
}

TEST(CellText, TextFileNumbersAndDates) {
    EXPECT_EQ(decimalCommaText("12,5"), "12.5");
    EXPECT_EQ(decimalCommaText("-0,25"), "-0.25");
    EXPECT_EQ(decimalCommaText("1.234,5"), std::nullopt);
    EXPECT_EQ(decimalCommaText("12,"), std::nullopt);
    EXPECT_EQ(decimalCommaText("A,5"), std::nullopt);
    EXPECT_EQ(shortDateText("1.1.2007"), "01.01.2007");
    EXPECT_EQ(shortDateText("31.12.2024"), "31.12.2024");
    EXPECT_EQ(shortDateText("32.01.2023"), std::nullopt);
    EXPECT_EQ(shortDateText("64.190"), std::nullopt);
    EXPECT_EQ(shortDateText("1.1.07"), std::nullopt);
}

struct WorkbookFiles : ::testing::Test {
    orv::test::TestBank bank; // for its temporary folder
    std::string path(const std::string& name) const { return bank.folder() + "/" + name; }
};

// What every format must give for the same sheet.
Sheet mixedSheet() {
    return {
        {text("DAT_STANJE"), text("POGODBA"), text("ZNESEK_VAL"), text("OPOMBA"), text("VKNT")},
        {Datum{2024, 12, 31}, text("P-1"), 1234.5, text("O'Brien; \"citat\""), text("7")},
        {Datum{2024, 12, 31}, text("P-2"), 100.0, text("Čšž ćđ"), text("A")},
        {},
        {Datum{2025, 1, 2, 14, 30, 0}, text("00031"), -0.25, {}, true},
    };
}

const std::vector<std::vector<std::string>> kMixedTexts = {
    {"DAT_STANJE", "POGODBA", "ZNESEK_VAL", "OPOMBA", "VKNT"},
    {"31.12.2024", "P-1", "1234.5", "O'Brien; \"citat\"", "7"},
    {"31.12.2024", "P-2", "100", "Čšž ćđ", "A"},
    {"", "", "", "", ""},
    {"02.01.2025 14:30:00", "00031", "-0.25", "", "1"},
    {"", "", "", "", ""},
};

TEST_F(WorkbookFiles, XlsxCellsWithSharedAndInlineStrings) {
    for (const bool inlineStrings : {false, true}) {
        const std::string file = path(inlineStrings ? "inline.xlsx" : "shared.xlsx");
        test::writeXlsx(file, mixedSheet(), {inlineStrings, false});
        auto workbook = openWorkbook(file);
        EXPECT_STREQ(workbook->format(), "xlsx");
        EXPECT_EQ(cells(*workbook, 6, 5), kMixedTexts) << file;
    }
}

TEST_F(WorkbookFiles, CsvCellsWithEachSeparatorAndEncoding) {
    struct Case {
        char separator;
        bool decimalComma;
        bool windows1250;
    };
    for (const Case& c : {Case{';', true, false}, Case{',', false, false}, Case{'\t', true, false},
                          Case{';', true, true}}) {
        Sheet sheet = mixedSheet();
        sheet[4][0] = Datum{2025, 1, 2}; // text files carry dates without times here
        auto expected = kMixedTexts;
        expected[4][0] = "02.01.2025";
        const std::string file = path("podatki.csv");
        test::writeCsv(file, sheet, c.separator, c.decimalComma, c.windows1250);
        auto workbook = openWorkbook(file);
        EXPECT_STREQ(workbook->format(), "csv");
        EXPECT_EQ(cells(*workbook, 6, 5), expected)
            << "separator " << int(c.separator) << (c.windows1250 ? " windows-1250" : " utf-8");
    }
}

TEST_F(WorkbookFiles, CsvQuotesBomLineBreaksAndCommaDecimals) {
    const std::string file = path("posebni.csv");
    test::writeBytes(file, "\xEF\xBB\xBF"
                           "A;B;C\r\n"
                           "\"dve\r\nvrstici\";\"a;b\";12,5\n"
                           "1.1.2024;2024-02-29;007\r"
                           "\"\"\"\";x\n");
    auto workbook = openWorkbook(file);
    EXPECT_EQ(cells(*workbook, 4, 3),
              (std::vector<std::vector<std::string>>{{"A", "B", "C"},
                                                     {"dve\r\nvrstici", "a;b", "12.5"},
                                                     {"01.01.2024", "29.02.2024", "007"},
                                                     {"\"", "x", ""}}));
    // With ',' as the separator "12,5" would be two cells; a decimal comma is not guessed.
    const std::string commas = path("vejice.csv");
    test::writeBytes(commas, "A,B,C\n\"12,5\",x,1.5\n");
    auto second = openWorkbook(commas);
    EXPECT_EQ(second->cellText(2, 1), "12,5");
    EXPECT_EQ(second->cellText(2, 3), "1.5");
}

TEST_F(WorkbookFiles, ReadingBackStartsTheSheetAgain) {
    Sheet sheet;
    for (int r = 1; r <= 2000; ++r)
        sheet.push_back({text("R" + std::to_string(r)), static_cast<double>(r)});
    test::writeXlsx(path("dolgo.xlsx"), sheet);
    test::writeCsv(path("dolgo.csv"), sheet);
    for (const char* name : {"dolgo.xlsx", "dolgo.csv"}) {
        auto workbook = openWorkbook(path(name));
        EXPECT_EQ(workbook->cellText(2, 1), "R2") << name;
        EXPECT_EQ(workbook->cellText(1, 1), "R1") << name;
        EXPECT_EQ(workbook->cellText(1999, 2), "1999") << name;
        EXPECT_EQ(workbook->cellText(2000, 1), "R2000") << name;
        EXPECT_EQ(workbook->cellText(2001, 1), "") << name;
        EXPECT_EQ(workbook->cellText(5, 2), "5") << name;
        EXPECT_EQ(workbook->cellText(5, 300), "") << name;
        workbook->close();
        EXPECT_THROW(workbook->cellText(1, 1), WorkbookError);
    }
}

TEST_F(WorkbookFiles, TheSheetShownOnOpeningIsRead) {
    test::writeXlsx(path("drugi.xlsx"), mixedSheet(), {false, true});
    EXPECT_EQ(openWorkbook(path("drugi.xlsx"))->cellText(2, 2), "P-1");
    EXPECT_EQ(openWorkbook(test::fixture("aktivni-list.ods"))->cellText(2, 2), "P-1");
}

TEST_F(WorkbookFiles, CommittedXlsAndOdsFixtures) {
    const std::vector<std::vector<std::string>> common = {
        {"DAT_STANJE", "POGODBA", "ZNESEK_VAL", "DAT_ZAPAD", "OPOMBA", "VKNT", "ECB_16", ""},
        {"31.12.2024", "P-1", "1234.5", "30.06.2025", "O'Brien", "7", "08", ""},
        {"31.12.2024", "P-2", "100", "15.01.2026", "", "A", "01", ""},
        {"31.12.2024", "P-3", "-0.25", "31.12.2024", "tretja", "7", "99", ""},
        {"", "", "", "", "", "", "", ""},
    };
    for (const char* name : {"popravki.xls", "popravki.ods"}) {
        auto workbook = openWorkbook(test::fixture(name));
        auto read = cells(*workbook, 5, 8);
        auto expected = common;
        expected[2][4] = std::string(name).ends_with(".xls") ? "Čšž ćđ" : "Čšž  ćđ";
        EXPECT_EQ(read, expected) << name;
        EXPECT_EQ(workbook->cellText(1048576, 1), "") << name;
    }
}

TEST_F(WorkbookFiles, FormulaCellsAndErrorsNameTheirCell) {
    test::writeXlsx(path("formula.xlsx"),
                    {{text("A"), text("B")}, {text("x"), Formula{"=1+7", 8}}});
    for (const std::string& file :
         {path("formula.xlsx"), test::fixture("formula.ods"), test::fixture("formula.xls")}) {
        auto workbook = openWorkbook(file);
        EXPECT_EQ(workbook->cellText(2, 1).empty(), false) << file;
        const int column = file.ends_with(".xlsx") ? 2 : 7;
        const std::string message = failureOf([&] { workbook->cellText(2, column); });
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find("vrstica 2, stolpec " + std::to_string(column)), std::string::npos)
            << message;
        EXPECT_NE(message.find("formul"), std::string::npos) << message;
    }
}

TEST_F(WorkbookFiles, BadFilesAreNamedInTheirMessage) {
    test::writeXlsx(path("dober.xlsx"), mixedSheet());
    const std::string good = std::filesystem::path(path("dober.xlsx")).string();
    std::string zipped;
    {
        std::ifstream file(good, std::ios::binary);
        zipped.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    test::writeBytes(path("odrezan.xlsx"), zipped.substr(0, zipped.size() / 2));
    std::string damaged = zipped;
    for (size_t i = 200; i < damaged.size() / 2; i += 7)
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    test::writeBytes(path("pokvarjen.xlsx"), damaged);
    test::writeBytes(path("slika.xls"), "\x89PNG\r\n\x1a\nnot a workbook");
    test::writeBytes(path("prazen.xlsx"), "");
    test::writeBytes(path("binarna.csv"), std::string("A;B\n\0\0\0", 7));
    test::writeBytes(path("olecf.xls"),
                     std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'));
    std::filesystem::create_directory(path("mapa.xlsx"));

    const std::pair<std::string, const char*> cases[] = {
        {path("ni.xlsx"), "ni mogoče odpreti"},   {path("mapa.xlsx"), "mapa"},
        {path("slika.xls"), "ni delovni zvezek"}, {path("prazen.xlsx"), "ni delovni zvezek"},
        {path("binarna.csv"), "ni besedilna"},    {path("olecf.xls"), "ni mogoče prebrati"},
        {test::fixture("geslo.ods"), "geslom"},
    };
    for (const auto& [file, expected] : cases) {
        const std::string message = failureOf([&] { openWorkbook(file); });
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find(expected), std::string::npos) << file << ": " << message;
    }
    // Damage may show when the archive opens or only when the sheet is read.
    for (const char* name : {"odrezan.xlsx", "pokvarjen.xlsx"}) {
        const std::string message = failureOf([&] {
            auto workbook = openWorkbook(path(name));
            for (int r = 1; r <= 10; ++r)
                workbook->cellText(r, 1);
        });
        EXPECT_NE(message.find(path(name)), std::string::npos) << message;
    }
}

// Writes a zip archive of the given entries, as a workbook of hand-written parts.
void writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& entries,
              int method = Z_DEFLATED) {
    zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
    ASSERT_NE(zip, nullptr);
    for (const auto& [name, content] : entries) {
        ASSERT_EQ(zipOpenNewFileInZip(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr,
                                      method, Z_DEFAULT_COMPRESSION),
                  ZIP_OK);
        ASSERT_EQ(zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size())),
                  ZIP_OK);
        ASSERT_EQ(zipCloseFileInZip(zip), ZIP_OK);
    }
    ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}

// The parts of a minimal .xlsx workbook: row 1 holds 1 in A1, row 2 holds `cells`.
std::vector<std::pair<std::string, std::string>> handWrittenParts(const std::string& cells) {
    return {{"xl/workbook.xml", "<workbook><sheets><sheet name=\"List1\" sheetId=\"1\" "
                                "r:id=\"rId1\"/></sheets></workbook>"},
            {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" "
                                           "Target=\"worksheets/sheet1.xml\"/></Relationships>"},
            {"xl/worksheets/sheet1.xml",
             "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"2\">" +
                 cells + "</row></sheetData></worksheet>"}};
}

TEST_F(WorkbookFiles, AChangedByteOfAStoredSheetIsDamage) {
    // An entry stored without compression has only its checksum to show that a byte changed.
    const std::string file = path("shranjen.xlsx");
    writeZip(file, handWrittenParts("<c r=\"A2\"><v>1234</v></c>"), 0);
    // The checksum is compared when the sheet has been read to its end, past its last row.
    const auto readToTheEnd = [&] {
        auto workbook = openWorkbook(file);
        const std::string value = workbook->cellText(2, 1);
        workbook->cellText(3, 1);
        return value;
    };
    EXPECT_EQ(readToTheEnd(), "1234");

    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t at = bytes.find("<v>1234</v>");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 3] = '9';
    test::writeBytes(file, bytes);
    const std::string message = failureOf(readToTheEnd);
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_NE(message.find("kontrolna vsota"), std::string::npos) << message;
}

TEST_F(WorkbookFiles, NumbersThatAreNotWholeFiniteNumbersAreDamage) {
    // A value is read whole: a number followed by other characters, or infinity or NaN (which
    // the number reader takes), is no value a spreadsheet writes.
    for (const char* value : {"inf", "nan", "-INF", "12abc"}) {
        writeZip(path("stevilo.xlsx"),
                 handWrittenParts(std::string("<c r=\"A2\"><v>") + value + "</v></c>"));
        writeZip(path("stevilo.ods"),
                 {{"content.xml",
                   "<office:document-content><office:body><office:spreadsheet><table:table>"
                   "<table:table-row><table:table-cell office:value-type=\"float\" "
                   "office:value=\"1\"/></table:table-row><table:table-row>"
                   "<table:table-cell office:value-type=\"float\" office:value=\"" +
                       std::string(value) +
                       "\"/></table:table-row></table:table></office:spreadsheet></office:body>"
                       "</office:document-content>"}});
        for (const char* name : {"stevilo.xlsx", "stevilo.ods"}) {
            auto workbook = openWorkbook(path(name));
            EXPECT_EQ(workbook->cellText(1, 1), "1") << name;
            const std::string message = failureOf([&] { workbook->cellText(2, 1); });
            EXPECT_NE(message.find("vrstica 2, stolpec 1"), std::string::npos)
                << name << " " << value << ": " << message;
            EXPECT_NE(message.find(std::string("neveljavno število ") + value), std::string::npos)
                << name << ": " << message;
        }
    }
}

TEST_F(WorkbookFiles, OdsRepeatCountsStayWithinTheSheet) {
    // Counts near the largest number would overflow the row and column numbers; spaces count
    // towards the cell's length like any other character.
    writeZip(path("ponovi.ods"),
             {{"content.xml",
               "<office:document-content><office:body><office:spreadsheet>"
               "<table:table table:name=\"List1\"><table:table-row>"
               "<table:table-cell office:value-type=\"string\"><text:p>a<text:s "
               "text:c=\"30000\"/>b</text:p></table:table-cell>"
               "<table:table-cell table:number-columns-repeated=\"2147483647\"/>"
               "<table:table-cell table:number-columns-repeated=\"2147483647\"/>"
               "<table:table-cell office:value-type=\"float\" office:value=\"5\"/>"
               "</table:table-row><table:table-row table:number-rows-repeated=\"2147483647\"/>"
               "<table:table-row table:number-rows-repeated=\"2147483647\"/><table:table-row>"
               "<table:table-cell office:value-type=\"float\" office:value=\"7\"/>"
               "</table:table-row></table:table></office:spreadsheet></office:body>"
               "</office:document-content>"}});
    auto workbook = openWorkbook(path("ponovi.ods"));
    EXPECT_EQ(workbook->cellText(1, 1), "a" + std::string(30000, ' ') + "b");
    for (int column = 2; column <= 16384; column += 4095)
        EXPECT_EQ(workbook->cellText(1, column), "") << column;
    EXPECT_EQ(workbook->cellText(2, 1), "");
    EXPECT_EQ(workbook->cellText(1 << 20, 1), "");

    // A space count of two billion would make gigabytes of a few bytes: the cell is longer
    // than a cell may be, and named as soon as that is known.
    writeZip(path("presledki.ods"),
             {{"content.xml", "<office:document-content><office:body><office:spreadsheet>"
                              "<table:table table:name=\"List1\"><table:table-row>"
                              "<table:table-cell office:value-type=\"string\"><text:p>a<text:s "
                              "text:c=\"2000000000\"/>b</text:p></table:table-cell>"
                              "</table:table-row></table:table></office:spreadsheet></office:body>"
                              "</office:document-content>"}});
    try {
        openWorkbook(path("presledki.ods"))->cellText(1, 1);
        ADD_FAILURE() << "a cell of two billion spaces was read";
    } catch (const WorkbookError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find("vrstica 1, stolpec 1 (A): celica je daljša od 32767 znakov"),
                  std::string::npos)
            << text;
    }
}

TEST_F(WorkbookFiles, ACellPastTheWidestSheetIsDamageNotAnAllocation) {
    // Column letters without end would overflow the column number; XFD is the last column.
    const auto workbook = [&](const std::string& name, const std::string& cells) {
        writeZip(path(name), handWrittenParts(cells));
        return path(name);
    };
    const std::string widest = workbook("xfd.xlsx", "<c r=\"XFD2\"><v>7</v></c>");
    auto opened = openWorkbook(widest);
    EXPECT_EQ(opened->cellText(1, 1), "1");
    EXPECT_EQ(opened->cellText(2, 16384), "7");

    for (const char* cells : {"<c r=\"XFE2\"><v>7</v></c>",
                              "<c r=\"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA2\"><v>7</v></c>",
                              "<c r=\"XFD2\"><v>7</v></c><c><v>8</v></c>"}) {
        const std::string file = workbook("siroka.xlsx", cells);
        const std::string message = failureOf([&] {
            auto sheet = openWorkbook(file);
            sheet->cellText(2, 1);
        });
        EXPECT_NE(message.find(file), std::string::npos) << message;
        EXPECT_NE(message.find("v vrstici 2 je zunaj lista"), std::string::npos) << message;
    }
}

} // namespace
} // namespace orv::sheet

namespace orv::sheet {
namespace {

TEST(RowCache, KeepsRowsPackedUpToItsBudget) {
    RowCache cache(600);
    SheetRow row;
    row.number = 2;
    row.set(1, "prva");
    row.set(3, std::string(200, 'x'));
    row.problems.emplace_back(2, "formula");
    ASSERT_TRUE(cache.add(row));
    SheetRow next;
    next.number = 5;
    next.set(2, "");
    next.set(130, "Čšž");
    ASSERT_TRUE(cache.add(next));
    EXPECT_EQ(cache.lastNumber(), 5);
    SheetRow read;
    ASSERT_TRUE(cache.find(2, read));
    EXPECT_EQ(read.cells, (std::vector<std::string>{"prva", "", std::string(200, 'x')}));
    EXPECT_EQ(read.problems, row.problems);
    ASSERT_TRUE(cache.find(5, read));
    EXPECT_EQ(read.cells.size(), 130u);
    EXPECT_EQ(read.cells[129], "Čšž");
    EXPECT_TRUE(read.problems.empty());
    EXPECT_FALSE(cache.find(3, read));
    SheetRow large;
    large.number = 6;
    large.set(1, std::string(400, 'y'));
    EXPECT_FALSE(cache.add(large)); // past the budget
}

} // namespace
} // namespace orv::sheet
