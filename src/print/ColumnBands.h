#pragma once
// The columns of a printed listing placed on pages across: as many columns side by side as fit
// between the margins, the rest on further pages to the right, as spreadsheet programs print a
// sheet that is wider than the paper.

#include <vector>

namespace orv::print {

/// One column on its page: the column's position in the listing, the left edge of its cell and
/// the width of its text.
struct PlacedColumn {
    int column = 0;
    int x = 0;
    int width = 0;
};

/// The columns of one page across, left to right.
using ColumnBand = std::vector<PlacedColumn>;

/// A cell holds its text `width` wide with `padding` either side, one unit before the text and
/// two after it for the rule; the cell's rule stands on its last unit.
struct CellGeometry {
    int padding = 0;

    int span(int width) const { return width + 2 * padding + 3; }
    int textX(int x) const { return x + 1 + padding; }
    int ruleX(int x, int width) const { return x + span(width) - 1; }
    /// The widest text that a cell starting at `left` may hold with its rule at `right` at most.
    int widestText(int left, int right) const { return right - left - 2 * padding - 2; }
};

/// Places the columns of the given text widths from `left` on, starting a new page across
/// whenever the next cell's rule would pass `right`. A column wider than the page stands alone
/// on its page. There is always at least one band (empty when there are no columns).
std::vector<ColumnBand> bandsOfColumns(const std::vector<int>& widths, int left, int right,
                                       CellGeometry cell);

} // namespace orv::print
