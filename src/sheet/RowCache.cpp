#include "sheet/RowCache.h"

#include <algorithm>

namespace orv::sheet {

namespace {

void putLength(std::string& out, size_t length) {
    while (length >= 0x80) {
        out += static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    out += static_cast<char>(length);
}

size_t getLength(const char*& p) {
    size_t length = 0;
    int shift = 0;
    while (static_cast<unsigned char>(*p) & 0x80) {
        length |= static_cast<size_t>(static_cast<unsigned char>(*p++) & 0x7F) << shift;
        shift += 7;
    }
    length |= static_cast<size_t>(static_cast<unsigned char>(*p++)) << shift;
    return length;
}

} // namespace

bool RowCache::add(const SheetRow& row) {
    // A row is packed as the number of its cells, then each cell's length and bytes.
    std::string& packed = packed_; // its room is kept from row to row
    packed.clear();
    putLength(packed, row.cells.size());
    for (const std::string& cell : row.cells) {
        putLength(packed, cell.size());
        packed += cell;
    }
    size_t cost = packed.size() + sizeof(Entry);
    for (const auto& problem : row.problems)
        cost += problem.second.size() + sizeof(problem);
    if (used_ + cost > budget_) return false;
    used_ += cost;

    if (blocks_.empty() || blocks_.back().size() + packed.size() > blocks_.back().capacity()) {
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(kBlock, packed.size()));
    }
    entries_.push_back({row.number, blocks_.size() - 1, blocks_.back().size(), problems_.size()});
    blocks_.back() += packed;
    problems_.insert(problems_.end(), row.problems.begin(), row.problems.end());
    return true;
}

bool RowCache::find(int number, SheetRow& row) const {
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), number,
                         [](const Entry& entry, int wanted) { return entry.number < wanted; });
    if (found == entries_.end() || found->number != number) return false;
    row.number = number;
    const char* p = blocks_[found->block].data() + found->offset;
    const size_t count = getLength(p);
    row.cells.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t length = getLength(p);
        row.cells[i].assign(p, length);
        p += length;
    }
    const size_t end = found + 1 == entries_.end() ? problems_.size() : (found + 1)->problems;
    row.problems.assign(problems_.begin() + static_cast<std::ptrdiff_t>(found->problems),
                        problems_.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
}

} // namespace orv::sheet
