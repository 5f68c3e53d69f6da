// The printed listing's layout on a canvas that records what is drawn: page header, title,
// column header line, ruled data lines, page breaks, the page range, "#" fields, and columns that
// continue on pages across with whole titles, padded values and the group totals of the print
// form's listings in their columns.

#include "print/PrintedListing.h"
#include "print/DataSetPrint.h"
#include "print/PrintFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv::test {
namespace {

using print::Align;
using print::ListingColumn;
using print::ListingFont;
using print::PageRange;
using print::PrintedListing;

struct DrawnText {
    int sheet, x, y, width, height;
    std::string text;
    Align align;
    bool bold, italic;
    int size;
};

struct DrawnLine {
    int sheet, x1, y1, x2, y2;
};

// A page of 1000 x 1400 units unless set; every character is 10 wide at 8 points (in proportion
// at other sizes) and a line 20 high.
class RecordingCanvas : public print::ListingCanvas {
public:
    int paperWidth = 1000;
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    int sheet = 0;
    bool started = false, ended = false, aborted = false;
    std::string jobTitle;

    void startJob(const std::string& title) override {
        started = true;
        jobTitle = title;
    }
    void endJob() override { ended = true; }
    void abortJob() override { aborted = true; }
    int pageWidth() const override { return paperWidth; }
    int pageHeight() const override { return 1400; }
    void setFont(const ListingFont& font) override { font_ = font; }
    int textWidth(const std::string& text) override {
        return 10 * print::characterCount(text) * font_.size / 8;
    }
    int textHeight(const std::string&) override { return 20; }
    // Words wrap at blanks; a word wider than the box takes a line of its own (and is cut).
    int wrappedHeight(const std::string& text, int width) override {
        int rows = 1, used = 0;
        size_t start = 0;
        while (start < text.size()) {
            const size_t blank = std::min(text.find(' ', start), text.size());
            const int word = textWidth(text.substr(start, blank - start));
            if (used > 0 && used + textWidth(" ") + word > width) {
                ++rows;
                used = word;
            } else {
                used += (used > 0 ? textWidth(" ") : 0) + word;
            }
            start = blank + 1;
        }
        return 20 * rows;
    }
    void drawText(int x, int y, int width, int height, const std::string& text, Align align,
                  bool) override {
        texts.push_back(
            {sheet, x, y, width, height, text, align, font_.bold, font_.italic, font_.size});
    }
    void drawLine(int x1, int y1, int x2, int y2) override {
        lines.push_back({sheet, x1, y1, x2, y2});
    }
    void newPage() override { ++sheet; }

    std::vector<std::string> textsOn(int onSheet) const {
        std::vector<std::string> result;
        for (const DrawnText& text : texts)
            if (text.sheet == onSheet) result.push_back(text.text);
        return result;
    }
    const DrawnText* find(const std::string& text) const {
        for (const DrawnText& drawn : texts)
            if (drawn.text == text) return &drawn;
        return nullptr;
    }

private:
    ListingFont font_;
};

class VectorRows : public print::ListingRows {
public:
    std::vector<ListingColumn> columns;
    std::vector<std::vector<std::string>> rows;

    int count() override { return static_cast<int>(rows.size()); }
    void forEach(const Opened& opened, const Visit& visit) override {
        opened(columns);
        for (const auto& row : rows)
            if (!visit(row)) return;
    }
};

VectorRows numberedRows(int count) {
    VectorRows rows;
    rows.columns = {{"#", "Št.", 5, Align::Right}, {"NAZIV", "Naziv", 20, Align::Left}};
    for (int i = 1; i <= count; ++i)
        rows.rows.push_back({"x", "vrstica " + std::to_string(i)});
    return rows;
}

struct PrintedListingTest : ::testing::Test {
    RecordingCanvas canvas;
    PrintedListing listing{canvas};

