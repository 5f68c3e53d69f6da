#include "print/ColumnBands.h"

#include <cstddef>

namespace orv::print {

std::vector<ColumnBand> bandsOfColumns(const std::vector<int>& widths, int left, int right,
                                       CellGeometry cell) {
    std::vector<ColumnBand> bands(1);
    int x = left;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int width = widths[i];
        if (!bands.back().empty() && cell.ruleX(x, width) > right) {
            bands.emplace_back();
            x = left;
        }
        bands.back().push_back({static_cast<int>(i), x, width});
        x += cell.span(width);
    }
    return bands;
}

} // namespace orv::print
