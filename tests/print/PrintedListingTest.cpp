// The printed listing's layout on a canvas that records what is drawn: page header, title,
// column header line, ruled data lines, page breaks, the page range, "#" fields and columns cut
// at the right margin.

#include "print/PrintedListing.h"
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
};

struct DrawnLine {
    int sheet, x1, y1, x2, y2;
};

// A page of 1000 x 1400 units; every character is 10 wide and a line 20 high.
class RecordingCanvas : public print::ListingCanvas {
public:
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
    int pageWidth() const override { return 1000; }
    int pageHeight() const override { return 1400; }
    void setFont(const ListingFont& font) override { font_ = font; }
    int textWidth(const std::string& text) override { return 10 * print::characterCount(text); }
    int textHeight(const std::string&) override { return 20; }
    int wrappedHeight(const std::string& text, int width) override {
        const int rows = (textWidth(text) + width - 1) / std::max(1, width);
        return 20 * std::max(1, rows);
    }
    void drawText(int x, int y, int width, int height, const std::string& text, Align align,
                  bool) override {
        texts.push_back({sheet, x, y, width, height, text, align, font_.bold, font_.italic});
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
    EXPECT_EQ(label->x, 20 + 50 + 3 + 1);
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
    EXPECT_TRUE(has(20, header, 980, header));
    EXPECT_TRUE(has(20, headerBottom, 980, headerBottom));
    EXPECT_TRUE(has(20 + 50 + 2, header, 20 + 50 + 2, headerBottom));
    const int row1 = headerBottom + 1;
    EXPECT_TRUE(has(20, row1, 20, row1 + 26));
    EXPECT_TRUE(has(20, row1 + 26, 980, row1 + 26));
    EXPECT_TRUE(has(20 + 53 + 200 + 2, row1, 20 + 53 + 200 + 2, row1 + 26));
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

TEST_F(PrintedListingTest, AColumnIsCutAtTheRightMarginAndTheRestLeftOut) {
    VectorRows rows;
    rows.columns = {{"A", "Prvi", 50, Align::Left},
                    {"B", "Drugi", 60, Align::Left},
                    {"C", "Tretji", 5, Align::Left}};
    rows.rows = {{"a", "b", "c"}};
    ASSERT_TRUE(print(rows));
    const DrawnText* second = canvas.find("b");
    ASSERT_NE(second, nullptr);
    // The second column starts at 20 + 500 + 3 and may reach 1 before the margin.
    EXPECT_EQ(second->x, 524);
    EXPECT_EQ(second->width, 1000 - 20 - 523 - 1);
    EXPECT_EQ(canvas.find("c"), nullptr);
    EXPECT_EQ(canvas.find("Tretji"), nullptr);
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
