#include "export/DbfReader.h"

#include "export/ExportFixture.h"

#include <gtest/gtest.h>

namespace orv::test {

namespace {

uint32_t little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

} // namespace

DbfTable readDbf(const std::string& path) {
    const std::string bytes = readBytes(path);
    DbfTable table;
    if (bytes.size() < 33) {
        ADD_FAILURE() << path << " is too short for a dBase table";
        return table;
    }
    table.version = static_cast<uint8_t>(bytes[0]);
    const uint32_t count = little(bytes, 4, 4);
    const uint32_t headerSize = little(bytes, 8, 2);
    const uint32_t recordSize = little(bytes, 10, 2);
    table.languageDriver = static_cast<uint8_t>(bytes[29]);
    table.lastUpdateYear = static_cast<uint8_t>(bytes[1]);
    table.lastUpdateMonth = static_cast<uint8_t>(bytes[2]);
    table.lastUpdateDay = static_cast<uint8_t>(bytes[3]);
    size_t at = 32;
    uint32_t widths = 1; // the deletion flag
    while (at < bytes.size() && bytes[at] != '\x0D') {
        DbfField field;
        field.name = bytes.substr(at, 11).c_str();
        field.type = bytes[at + 11];
        field.length = static_cast<uint8_t>(bytes[at + 16]);
        field.decimals = static_cast<uint8_t>(bytes[at + 17]);
        widths += static_cast<uint32_t>(field.length);
        table.fields.push_back(field);
        at += 32;
    }
    EXPECT_EQ(at + 1, headerSize) << "the field descriptors end the header";
    EXPECT_EQ(widths, recordSize) << "the fields fill the record";
    if (bytes.size() < headerSize + count * recordSize) {
        ADD_FAILURE() << path << " holds fewer records than its header says";
        return table;
    }
    for (uint32_t r = 0; r < count; ++r) {
        size_t pos = headerSize + r * recordSize;
        EXPECT_EQ(bytes[pos], ' ') << "record " << r << " is not deleted";
        ++pos;
        std::vector<std::string> record;
        for (const DbfField& field : table.fields) {
            record.push_back(bytes.substr(pos, static_cast<size_t>(field.length)));
            pos += static_cast<size_t>(field.length);
        }
        table.records.push_back(record);
    }
    const size_t end = headerSize + count * recordSize;
    table.endMarker = end < bytes.size() && bytes[end] == '\x1A';
    return table;
}

} // namespace orv::test
