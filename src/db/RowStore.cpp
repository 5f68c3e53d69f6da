#include "db/RowStore.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace orv {

namespace {

// The type byte of a value.
enum Tag : unsigned char { Null, Integer32, Integer64, Real, ShortText, LongText };

// Rows are copied into blocks of this size (a larger row gets a block of its own).
// Blocks start small (256 bytes) and double up to 1 MB: most results of a transfer's lookups are
// one short row, and a 1 MB block for each of them (zeroed, and mapped and unmapped by the
// allocator) cost more than the query itself.
constexpr size_t kFirstBlockBytes = 1 << 8;
constexpr size_t kBlockBytes = 1 << 20;

template <class T> void append(std::string& to, T value) {
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    to.append(bytes, sizeof(T));
}

template <class T> T read(const unsigned char*& at) {
    T value;
    std::memcpy(&value, at, sizeof(T));
    at += sizeof(T);
    return value;
}

// Reads the value at `at` and moves past it.
Value decode(const unsigned char*& at) {
    switch (*at++) {
    case Integer32:
        return Value(static_cast<long long>(read<int>(at)));
    case Integer64:
        return Value(read<long long>(at));
    case Real:
        return Value(read<double>(at));
    case ShortText: {
        const size_t length = *at++;
        const char* text = reinterpret_cast<const char*>(at);
        at += length;
        return Value(std::string(text, length));
    }
    case LongText: {
        const auto length = read<unsigned>(at);
        const char* text = reinterpret_cast<const char*>(at);
        at += length;
        return Value(std::string(text, length));
    }
    default:
        return Value();
    }
}

// Moves past the value at `at`.
void skip(const unsigned char*& at) {
    switch (*at++) {
    case Integer32:
        at += sizeof(int);
        break;
    case Integer64:
    case Real:
        at += 8;
        break;
    case ShortText:
        at += 1 + *at;
        break;
    case LongText:
        at += read<unsigned>(at);
        break;
    default:
        break;
    }
}

} // namespace

void RowStore::addNull() {
    pending_ += static_cast<char>(Null);
    ++pendingColumns_;
}

void RowStore::addInteger(long long value) {
    if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max()) {
        pending_ += static_cast<char>(Integer32);
        append(pending_, static_cast<int>(value));
    } else {
        pending_ += static_cast<char>(Integer64);
        append(pending_, value);
    }
    ++pendingColumns_;
}

void RowStore::addReal(double value) {
    pending_ += static_cast<char>(Real);
    append(pending_, value);
    ++pendingColumns_;
}

void RowStore::addText(std::string_view text) {
    if (text.size() <= std::numeric_limits<unsigned char>::max()) {
        pending_ += static_cast<char>(ShortText);
        pending_ += static_cast<char>(static_cast<unsigned char>(text.size()));
    } else {
        if (text.size() > std::numeric_limits<unsigned>::max())
            throw std::length_error("a text of more than 4 GB in one value");
        pending_ += static_cast<char>(LongText);
        append(pending_, static_cast<unsigned>(text.size()));
    }
    pending_.append(text);
    ++pendingColumns_;
}

void RowStore::add(const Value& value) {
    if (value.isInteger())
        addInteger(value.integer());
    else if (value.isReal())
        addReal(value.real());
    else if (value.isText())
        addText(value.text());
    else
        addNull();
}

unsigned char* RowStore::reserve(size_t bytes) {
    if (blocks_.empty() || blockUsed_ + bytes > blockSize_) {
        const size_t next =
            blocks_.empty() ? kFirstBlockBytes : std::min(kBlockBytes, 2 * blockSize_);
        blockSize_ = std::max(next, bytes);
        // Only the bytes written are ever read, so the block is not zeroed.
        blocks_.push_back(std::make_unique_for_overwrite<unsigned char[]>(blockSize_));
        blockUsed_ = 0;
    }
    unsigned char* at = blocks_.back().get() + blockUsed_;
    blockUsed_ += bytes;
    return at;
}

void RowStore::endRow() {
    unsigned char* at = reserve(pending_.size());
    std::memcpy(at, pending_.data(), pending_.size());
    rows_.push_back({at, pendingColumns_});
    pending_.clear();
    pendingColumns_ = 0;
}

void RowStore::addRow(const std::vector<Value>& values) {
    for (const Value& value : values)
        add(value);
    endRow();
}

size_t RowStore::bytes() const {
    size_t total = rows_.capacity() * sizeof(RowStart);
    if (!blocks_.empty()) total += blockSize_ * blocks_.size(); // the last block is the largest
    return total;
}

void RowStore::clear() {
    pending_.clear();
    pendingColumns_ = 0;
    blocks_.clear();
    blockUsed_ = blockSize_ = 0;
    rows_.clear();
    rows_.shrink_to_fit();
}

void RowStore::readRow(size_t row, std::vector<Value>& values) const {
    const RowStart& start = rows_.at(row);
    values.resize(start.columns);
    const unsigned char* at = start.bytes;
    for (size_t i = 0; i < start.columns; ++i)
        values[i] = decode(at);
}

Value RowStore::value(size_t row, size_t column) const {
    const RowStart& start = rows_.at(row);
    if (column >= start.columns) throw std::out_of_range("no such column in the row");
    const unsigned char* at = start.bytes;
    for (size_t i = 0; i < column; ++i)
        skip(at);
    return decode(at);
}

} // namespace orv
