#include "export/ParadoxReader.h"

#include "export/ExportFixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

namespace orv::test {

namespace {

uint32_t little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

bool allZero(const std::string& bytes) {
    return bytes.find_first_not_of('\0') == std::string::npos;
}

} // namespace

ParadoxTable readParadox(const std::string& path) {
    const std::string bytes = readBytes(path);
    ParadoxTable table;
    if (bytes.size() < 0x78) {
        ADD_FAILURE() << path << " is too short for a Paradox table";
        return table;
    }
    table.recordSize = static_cast<int>(little(bytes, 0x00, 2));
    const uint32_t headerSize = little(bytes, 0x02, 2);
    const uint32_t blockSize = static_cast<uint8_t>(bytes[0x05]) * 0x400u;
    const uint32_t count = little(bytes, 0x06, 4);
    const uint32_t fieldCount = little(bytes, 0x21, 2);
    uint32_t block = little(bytes, 0x0E, 2);
    int widths = 0;
    for (uint32_t i = 0; i < fieldCount; ++i) {
        table.fields.emplace_back(static_cast<uint8_t>(bytes[0x78 + 2 * i]),
                                  static_cast<uint8_t>(bytes[0x79 + 2 * i]));
        widths += table.fields.back().second;
    }
    EXPECT_EQ(widths, table.recordSize) << "the fields fill the record";
    uint32_t blocks = 0;
    while (block != 0 && table.records.size() < count) {
        const size_t at = headerSize + (block - 1) * static_cast<size_t>(blockSize);
        if (at + 6 > bytes.size() || ++blocks > 1000000) {
            ADD_FAILURE() << "block " << block << " lies outside the file";
            break;
        }
        const auto lastOffset = static_cast<int16_t>(little(bytes, at + 4, 2));
        const int inBlock = lastOffset / table.recordSize + 1;
        for (int r = 0; r < inBlock; ++r) {
            size_t pos = at + 6 + static_cast<size_t>(r * table.recordSize);
            std::vector<std::string> record;
            for (const auto& [type, size] : table.fields) {
                record.push_back(bytes.substr(pos, static_cast<size_t>(size)));
                pos += static_cast<size_t>(size);
            }
            table.records.push_back(record);
        }
        block = little(bytes, at, 2);
    }
    EXPECT_EQ(table.records.size(), count) << "the blocks hold the records the header counts";
    return table;
}

std::optional<double> paradoxNumber(const std::string& bytes) {
    if (allZero(bytes)) return std::nullopt;
    std::string b = bytes;
    if (static_cast<uint8_t>(b[0]) & 0x80)
        b[0] = static_cast<char>(b[0] & 0x7F);
    else
        for (char& c : b)
            c = static_cast<char>(~c);
    uint64_t raw = 0;
    for (const char c : b)
        raw = (raw << 8) | static_cast<uint8_t>(c);
    return std::bit_cast<double>(raw);
}

std::optional<int32_t> paradoxDay(const std::string& bytes) {
    if (allZero(bytes)) return std::nullopt;
    uint32_t raw = 0;
    for (const char c : bytes)
        raw = (raw << 8) | static_cast<uint8_t>(c);
    return static_cast<int32_t>(raw ^ 0x80000000u);
}

std::string paradoxAlpha(const std::string& bytes) {
    return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

} // namespace orv::test