    PrintedListingTest() {
        listing.clock = [] { return std::string("31.12.2024 10:00:00"); };
    }
    bool print(print::ListingRows& rows, PageRange range = {}) {
        listing.Begin("orvelnost : ", "Seznam vrstic", ListingFont{"Arial CE", 8, true, false},
                      range);
        const bool done = listing.Print(rows);
        if (done) listing.End();
        return done;
    }
};

TEST_F(PrintedListingTest, APageHasItsHeaderTitleLabelsAndRuledRows) {
    VectorRows rows = numberedRows(3);
    ASSERT_TRUE(print(rows));
    EXPECT_TRUE(canvas.started && canvas.ended && !canvas.aborted);
    EXPECT_EQ(canvas.jobTitle, "orvelnost : ");
    EXPECT_EQ(
        canvas.textsOn(0),
        (std::vector<std::string>{" 31.12.2024 10:00:00, Stran 1", "Seznam vrstic", "Št.", "Naziv",
                                  "1", "vrstica 1", "2", "vrstica 2", "3", "vrstica 3"}));
    // c is the bold width of 24 letters over 24: 10. The stamp ends at the right margin in a
    // box c times its length wide, in italics.
    const DrawnText* stamp = canvas.find(" 31.12.2024 10:00:00, Stran 1");
    EXPECT_EQ(stamp->x + stamp->width, 1000 - 20);
    EXPECT_EQ(stamp->width, 10 * 29);
    EXPECT_EQ(stamp->align, Align::Right);
    EXPECT_TRUE(stamp->italic);
    EXPECT_EQ(stamp->y, 50);
    const DrawnText* title = canvas.find("Seznam vrstic");
    EXPECT_TRUE(title->bold);
    EXPECT_EQ(title->x, 20);
    EXPECT_EQ(title->y, 50 + 20 + 5);
    // Header line at y 100 (title 20 high + gap): labels in italics at x + 1, half a gap down.
    const DrawnText* label = canvas.find("Naziv");
    EXPECT_TRUE(label->italic);
    // Each cell holds its text with a padding of 10 either side: the first cell spans
    // 50 + 2 * 10 + 3 units.
    EXPECT_EQ(label->x, 20 + 73 + 1 + 10);
    EXPECT_EQ(label->y, 100 + 2);
    // Data lines: bold, numbers right-aligned, each 20 + 5 + 1 high and one unit apart.
    const DrawnText* first = canvas.find("vrstica 1");
    const DrawnText* second = canvas.find("vrstica 2");
    EXPECT_TRUE(first->bold);
    EXPECT_EQ(second->y - first->y, 27);
    EXPECT_EQ(canvas.find("1")->align, Align::Right);
    // Ruling: each data line has a line right of each column, one at the left margin and one
    // below it; the header line also one above.
    const int header = 100, headerBottom = 100 + 20 + 5 + 1;
    const auto has = [&](int x1, int y1, int x2, int y2) {
        return std::any_of(canvas.lines.begin(), canvas.lines.end(), [&](const DrawnLine& l) {
            return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2;
        });
    };
    // The rules across end at the last column's rule.
    const int right = 20 + 73 + 222;
    EXPECT_TRUE(has(20, header, right, header));
    EXPECT_TRUE(has(20, headerBottom, right, headerBottom));
    EXPECT_TRUE(has(20 + 72, header, 20 + 72, headerBottom));
    const int row1 = headerBottom + 1;
    EXPECT_TRUE(has(20, row1, 20, row1 + 26));
    EXPECT_TRUE(has(20, row1 + 26, right, row1 + 26));
    EXPECT_TRUE(has(right, row1, right, row1 + 26));
}

TEST_F(PrintedListingTest, AFullPageBreaksWithTheContinuationMark) {
    VectorRows rows = numberedRows(100);
    ASSERT_TRUE(print(rows));
    // Rows start at 127 and take 27 each above 1400 - 200: 39 rows on a page.
    EXPECT_EQ(listing.page(), 1); // reset by End
    EXPECT_EQ(canvas.sheet, 2);
    const auto page1 = canvas.textsOn(0);
    EXPECT_EQ(page1.back(), "> > >");
    EXPECT_EQ(page1[page1.size() - 2], "vrstica 39");
    const auto page2 = canvas.textsOn(1);
    EXPECT_EQ(page2[0], " 31.12.2024 10:00:00, Stran 2");
    EXPECT_EQ(page2[2], "Št.") << "the header line again";
    EXPECT_EQ(page2[4], "40") << "the running number goes on";
    const DrawnText* mark = canvas.find("> > >");
    EXPECT_EQ(mark->x + mark->width, 980);
    EXPECT_EQ(mark->align, Align::Right);
}

// All pages are every page: the thousandth page and the ones after it come out too.
TEST_F(PrintedListingTest, AllPagesAreMoreThanNineHundredNinetyNine) {
    VectorRows rows = numberedRows(39 * 1000 + 1);
    ASSERT_TRUE(print(rows));
    EXPECT_EQ(canvas.sheet, 1000);
    EXPECT_EQ(canvas.textsOn(1000).front(), " 31.12.2024 10:00:00, Stran 1001");
    EXPECT_EQ(canvas.textsOn(1000).back(), "vrstica 39001");
}

TEST_F(PrintedListingTest, OnlyThePagesOfTheRangeAreDrawn) {
    VectorRows rows = numberedRows(150); // four pages
    ASSERT_TRUE(print(rows, {2, 3}));
    EXPECT_EQ(canvas.sheet, 1) << "two sheets: pages 2 and 3";
    std::vector<std::string> stamps;
    for (const DrawnText& text : canvas.texts)
        if (text.text.find("Stran") != std::string::npos)
            stamps.push_back(std::to_string(text.sheet) + ":" + text.text);
    EXPECT_EQ(stamps, (std::vector<std::string>{"0: 31.12.2024 10:00:00, Stran 2",
                                                "1: 31.12.2024 10:00:00, Stran 3"}));
    EXPECT_EQ(canvas.textsOn(0)[4], "40");
    EXPECT_EQ(canvas.textsOn(1).back(), "> > >");
    EXPECT_EQ(canvas.find("vrstica 1"), nullptr);
    EXPECT_EQ(canvas.find("vrstica 140"), nullptr);
    for (const DrawnLine& line : canvas.lines)
        EXPECT_LE(line.sheet, 1);
}

// Every text stands inside the page's margins and keeps the padding from every rule that crosses
// its line: no value or title runs past the page edge or touches its cell's borders.
void expectTextsInsideTheirCells(const RecordingCanvas& canvas, int padding) {
    for (const DrawnText& text : canvas.texts) {
        EXPECT_GE(text.x, 20) << text.text;
        EXPECT_LE(text.x + text.width, canvas.paperWidth - 20) << text.text;
        for (const DrawnLine& rule : canvas.lines) {
            const bool crosses = rule.sheet == text.sheet && rule.x1 == rule.x2 &&
                                 rule.y1 <= text.y && rule.y2 > text.y;
            if (crosses) {
                EXPECT_TRUE(rule.x1 <= text.x - padding || rule.x1 >= text.x + text.width + padding)
                    << "'" << text.text << "' at " << text.x << "+" << text.width
                    << " against a rule at " << rule.x1;
            }
        }
    }
}

const DrawnText* findOn(const RecordingCanvas& canvas, int sheet, const std::string& text) {
    for (const DrawnText& drawn : canvas.texts)
        if (drawn.sheet == sheet && drawn.text == text) return &drawn;
    return nullptr;
}

// Two columns of 50 and 60 characters do not fit one page side by side: the second and the
// third continue on a page to the right, with the same rows at the same heights, before the next
// rows begin on the page after (across, then down).
TEST_F(PrintedListingTest, ColumnsThatDoNotFitContinueOnPagesAcrossThenDown) {
    VectorRows rows;
    rows.columns = {{"A", "Prvi", 50, Align::Left},
                    {"B", "Drugi", 60, Align::Left},
                    {"C", "Tretji stolpec", 5, Align::Right}};
    for (int i = 1; i <= 100; ++i)
        rows.rows.push_back({"a" + std::to_string(i), "b" + std::to_string(i), std::to_string(i)});
    ASSERT_TRUE(print(rows));
    EXPECT_EQ(listing.pagesAcross(), 2);
    // 39 rows a page: rows 1-39 on pages 1 and 2, 40-78 on 3 and 4, 79-100 on 5 and 6.
    ASSERT_EQ(canvas.sheet, 5);
    struct Page {
        int sheet;
        std::vector<std::string> present, absent;
    } pages[] = {
        {0, {", Stran 1", "Prvi", "a1", "a39", "> > >"}, {"Drugi", "b1", "a40"}},
        {1, {", Stran 2", "Drugi", "Tretji stolpec", "b1", "39", "b39", "> > >"}, {"a1", "b40"}},
        {2, {", Stran 3", "Prvi", "a40", "a78"}, {"b40", "a39", "a79"}},
        {3, {", Stran 4", "Drugi", "b40", "78"}, {"a40", "b79"}},
        {4, {", Stran 5", "a79", "a100"}, {"b79"}},
        {5, {", Stran 6", "Tretji stolpec", "b79", "b100", "100"}, {"a100", "> > >"}},
    };
    for (const Page& page : pages) {
        std::string all;
        for (const std::string& text : canvas.textsOn(page.sheet))
            all += "|" + text + "|";
        for (const std::string& text : page.present)
            EXPECT_NE(all.find(text.front() == ',' ? text : "|" + text + "|"), std::string::npos)
                << "page " << page.sheet + 1 << " lacks " << text;
        for (const std::string& text : page.absent)
            EXPECT_EQ(all.find("|" + text + "|"), std::string::npos)
                << "page " << page.sheet + 1 << " has " << text;
    }
    // The label of the third column wraps; the header lines of both pages are as high, so the
    // rows of a page and of its neighbour to the right stand at the same heights.
    EXPECT_EQ(findOn(canvas, 0, "a1")->y, findOn(canvas, 1, "b1")->y);
    EXPECT_EQ(findOn(canvas, 2, "a78")->y, findOn(canvas, 3, "b78")->y);
    // The second page starts its columns at the left margin.
    EXPECT_EQ(findOn(canvas, 1, "Drugi")->x, 20 + 1 + 10);
    expectTextsInsideTheirCells(canvas, 10);
}

TEST_F(PrintedListingTest, WithoutRowsEveryPageAcrossShowsItsLabels) {
    VectorRows rows;
    rows.columns = {{"A", "Prvi", 50, Align::Left}, {"B", "Drugi", 60, Align::Left}};
    ASSERT_TRUE(print(rows));
    EXPECT_EQ(canvas.sheet, 1);
    EXPECT_NE(findOn(canvas, 0, "Prvi"), nullptr);
    EXPECT_NE(findOn(canvas, 1, "Drugi"), nullptr);
    EXPECT_EQ(canvas.textsOn(1).front(), " 31.12.2024 10:00:00, Stran 2");
}

// A column is at least as wide as the widest word of its label: a label wraps between its words
// and is never cut to a fragment, however narrow the field's display width.
TEST_F(PrintedListingTest, LabelsAreShownWholeAndWrapBetweenWords) {
    struct Case {
        std::string label;
        int displayWidth;
        int lines;
    } cases[] = {
        {"ORGEN", 2, 1},          {"ID_VALUTE", 3, 1},         {"EC", 1, 1},
        {"SUM ZNESEK_VAL", 4, 2}, {"Datum zapadlosti", 30, 1},
    };
    VectorRows rows;
    for (const Case& c : cases)
        rows.columns.push_back({c.label, c.label, c.displayWidth, Align::Left});
    rows.rows = {{"1", "EUR", "x", "100", "31.12.2024"}};
    ASSERT_TRUE(print(rows));
    int highest = 0;
    for (const Case& c : cases) {
        const DrawnText* label = canvas.find(c.label);
        ASSERT_NE(label, nullptr) << c.label;
        const int widestWord = print::widestWordWidth(
            c.label, [](const std::string& word) { return 10 * print::characterCount(word); });
        EXPECT_GE(label->width, widestWord) << c.label;
        EXPECT_GE(label->width, c.displayWidth * 10) << c.label;
        highest = std::max(highest, c.lines * 20);
    }
    // Every label has the height of the highest, two lines.
    for (const Case& c : cases)
        EXPECT_EQ(canvas.find(c.label)->height, highest) << c.label;
    expectTextsInsideTheirCells(canvas, 10);
}

// A number is never cut, since a cut amount reads as another amount: one too wide for its cell
// is drawn smaller, down to half the size, and as "###" beyond that. A text is cut at the edge.
TEST_F(PrintedListingTest, AWideNumberShrinksAndAWideTextIsCut) {
    VectorRows rows;
    rows.columns = {{"Z", "Znesek", 5, Align::Right}, {"T", "Tekst", 3, Align::Left}};
    rows.rows = {
        {"123456", "abcdefgh"}, {"1234567", ""}, {"12345678901", ""}, {"12345678901234", ""}};
    ASSERT_TRUE(print(rows));
    // The column is as wide as its label, 61.
    struct Case {
        std::string value;
        int size;
    } cases[] = {{"123456", 8}, {"1234567", 7}, {"12345678901", 4}, {"###", 8}};
    for (const Case& c : cases) {
        const DrawnText* value = canvas.find(c.value);
        ASSERT_NE(value, nullptr) << c.value;
        EXPECT_EQ(value->size, c.size) << c.value;
        EXPECT_LE(10 * print::characterCount(c.value) * c.size / 8, value->width) << c.value;
    }
    const DrawnText* text = canvas.find("abcdefgh");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->size, 8);
    EXPECT_EQ(text->width, 51) << "cut at its cell's edge";
}

