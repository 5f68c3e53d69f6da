#pragma once
// The rows of a sheet already read, kept packed in memory up to a budget, so that reading them
// again costs no second parse of the file. The import reads a sheet twice (the date check, then
// the inserts); for the zipped XML formats the parse is most of the cost.

#include "sheet/Workbook.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orv::sheet {

class RowCache {
public:
    explicit RowCache(size_t budget) : budget_(budget) {}

    /// Keeps a row; rows come in ascending order. False when the budget would be exceeded (the
    /// row is then not kept, and the cache should be given up).
    bool add(const SheetRow& row);
    /// The number of the last row kept; 0 when none.
    int lastNumber() const { return entries_.empty() ? 0 : entries_.back().number; }
    /// Unpacks row `number` into `row`; false when no row of that number was kept.
    bool find(int number, SheetRow& row) const;

private:
    struct Entry {
        int number;
        size_t block;
        size_t offset;
        size_t problems; // index of the row's first problem
    };
    static constexpr size_t kBlock = 4u << 20;

    size_t budget_;
    size_t used_ = 0;
    std::vector<Entry> entries_;
    std::vector<std::string> blocks_; // fixed-size blocks: growing never copies what is kept
    std::vector<std::pair<int, std::string>> problems_;
    std::string packed_; // the row being packed
};

} // namespace orv::sheet
