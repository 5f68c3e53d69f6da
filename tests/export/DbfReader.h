#pragma once
// A small reader of the published dBase table layout, independent of the library that writes
// the tables: a 32-byte header (version, date, record count, header and record sizes, language
// driver at byte 29), 32-byte field descriptors up to a 0x0D byte, then fixed-size records each
// led by a deletion flag, and 0x1A at the end.

#include <cstdint>
#include <string>
#include <vector>

namespace orv::test {

struct DbfField {
    std::string name;
    char type = 0;
    int length = 0;
    int decimals = 0;
};

struct DbfTable {
    uint8_t version = 0;
    uint8_t languageDriver = 0;
    int lastUpdateYear = 0; ///< years since 1900, as the header keeps them
    int lastUpdateMonth = 0;
    int lastUpdateDay = 0;
    std::vector<DbfField> fields;
    /// Each record's fields as their raw bytes.
    std::vector<std::vector<std::string>> records;
    bool endMarker = false;
};

/// Reads the file; fails the calling test (and returns an empty table) when it is malformed.
DbfTable readDbf(const std::string& path);

} // namespace orv::test
