#pragma once
// A small reader of the published Paradox table layout, independent of pxlib: the header (record
// size, header size, block size, record count, field count, first block), the field types and
// sizes from byte 0x78, and the chain of data blocks, each led by its next and previous block
// numbers and the offset of its last record. Values: numbers are big-endian doubles whose sign
// bit is set when positive and whose bits are all inverted when negative; dates big-endian
// 32-bit day numbers (1.1.0001 is day 1) with the sign bit set; all-zero bytes are NULL.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {

struct ParadoxTable {
    int recordSize = 0;
    std::vector<std::pair<uint8_t, int>> fields; ///< (type, size)
    /// Each record's fields as their raw bytes.
    std::vector<std::vector<std::string>> records;
};

/// Reads the file; fails the calling test (and returns what it read) when it is malformed.
ParadoxTable readParadox(const std::string& path);

/// A number field's value; nullopt for NULL.
std::optional<double> paradoxNumber(const std::string& bytes);
/// A date field's day number; nullopt for NULL.
std::optional<int32_t> paradoxDay(const std::string& bytes);
/// An alpha field's text without its padding.
std::string paradoxAlpha(const std::string& bytes);

} // namespace orv::test