TEST_F(PrintedListingTest, ATitleTallerThanThePageFailsWithItsReason) {
    std::string title;
    for (int i = 0; i < 1000; ++i)
        title += "naslov ";
    VectorRows rows = numberedRows(3);
    listing.Begin("orvelnost : ", title, ListingFont{"Arial CE", 8, true, false});
    EXPECT_FALSE(listing.Print(rows));
    EXPECT_TRUE(canvas.aborted);
    EXPECT_NE(listing.failure().find("ni prostora"), std::string::npos) << listing.failure();
}

TEST_F(PrintedListingTest, WithoutVisibleFieldsThereAreHeaderTitleAndEmptyRuledLines) {
    VectorRows rows;
    rows.rows = {{}, {}};
    ASSERT_TRUE(print(rows));
    EXPECT_EQ(canvas.textsOn(0),
              (std::vector<std::string>{" 31.12.2024 10:00:00, Stran 1", "Seznam vrstic"}));
    int across = 0;
    for (const DrawnLine& line : canvas.lines)
        if (line.y1 == line.y2 && line.x1 == 20 && line.x2 == 980) ++across;
    EXPECT_EQ(across, 4) << "top and bottom of the header line, and one under each row";
}

TEST_F(PrintedListingTest, CancelAbortsTheJob) {
    VectorRows rows = numberedRows(10);
    listing.progress = [](int done, int total) {
        EXPECT_EQ(total, 10);
        return done < 3;
    };
    EXPECT_FALSE(print(rows));
    EXPECT_TRUE(canvas.aborted);
    EXPECT_FALSE(canvas.ended);
    EXPECT_TRUE(listing.failure().empty());
    EXPECT_EQ(canvas.find("vrstica 4"), nullptr);
}

