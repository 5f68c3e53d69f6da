// Packed rows give back exactly the values that went in, by whole row and by single cell.

#include "db/RowStore.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace orv {
namespace {

// Every kind and size of value the packing distinguishes.
std::vector<Value> mixedRow(int n) {
    return {Value(),
            Value(n),
            Value(-2147483648LL - n), // past 32 bits
            Value(std::numeric_limits<long long>::max()),
            Value(0.1 * n),
            Value(-0.0),
            Value(std::string("")),
            Value("šumnik " + std::to_string(n)),
            Value(std::string(255, 'a')),
            Value(std::string(256 + static_cast<size_t>(n), 'b')),
            Value()};
}

TEST(RowStoreTest, RowsAndCellsReadBackAsWritten) {
    RowStore store;
    constexpr int kRows = 5000; // more than one block of packed rows
    for (int n = 0; n < kRows; ++n) {
        if (n % 2)
            store.addRow(mixedRow(n));
        else {
            for (const Value& value : mixedRow(n))
                store.add(value);
            store.endRow();
        }
    }
    ASSERT_EQ(store.size(), static_cast<size_t>(kRows));
    std::vector<Value> row;
    for (int n : {0, 1, 2, 777, kRows - 1}) {
        store.readRow(static_cast<size_t>(n), row);
        EXPECT_EQ(row, mixedRow(n)) << "row " << n;
        const std::vector<Value> expected = mixedRow(n);
        for (size_t column = 0; column < expected.size(); ++column)
            EXPECT_EQ(store.value(static_cast<size_t>(n), column), expected[column])
                << "row " << n << ", column " << column;
    }
    EXPECT_THROW(store.value(0, 11), std::out_of_range);
    store.clear();
    EXPECT_TRUE(store.empty());
    store.addRow({Value(1), Value("x")});
    store.readRow(0, row);
    EXPECT_EQ(row, (std::vector<Value>{Value(1), Value("x")}));
}

TEST(RowStoreTest, RowsOfDifferentWidthsKeepTheirOwnColumns) {
    RowStore store;
    store.addRow({});
    store.addRow({Value(1), Value(2), Value(3)});
    std::vector<Value> row{Value(9)};
    store.readRow(0, row);
    EXPECT_TRUE(row.empty());
    store.readRow(1, row);
    EXPECT_EQ(row.size(), 3u);
}

} // namespace
} // namespace orv
