// orvelnost-izvoz --oblika pdf: the printed listing of the output rows of a date, read back with
// poppler's pdfinfo, pdftotext and pdftoppm: rows on pages down, columns on pages across, and a
// file that is complete or absent.

#include "export/ExportFixture.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace orv::test {
namespace {

struct PdfListingCommand : ::testing::Test {
    TestBank bank;

    // `count` rows of 31.12.2024 and one of another date.
    void addRows(int count) {
        bank.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                  std::to_string(count) +
                  ") INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, ZNESEK_VAL, VKNT, OPOMBA) "
                  "SELECT '31.12.2024', 'P-' || i, i * 1.5, 'A', 'vrstica ' || i FROM n");
        bank.exec("INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, VKNT) VALUES "
                  "('30.11.2024', 'DRUGI-DAN', 'A')");
    }
    static std::string program() {
        const std::filesystem::path sql(ORVELNOST_SQL_PROGRAM);
        return (sql.parent_path() / "orvelnost-izvoz").string();
    }
    CommandResult run(const std::string& arguments) const {
        return runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + program() +
                          " ORVDEMO OPERATER demo " + arguments);
    }
    std::string file(const std::string& name) const { return bank.folder() + "/" + name; }
    // The text of the pages from `first` to `last` as pdftotext lays it out.
    std::string text(const std::string& pdf, int first, int last) const {
        const auto result = runCommand("pdftotext -layout -f " + std::to_string(first) + " -l " +
                                       std::to_string(last) + " " + pdf + " -");
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.out;
    }
    int pages(const std::string& pdf) const {
        const auto result = runCommand("pdfinfo " + pdf);
        const size_t at = result.out.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(result.out.substr(at + 6));
    }
};

std::string withoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

// The share of dark pixels in a band of rows of a grey page image (PGM, as pdftoppm writes it).
double inkIn(const std::string& pgm, double fromRow, double toRow) {
    std::ifstream in(pgm, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    const int from = static_cast<int>(fromRow * height), to = static_cast<int>(toRow * height);
    long dark = 0;
    for (int y = from; y < to; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[static_cast<size_t>(y * width + x)] < 128) ++dark;
    return double(dark) / (double(width) * (to - from));
}

TEST_F(PdfListingCommand, TheRowsOfTheDateAsARuledListingOnA4Pages) {
    addRows(150);
    const std::string pdf = file("seznam.pdf");
    const auto result =
        run("--dan 31.12.2024 --stolpci POGODBA,ZNESEK_VAL,OPOMBA --oblika pdf " + pdf);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("150 vrstic zapisanih"), std::string::npos) << result.out;
    EXPECT_EQ(readBytes(pdf).substr(0, 5), "%PDF-");
    const int count = pages(pdf);
    ASSERT_GE(count, 2);

    // The remark is a hundred characters wide: it goes on a page of its own to the right of the
    // contract and the amount, and the pages across alternate down the listing.
    EXPECT_NE(result.err.find("Strani v \u0161irino: 2"), std::string::npos) << result.err;
    EXPECT_EQ(count % 2, 0);
    const std::string first = text(pdf, 1, 1);
    EXPECT_NE(first.find("POD_ORVEL 31.12.2024"), std::string::npos) << first;
    EXPECT_NE(first.find(", Stran 1"), std::string::npos) << first;
    EXPECT_NE(first.find("POGODBA"), std::string::npos) << "the column labels";
    EXPECT_NE(first.find("P-1 "), std::string::npos);
    EXPECT_NE(first.find("1.5"), std::string::npos);
    // pdftotext closes up the blanks of "> > >".
    EXPECT_NE(withoutBlanks(first).find(">>>"), std::string::npos) << "the page ends with the mark";
    const std::string second = text(pdf, 2, 2);
    EXPECT_NE(second.find("OPOMBA"), std::string::npos) << second;
    EXPECT_NE(second.find("vrstica 1\n"), std::string::npos) << second;
    EXPECT_EQ(second.find("P-1 "), std::string::npos) << second;
    const std::string last = text(pdf, count, count);
    EXPECT_NE(last.find(", Stran " + std::to_string(count)), std::string::npos) << last;
    EXPECT_NE(last.find("OPOMBA"), std::string::npos) << "each page repeats its labels";
    EXPECT_NE(last.find("vrstica "), std::string::npos);
    EXPECT_EQ(withoutBlanks(last).find(">>>"), std::string::npos);
    const std::string all = text(pdf, 1, count);
    for (int row = 1; row <= 150; ++row)
        EXPECT_NE(all.find("vrstica " + std::to_string(row) + "\n"), std::string::npos) << row;
    EXPECT_EQ(all.find("DRUGI-DAN"), std::string::npos) << "only the rows of the date";

    // The page as an image: ink in the header and among the rows, a blank bottom margin.
    ASSERT_EQ(runCommand("pdftoppm -gray -r 50 -f 1 -l 1 " + pdf + " " + file("stran")).exitCode,
              0);
    const std::string image = file("stran-1.pgm");
    ASSERT_TRUE(std::filesystem::exists(image));
    EXPECT_GT(inkIn(image, 0.0, 0.05), 0.001) << "page header and title";
    EXPECT_GT(inkIn(image, 0.2, 0.8), 0.01) << "ruled rows";
    EXPECT_EQ(inkIn(image, 0.96, 1.0), 0.0) << "the bottom margin stays empty";
}