TEST_F(PrintedListingTest, AFailureWhileReadingAbortsAndSaysWhy) {
    struct FailingRows : VectorRows {
        void forEach(const Opened& opened, const Visit&) override {
            opened(columns);
            throw std::runtime_error("ORA-03113: end-of-file on communication channel");
        }
    } rows;
    EXPECT_FALSE(print(rows));
    EXPECT_TRUE(canvas.aborted);
    EXPECT_EQ(listing.failure(), "ORA-03113: end-of-file on communication channel");
}

struct DataSetRowsTest : PrintFixture {};

// The print form's listing of subtotals, printed on a narrow page: its group totals and the
// marker texts of its total lines stand in their own columns on the pages across, on the line of
// their total.
TEST_F(DataSetRowsTest, GroupTotalsArePrintedInTheirColumnsOnThePagesAcross) {
    open({"'LJ1', 'ZA', '31.12.2024', 100, 1.5", "'MB1', 'VZ', '30.11.2024', 50, 2",
          "'LJ1', 'ZA', '15.12.2024', 25, 2.5", "'KP1', 'ZA', '31.12.2024', 10, 1",
          "'MB1', 'VZ', '31.12.2024', 5, 3"});
    print::DataSetPrint form;
    form.eLine = "SKUPAJ";
    form.Prepare(dm.Q1, allFields());
    form.Grupiranje();
    std::vector<int> fields;
    for (int i = 0; i < form.qG.FieldCount(); ++i)
        fields.push_back(i);
    print::DataSetRows rows(form.qG, fields, [&form](int field, const Value& value) {
        return form.displayText(form.qG, field, value);
    });
    RecordingCanvas canvas;
    canvas.paperWidth = 500;
    PrintedListing listing(canvas);
    listing.clock = [] { return std::string("31.12.2024 10:00:00"); };
    listing.Begin("orvelnost : ", "Po poslovalnicah", ListingFont{"Arial CE", 8, true, false});
    ASSERT_TRUE(listing.Print(rows)) << listing.failure();
    listing.End();
    ASSERT_GE(canvas.sheet, 1) << "the columns need pages across";

    // The grand total: 190 in SUM Znesek, 5 rows in SUM N, on the line of the last marker texts.
    const DrawnText* total = canvas.find("190");
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->align, Align::Right);
    int markers = 0;
    for (const DrawnText& text : canvas.texts)
        if (text.text == "SKUPAJ" && text.y == total->y) ++markers;
    EXPECT_EQ(markers, 3) << "the three group columns of the grand total line";
    EXPECT_TRUE(std::any_of(canvas.texts.begin(), canvas.texts.end(), [&](const DrawnText& text) {
        return text.text == "5" && text.y == total->y;
    })) << "the row count of the grand total";
    for (const char* label : {"SUM Znesek",
                              "AVG Te\xC4\x8D"
                              "aj",
                              "SUM N", "Poslovalnica"})
        EXPECT_NE(canvas.find(label), nullptr) << label;
    expectTextsInsideTheirCells(canvas, 10);
}

