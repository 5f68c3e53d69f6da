#pragma once
// The rows of a query result, packed. A result of the source statement has 78 columns; held as
// Value objects (40 bytes each, and a heap block for a text past 15 characters) a row costs over
// 3 KB. Here each value is a type byte followed by its bytes (nothing for NULL, 4 or 8 for a
// number, a length and the characters for a text), rows lie one after another in large blocks,
// and a row is turned back into Values only when it is read.

#include "db/Value.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class RowStore {
public:
    /// Appending a row: its values one by one, in column order, then endRow.
    void addNull();
    void addInteger(long long value);
    void addReal(double value);
    void addText(std::string_view text);
    void add(const Value& value);
    void endRow();

    /// Appends a whole row.
    void addRow(const std::vector<Value>& values);

    size_t size() const { return rows_.size(); }
    /// The memory the rows take, near enough (an upper bound).
    size_t bytes() const;
    bool empty() const { return rows_.empty(); }
    void clear();

    /// The values of a row (`values` is resized to the row's columns).
    void readRow(size_t row, std::vector<Value>& values) const;

    /// One value of a row.
    Value value(size_t row, size_t column) const;

private:
    /// Where a row starts and how many values it has.
    struct RowStart {
        const unsigned char* bytes;
        size_t columns;
    };

    unsigned char* reserve(size_t bytes);

    std::string pending_; ///< the row being appended
    size_t pendingColumns_ = 0;
    std::vector<std::unique_ptr<unsigned char[]>> blocks_;
    size_t blockUsed_ = 0, blockSize_ = 0;
    std::vector<RowStart> rows_;
};

} // namespace orv
