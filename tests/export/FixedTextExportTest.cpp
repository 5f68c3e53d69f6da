// Fixed-length text: every line as wide as the schema beside it says, read back through it.

#include "base/Cp1250.h"
#include "export/ExportFixture.h"
#include "export/Izvoz.h"

#include <sstream>

namespace orv::test {
namespace {

using FixedTextExport = ExportFixture;

struct SchemaField {
    std::string name, type;
    int width = 0, places = 0, offset = 0;
};

// Reads FIELDn=name,type,width,places,offset lines.
std::vector<SchemaField> readSchema(const std::string& text) {
    std::vector<SchemaField> fields;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("FIELD", 0) != 0 || line.rfind("FILETYPE", 0) == 0) continue;
        std::istringstream parts(line.substr(line.find('=') + 1));
        SchemaField field;
        std::string width, places, offset;
        std::getline(parts, field.name, ',');
        std::getline(parts, field.type, ',');
        std::getline(parts, width, ',');
        std::getline(parts, places, ',');
        std::getline(parts, offset, ',');
        field.width = std::stoi(width);
        field.places = std::stoi(places);
        field.offset = std::stoi(offset);
        fields.push_back(field);
    }
    return fields;
}

TEST_F(FixedTextExport, LinesFollowTheSchemaAndHoldEveryValueWhole) {
    open({"1, 'Čas', '05.03.2024', 12.5, NULL", "2, NULL, NULL, NULL, NULL",
          "10, 'dvanajst zn.', '31.12.2024', -1234567.125, NULL"},
         ", OPOMBA VARCHAR2(3)");
    bank.exec("UPDATE T_IZVOZ SET OPOMBA = 'daljše kot tri' WHERE ID = 2");
    dm.OdpriPoizvedbo(dm.Q1, "SELECT * FROM T_IZVOZ ORDER BY ID");
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::FiksniTekst, file("t.txt"));

    const std::string schema = readBytes(file("t.sch"));
    EXPECT_EQ(schema.rfind("[t]\r\nFILETYPE=FIXED\r\n", 0), 0u) << schema;
    const std::vector<SchemaField> fields = readSchema(schema);
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[1].name, "NAZIV");
    EXPECT_EQ(fields[1].type, "CHAR");
    EXPECT_EQ(fields[1].width, 12);
    EXPECT_EQ(fields[2].type, "DATE");
    EXPECT_EQ(fields[3].type, "FLOAT");
    EXPECT_EQ(fields[3].places, 3);
    EXPECT_EQ(fields[4].width, 14) << "wider than declared, so that nothing is cut";

    const std::string text = readBytes(file("t.txt"));
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_EQ(lines.size(), 3u);
    const int lineWidth = fields.back().offset + fields.back().width;
    for (const std::string& line : lines)
        EXPECT_EQ(static_cast<int>(line.size()), lineWidth);
    const auto value = [&](size_t row, size_t field) {
        return lines[row].substr(static_cast<size_t>(fields[field].offset),
                                 static_cast<size_t>(fields[field].width));
    };
    EXPECT_EQ(value(0, 0), " 1");
    EXPECT_EQ(value(2, 0), "10");
    EXPECT_EQ(izCp1250(value(0, 1)), "Čas         ");
    EXPECT_EQ(value(0, 2), "05.03.2024");
    EXPECT_EQ(value(0, 3), "      12.500");
    EXPECT_EQ(value(2, 3), "-1234567.125");
    EXPECT_EQ(izCp1250(value(1, 4)), "daljše kot tri");
    EXPECT_EQ(value(1, 1), std::string(12, ' '));
    EXPECT_EQ(value(1, 3), std::string(12, ' '));
}

} // namespace
} // namespace orv::test