TEST_F(DataSetRowsTest, ColumnsAndTextsOfAnOpenDataset) {
    open({"'LJ1', 'ZA', '31.12.2024', 100.5, 1.5", "'MB1', 'VZ', NULL, -3, 2"});
    dm.Q1.moveTo(1);
    print::DataSetRows rows(dm.Q1, {3, 0, 2});
    std::vector<ListingColumn> columns;
    std::vector<std::string> seen;
    rows.forEach([&](const std::vector<ListingColumn>& opened) { columns = opened; },
                 [&](const std::vector<std::string>& texts) {
                     seen.push_back(texts[0] + "|" + texts[1] + "|" + texts[2]);
                     return true;
                 });
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0].label, "Znesek");
    EXPECT_EQ(columns[0].align, Align::Right);
    EXPECT_EQ(columns[1].align, Align::Left);
    EXPECT_EQ(columns[1].displayWidth, 6) << "a text's declared width";
    EXPECT_EQ(columns[2].displayWidth, 10);
    EXPECT_EQ(seen, (std::vector<std::string>{"100.5|LJ1|31.12.2024", "-3|MB1|"}));
    EXPECT_EQ(rows.count(), 2);
    EXPECT_EQ(dm.Q1.currentRow(), 1) << "the dataset stays on its row";
}

} // namespace
} // namespace orv::test
