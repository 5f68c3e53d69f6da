// The import of corrected rows: what it replaces, its checks and messages, and that a failed
// import changes nothing.

#include "db/DatabaseError.h"
#include "sheet/UvozFixture.h"

#include <algorithm>

namespace orv::sheet::test {
namespace {

const std::string kKonec = "Uvoz podatkov iz excel datoteke zaključen!\rUvoženih vrstic: ";
// What the stored rows of the fixture give when a file of classes 7 and A replaces them all.
const std::string kIzbrisaneVse = "Izbrisanih vrstic: 2 (razred 7: 1, razred A: 1)\r";

// The corrected rows as every format carries them.
Sheet popravki() {
    return {
        {text("DAT_STANJE"), text("POGODBA"), text("ZNESEK_VAL"), text("DAT_ZAPAD"), text("OPOMBA"),
         text("VKNT"), text("ECB_16")},
        {Datum{2024, 12, 31}, text("P-1"), 1234.5, Datum{2025, 6, 30}, text("O'Brien"), text("7"),
         text("08")},
        {Datum{2024, 12, 31}, text("P-2"), 100.0, Datum{2026, 1, 15}, text("Čšž ćđ"), text("A"),
         text("01")},
        {Datum{2024, 12, 31}, text("P-3"), -0.25, Datum{2024, 12, 31}, text("tretja"), text("7"),
         text("99")},
    };
}

const Texts kPopravki = {"P-1|7|1234.5|30.06.2025|O'Brien|08", "P-2|A|100|15.01.2026|Čšž ćđ|01",
                         "P-3|7|-0.25|31.12.2024|tretja|99", "STARA-D|D||||"};

class UvozFormatov : public UvozFixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(UvozFormatov, ReplacesTheRowsOfTheDateButClassD) {
    std::string file;
    const std::string format = GetParam();
    if (format == "xlsx") {
        file = path("popravki.xlsx");
        writeXlsx(file, popravki());
    } else if (format == "csv") {
        file = path("popravki.csv");
        writeCsv(file, popravki(), ';', true);
    } else {
        file = fixture("popravki." + format);
    }
    EXPECT_EQ(uvozi(file), IzidUvoza::Uvozeno);
    Texts expected = kPopravki;
    if (format == "ods") expected[1] = "P-2|A|100|15.01.2026|Čšž  ćđ|01";
    EXPECT_EQ(stolpci("POGODBA, VKNT, ZNESEK_VAL, DAT_ZAPAD, OPOMBA, ECB_16"), expected);
    EXPECT_EQ(vrstice("30.11.2024"), Texts{"NOVEMBER-7 7"});
    EXPECT_EQ(
        window.messages,
        Texts{kIzbrisaneVse + "Vstavljenih vrstic: 3 (razred 7: 2, razred A: 1)\r" + kKonec + "3"});
    Texts counter;
    for (const std::string& call : window.calls)
        if (call.rfind("lblStevec", 0) == 0) counter.push_back(call);
    EXPECT_EQ(counter, (Texts{"lblStevec: 1", "lblStevec: 2", "lblStevec: 3"}));
}

INSTANTIATE_TEST_SUITE_P(Formati, UvozFormatov, ::testing::Values("xlsx", "csv", "xls", "ods"));

TEST_F(UvozFixture, HeaderNamesAreTrimmedInUpperCaseAndOnlyKnownOnesWithin200Columns) {
    Sheet sheet = preprosta(2);
    for (Row& row : sheet)
        row.resize(202);
    sheet[0][4] = text("  ecb_16 ");
    sheet[0][5] = text("ECB_121N");
    sheet[0][6] = text("ECB_121"); // no column of POD_ORVEL
    sheet[0][7] = text("NEZNAN");
    sheet[0][199] = text("ID_KOM");     // column 200: imported
    sheet[0][200] = text("ZNESEK_SIT"); // column 201: past the limit
    for (size_t r = 1; r < sheet.size(); ++r) {
        sheet[r][4] = text("16");
        sheet[r][5] = text("x");
        sheet[r][6] = text("121");
        sheet[r][7] = text("y");
        sheet[r][199] = text("K" + std::to_string(r));
        sheet[r][200] = 55.0;
    }
    writeXlsx(path("glava.xlsx"), sheet);
    // Names that name no column are named, and skipped only when the operator agrees.
    EXPECT_EQ(uvozi(path("glava.xlsx")), IzidUvoza::Prekinjeno);
    ASSERT_EQ(window.questions.size(), 1u);
    EXPECT_NE(window.questions[0].find("niso stolpci tabele POD_ORVEL: ECB_121, NEZNAN."),
              std::string::npos)
        << window.questions[0];
    EXPECT_EQ(vse(), zacetneVrstice());
    window.questionAnswers.push_back(true);
    EXPECT_EQ(uvozi(path("glava.xlsx")), IzidUvoza::Uvozeno);
    EXPECT_EQ(stolpci("POGODBA, ECB_16, ECB_121N, ID_KOM, ZNESEK_SIT"),
              (Texts{"P-100001|16|x|K1|", "P-100002|16|x|K2|", "STARA-D||||"}));
    // Headless, --prezri-stolpce skips them without a question.
    MoznostiUvoza prezri = brezVprasanj();
    prezri.prezriNeznaneStolpce = true;
    EXPECT_EQ(uvozi(path("glava.xlsx"), "", kDan, prezri), IzidUvoza::Uvozeno);
    EXPECT_EQ(window.questions.size(), 2u);
}

// With a class chosen only its rows are deleted, so every row of the file must be of that
// class; class D is never replaced, so it cannot be chosen; a text that is no class is refused.
TEST_F(UvozFixture, AClassReplacesOnlyItsRowsWithRowsOfThatClass) {
    writeXlsx(path("razred.xlsx"), preprosta(2)); // one row of class 7, one of class A
    struct Primer {
        const char* vknt;
        const char* sporocilo;
    };
    for (const Primer& p :
         {Primer{"7", "1 vrstic datoteke ni razreda 7 (vrstice 3)"},
          Primer{"D", "Uvoz vrstic razreda D ne zamenja"}, Primer{"Z", "Razred kontov 'Z' ni znan"},
          Primer{"%", "Razred kontov '%' ni znan"}}) {
        window.messages.clear();
        EXPECT_EQ(uvozi(path("razred.xlsx"), p.vknt), IzidUvoza::Prekinjeno) << p.vknt;
        ASSERT_EQ(window.messages.size(), 1u) << p.vknt;
        EXPECT_NE(window.messages[0].find(p.sporocilo), std::string::npos) << window.messages[0];
        EXPECT_EQ(vse(), zacetneVrstice()) << p.vknt;
    }
    Sheet sedem = preprosta(3);
    sedem.erase(sedem.begin() + 2); // the class A row
    writeXlsx(path("sedem.xlsx"), sedem);
    window.messages.clear();
    EXPECT_EQ(uvozi(path("sedem.xlsx"), " 7 "), IzidUvoza::Uvozeno);
    EXPECT_EQ(vrstice(), (Texts{"P-100001 7", "P-100003 7", "STARA-A A", "STARA-D D"}));
    EXPECT_EQ(window.messages,
              Texts{"Izbrisanih vrstic: 1 (razred 7: 1)\rVstavljenih vrstic: 2 (razred 7: 2)\r" +
                    kKonec + "2"});
}

// Without a class, the file's class D rows must be rows the date holds: they are left as they
// are, so a file exported whole imports back whole; a new or changed one is refused.
TEST_F(UvozFixture, ClassDRowsOfTheFileMustEqualTheStoredOnes) {
    Sheet sheet = preprosta(2);
    sheet.push_back({text(kDan), text("STARA-D"), Cell{}, text("D")});
    writeXlsx(path("z-d.xlsx"), sheet);
    EXPECT_EQ(uvozi(path("z-d.xlsx")), IzidUvoza::Uvozeno);
    EXPECT_EQ(vrstice(), (Texts{"P-100001 7", "P-100002 A", "STARA-D D"}));
    EXPECT_NE(
        window.messages.back().find("Vrstic razreda D, ki so enake shranjenim in ostanejo: 1"),
        std::string::npos);

    const Sheet spremenjene[] = {
        [&] {
            Sheet s = sheet;
            s[3][2] = 5.0;
            return s;
        }(), // an amount changed
        [&] {
            Sheet s = sheet;
            s[3][1] = text("NOVA-D");
            return s;
        }(), // a new row
        [&] {
            Sheet s = sheet;
            s.push_back(s[3]);
            return s;
        }(), // the stored row twice
    };
    const Texts pred = vse();
    for (const Sheet& s : spremenjene) {
        writeXlsx(path("d.xlsx"), s);
        window.messages.clear();
        EXPECT_EQ(uvozi(path("d.xlsx")), IzidUvoza::Prekinjeno);
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_NE(window.messages[0].find("vrstic razreda D je novih ali spremenjenih"),
                  std::string::npos)
            << window.messages[0];
        EXPECT_EQ(vse(), pred);
    }
}

// A dry run does everything, tells the counts, and leaves the table as it was.
TEST_F(UvozFixture, ADryRunTellsTheCountsAndChangesNothing) {
    writeXlsx(path("preizkus.xlsx"), preprosta(3));
    MoznostiUvoza preizkus = brezVprasanj();
    preizkus.preizkus = true;
    EXPECT_EQ(uvozi(path("preizkus.xlsx"), "", kDan, preizkus), IzidUvoza::Uvozeno);
    EXPECT_EQ(window.messages, Texts{"Uvoz bi izbrisal vrstic: 2 (razred 7: 1, razred A: 1)\r"
                                     "Uvoz bi vstavil vrstic: 3 (razred 7: 2, razred A: 1)\r"
                                     "Preizkus uvoza je uspel; v tabeli ni nič spremenjeno."});
    EXPECT_EQ(vse(), zacetneVrstice());
}

TEST_F(UvozFixture, FilesThatAreNotThereOrNotChosen) {
    EXPECT_EQ(uvozi("   "), IzidUvoza::Prekinjeno);
    EXPECT_EQ(uvozi(path("ni.xlsx")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(window.messages,
              (Texts{"Excel datoteka ni izbrana!", path("ni.xlsx") + " ne obstaja!"}));
    EXPECT_EQ(vse(), zacetneVrstice());
}

TEST_F(UvozFixture, AnEmptyRow2ImportsNothingAndDeletesNothing) {
    writeXlsx(path("glava.xlsx"), preprosta(0));
    Sheet empty;
    writeXlsx(path("prazen.xlsx"), empty);
    Sheet gap = preprosta(3);
    gap[1][0] = std::monostate{};
    gap[1][1] = std::monostate{};
    writeCsv(path("vrzel.csv"), gap);
    window.messages.clear();
    EXPECT_EQ(uvozi(path("glava.xlsx")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(window.messages, Texts{"\rVrstica 2ni napolnjena!!"});
    // A row with values is a data row even when its first column is empty; this one has no date.
    window.messages.clear();
    EXPECT_EQ(uvozi(path("vrzel.csv")), IzidUvoza::Prekinjeno);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].rfind("Izbrani datum 31.12.2024 ni enak datumu \r", 0), 0u)
        << window.messages[0];
    window.messages.clear();
    EXPECT_EQ(uvozi(path("prazen.xlsx")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(window.messages, Texts{"\rVrstica 2ni napolnjena!!\rPrvi list excel datoteke " +
                                     path("prazen.xlsx") + " je prazen."});
    EXPECT_EQ(vse(), zacetneVrstice());
}

TEST_F(UvozFixture, EveryDataRowsDateIsCheckedBeforeAnythingIsDeleted) {
    struct Case {
        int row; // the sheet row with another date
        std::string date;
    };
    for (const Case& c :
         {Case{2, "30.12.2024"}, Case{501, "01.01.2025"}, Case{60001, "1.1.2025"}, Case{700, ""}}) {
        // DAT_STANJE in column 2, so that a row without a date is still a data row.
        Sheet sheet = preprosta(std::max(c.row, 3));
        for (Row& row : sheet)
            std::swap(row[0], row[1]);
        sheet[static_cast<size_t>(c.row) - 1][1] = c.date.empty() ? Cell{} : Cell{text(c.date)};
        writeCsv(path("datumi.csv"), sheet);
        window.messages.clear();
        EXPECT_EQ(uvozi(path("datumi.csv")), IzidUvoza::Prekinjeno);
        const std::string shown = c.date == "1.1.2025" ? "01.01.2025" : c.date;
        EXPECT_EQ(window.messages,
                  Texts{"Izbrani datum 31.12.2024 ni enak datumu " + shown + "\rv excel datoteki " +
                        path("datumi.csv") + "\r v koloni DAT_STANJA 2  v vrstici " +
                        std::to_string(c.row)});
        EXPECT_EQ(vse(), zacetneVrstice());
    }
}

TEST_F(UvozFixture, AMegabyteInTheDateColumnIsShownByItsBeginning) {
    Sheet sheet = preprosta(3);
    sheet[2][0] = text(std::string(1 << 20, '9'));
    writeCsv(path("dolg.csv"), sheet);
    EXPECT_EQ(uvozi(path("dolg.csv")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(window.messages, Texts{"Izbrani datum 31.12.2024 ni enak datumu " +
                                     std::string(40, '9') + "...\rv excel datoteki " +
                                     path("dolg.csv") + "\r v koloni DAT_STANJA 1  v vrstici 3"});
    EXPECT_EQ(vse(), zacetneVrstice());
}

TEST_F(UvozFixture, WithoutADateHeaderColumn1IsChecked) {
    Sheet sheet = preprosta(2);
    for (Row& row : sheet)
        std::rotate(row.begin(), row.begin() + 1, row.end()); // POGODBA first, DAT_STANJE last
    sheet[0][3] = text("DATUM");
    writeXlsx(path("brez.xlsx"), sheet);
    EXPECT_EQ(uvozi(path("brez.xlsx")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(window.messages,
              Texts{"Izbrani datum 31.12.2024 ni enak datumu P-100001\rv excel datoteki " +
                    path("brez.xlsx") + "\r v koloni DAT_STANJA 1  v vrstici 2"});
    EXPECT_EQ(vse(), zacetneVrstice());
}

TEST_F(UvozFixture, ARowTheTableRefusesLeavesTheTableAsItWas) {
    struct Case {
        const char* column;
        Cell value;
        const char* named; // as the message names it
        const char* error; // in the failure that goes on to the caller
    };
    const Case cases[] = {
        {"ZNESEK_SIT", text("12,5 EUR"), "stolpec 5 (ZNESEK_SIT), vrednost '12,5 EUR'",
         "ORA-01722"},
        {"DAT_ZAPAD", text("31.02.2024"), "stolpec 5 (DAT_ZAPAD), vrednost '31.02.2024'", ""},
        {"OPOMBA", text(std::string(1 << 20, 'x')),
         "stolpec 5 (OPOMBA), vrednost 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...'", "ORA-12899"},
    };
    for (const Case& c : cases) {
        Sheet sheet = preprosta(5);
        sheet[0].push_back(text(c.column));
        for (size_t r = 1; r < sheet.size(); ++r)
            sheet[r].push_back(r == 2 ? c.value : Cell{});
        // A text file: a spreadsheet cell holds at most 32767 characters.
        writeCsv(path("napaka.csv"), sheet);
        window.messages.clear();
        std::string error;
        try {
            uvozi(path("napaka.csv"));
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        EXPECT_NE(error.find(c.error), std::string::npos) << c.column << ": " << error;
        EXPECT_EQ(window.messages, Texts{"Napaka v vrstici 3\r" + std::string(c.named) +
                                         "\rv excel datoteki " + path("napaka.csv")})
            << c.column;
        EXPECT_EQ(vse(), zacetneVrstice()) << c.column;
    }
}

TEST_F(UvozFixture, QuotesInCellsAndInTheClassAreTextsNotStatements) {
    Sheet sheet = preprosta(2);
    sheet[1][1] = text("x'); DELETE FROM POD_ORVEL; --");
    sheet[2][1] = text("O'Neil '' \"dvojni\"");
    writeXlsx(path("vrivanje.xlsx"), sheet);
    EXPECT_EQ(uvozi(path("vrivanje.xlsx")), IzidUvoza::Uvozeno);
    EXPECT_EQ(vrstice(),
              (Texts{"O'Neil '' \"dvojni\" A", "STARA-D D", "x'); DELETE FROM POD_ORVEL; -- 7"}));
    EXPECT_EQ(vrstice("30.11.2024"), Texts{"NOVEMBER-7 7"});
    // A class text that tries to widen the deletion is no class: nothing changes.
    writeXlsx(path("prazno.xlsx"), preprosta(1));
    EXPECT_EQ(uvozi(path("prazno.xlsx"), "7' OR '1'='1"), IzidUvoza::Prekinjeno);
    EXPECT_EQ(vrstice().size(), 3u);
}

TEST_F(UvozFixture, BadSheetsStopBeforeAnythingChanges) {
    Sheet twice = preprosta(2);
    for (Row& row : twice)
        row.resize(200);
    twice[0][150] = text("pogodba");
    writeXlsx(path("dvakrat.xlsx"), twice);
    Sheet unknown = preprosta(2);
    for (size_t c = 0; c < unknown[0].size(); ++c)
        unknown[0][c] = text("STOLPEC" + std::to_string(c));
    writeCsv(path("neznani.csv"), unknown);
    writeXlsx(path("formula.xlsx"),
              {{text("DAT_STANJE"), text("ZNESEK_VAL")}, {text(kDan), Formula{"=2*4", 8}}});

    EXPECT_EQ(uvozi(path("dvakrat.xlsx")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(uvozi(path("neznani.csv")), IzidUvoza::Prekinjeno);
    EXPECT_EQ(window.messages, (Texts{"Stolpec POGODBA je v excel datoteki " +
                                          path("dvakrat.xlsx") + " dvakrat: v stolpcih 2 in 151!",
                                      "V prvi vrstici excel datoteke " + path("neznani.csv") +
                                          " ni imena nobenega stolpca tabele POD_ORVEL!"}));
    window.messages.clear();
    try {
        uvozi(path("formula.xlsx"));
        ADD_FAILURE() << "a formula cell was imported";
    } catch (const WorkbookError& error) {
        EXPECT_NE(std::string(error.what()).find("vrstica 2, stolpec 2"), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(window.messages, Texts{"Napaka v vrstici 2\rstolpec 2 (ZNESEK_VAL), vrednost ''\r"
                                     "v excel datoteki " +
                                     path("formula.xlsx")});
    // A file that is no workbook fails on opening; the failure names it.
    writeBytes(path("pokvarjen.xlsx"), "PK\x03\x04 to ni arhiv");
    try {
        uvozi(path("pokvarjen.xlsx"));
        ADD_FAILURE() << "a damaged file was opened";
    } catch (const WorkbookError& error) {
        EXPECT_NE(std::string(error.what()).find(path("pokvarjen.xlsx")), std::string::npos);
    }
    EXPECT_EQ(vse(), zacetneVrstice());
}

TEST_F(UvozFixture, SixtyThousandRowsAllGoIn) {
    writeXlsx(path("velik.xlsx"), preprosta(60000), {true, false});
    EXPECT_EQ(uvozi(path("velik.xlsx")), IzidUvoza::Uvozeno);
    EXPECT_EQ(window.messages, Texts{kIzbrisaneVse +
                                     "Vstavljenih vrstic: 60000 (razred 7: 30000, razred A: "
                                     "30000)\r" +
                                     kKonec + "60000"});
    const Texts rows = vrstice();
    ASSERT_EQ(rows.size(), 60001u);
    EXPECT_EQ(rows[49999], "P-150000 A");
    EXPECT_EQ(rows[59999], "P-160000 A");
    EXPECT_EQ(stolpci("SUM(ZNESEK_VAL) S").front(), "450007500"); // 1/4 + 2/4 + ... + 60000/4
}

TEST(VprasanjeZaUvoz, NamesTheDateAndTheClass) {
    EXPECT_EQ(vprasanjeZaUvoz("31.12.2024", ""),
              "Prosim potrdi brisanje in uvoz podatkov za  dan 31.12.2024");
    EXPECT_EQ(vprasanjeZaUvoz("31.12.2024", " "),
              "Prosim potrdi brisanje in uvoz podatkov za  dan 31.12.2024");
    EXPECT_EQ(vprasanjeZaUvoz("31.12.2024", "7"),
              "Prosim potrdi brisanje in uvoz podatkov za  dan 31.12.2024\r in konto glavnic 7");
}

} // namespace
} // namespace orv::sheet::test