// Whether `word` stands in `text` as a word of its own, not as a part of a longer name.
bool hasWord(const std::string& text, const std::string& word) {
    const auto isNamePart = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool startsWord = at == 0 || !isNamePart(text[at - 1]);
        const size_t end = at + word.size();
        if (startsWord && (end == text.size() || !isNamePart(text[end]))) return true;
    }
    return false;
}

// Every column of POD_ORVEL, many more than a page holds: they continue on pages across, each
// title whole, with the amounts; standard error says how many pages across were needed.
TEST_F(PdfListingCommand, EveryColumnIsPrintedOnPagesAcrossWithItsWholeTitle) {
    addRows(100);
    const std::string pdf = file("vsi.pdf");
    const auto result = run("--dan 31.12.2024 --oblika pdf " + pdf);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string told = "Strani v \u0161irino: ";
    const size_t at = result.err.find(told);
    ASSERT_NE(at, std::string::npos) << result.err;
    const int across = std::stoi(result.err.substr(at + told.size()));
    EXPECT_GT(across, 2);
    const int count = pages(pdf);
    EXPECT_NE(result.err.find("(vseh strani: " + std::to_string(count) + ")"), std::string::npos)
        << result.err;
    ASSERT_GE(count, 2 * across) << "100 rows take two pages down";
    EXPECT_EQ(count % across, 0) << "every block of rows on each page across";

    const std::string all = text(pdf, 1, count);
    const std::string names =
        bank.scalar("SELECT group_concat(name, ' ') FROM pragma_table_info('POD_ORVEL')");
    std::istringstream columns(names);
    int seen = 0;
    for (std::string name; columns >> name; ++seen)
        EXPECT_TRUE(hasWord(all, name)) << name << " is not printed whole";
    EXPECT_GT(seen, 50);
    // The amounts: ZNESEK_VAL is 1.5 times the row's number.
    for (const std::string amount : {"1.5", "75", "148.5", "150"})
        EXPECT_TRUE(hasWord(all, amount)) << amount;
    // The first page holds the first columns, the last page across of the first rows the last
    // column; the next rows begin on the first columns again.
    std::istringstream order(names);
    std::string first, last;
    order >> first;
    for (std::string name; order >> name;)
        last = name;
    EXPECT_TRUE(hasWord(text(pdf, 1, 1), first));
    EXPECT_FALSE(hasWord(text(pdf, 1, 1), last));
    EXPECT_TRUE(hasWord(text(pdf, across, across), last));
    EXPECT_TRUE(hasWord(text(pdf, across + 1, across + 1), first));
    EXPECT_NE(text(pdf, across + 1, across + 1).find(", Stran " + std::to_string(across + 1)),
              std::string::npos);
}

TEST_F(PdfListingCommand, AnEmptyDateGivesTheHeaderAndTheLabels) {
    addRows(0);
    const std::string pdf = file("prazno.pdf");
    const auto result = run("--dan 31.12.2024 --stolpci POGODBA,OPOMBA --oblika pdf " + pdf);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // One page for each page across, each with its labels.
    EXPECT_EQ(pages(pdf), 2);
    const std::string page = text(pdf, 1, 2);
    EXPECT_NE(page.find("POD_ORVEL 31.12.2024"), std::string::npos) << page;
    EXPECT_NE(page.find("POGODBA"), std::string::npos) << page;
    EXPECT_NE(page.find("OPOMBA"), std::string::npos) << page;
}

TEST_F(PdfListingCommand, AFailureLeavesNoFile) {
    addRows(3);
    const auto unknown =
        run("--dan 31.12.2024 --stolpci POGODBA,NI_TAKEGA --oblika pdf " + file("x.pdf"));
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("NI_TAKEGA"), std::string::npos) << unknown.err;
    EXPECT_FALSE(std::filesystem::exists(file("x.pdf")));
    const auto missing = run("--dan 31.12.2024 --oblika pdf " + file("ni/x.pdf"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("ne obstaja"), std::string::npos) << missing.err;
}

// A folder that cannot be written: exit 1 with a message naming the folder; nothing is left.
TEST_F(PdfListingCommand, AReadOnlyFolderIsNamed) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    addRows(3);
    const std::string folder = file("zaklenjena");
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    const auto result = run("--dan 31.12.2024 --oblika pdf " + folder + "/x.pdf");
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(folder), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("QPainter"), std::string::npos) << result.err;
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

} // namespace
} // namespace orv::test
