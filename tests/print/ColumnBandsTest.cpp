// The columns of a listing placed on pages across: which columns share a page and where their
// cells start.

#include "print/ColumnBands.h"

#include <gtest/gtest.h>

#include <string>

namespace orv::test {
namespace {

// The bands as text: the columns of each page with their left edges, pages separated by " / ".
std::string placed(const std::vector<print::ColumnBand>& bands) {
    std::string text;
    for (const print::ColumnBand& band : bands) {
        if (!text.empty()) text += " / ";
        for (const print::PlacedColumn& column : band)
            text += std::to_string(column.column) + "@" + std::to_string(column.x) + " ";
    }
    return text;
}

TEST(ColumnBands, ColumnsFillAPageAndContinueOnTheNext) {
    // Between 20 and 980, padding 10: a cell of width w spans w + 23 and its rule stands on its
    // last unit.
    struct Case {
        std::vector<int> widths;
        std::string expected;
    } cases[] = {
        {{}, ""},
        {{100, 100}, "0@20 1@143 "},
        {{500, 600, 50}, "0@20  / 1@20 2@643 "},
        // The last cell may end with its rule on the margin, not a unit beyond.
        {{938}, "0@20 "},
        {{500, 415}, "0@20 1@543 "},
        {{500, 416}, "0@20  / 1@20 "},
        // A column wider than a page stands alone on its page.
        {{100, 2000, 10}, "0@20  / 1@20  / 2@20 "},
    };
    const print::CellGeometry cell{10};
    for (const Case& c : cases)
        EXPECT_EQ(placed(print::bandsOfColumns(c.widths, 20, 980, cell)), c.expected)
            << ::testing::PrintToString(c.widths);
    EXPECT_EQ(print::bandsOfColumns({}, 20, 980, cell).size(), 1u) << "one empty page";
}

} // namespace
} // namespace orv::test
