// Paradox export: read back with pxlib and the header's published fields checked byte by byte.

#include "base/Cp1250.h"
#include "export/ExportFixture.h"
#include "export/Izvoz.h"
#include "export/IzvozError.h"
#include "export/ParadoxReader.h"

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <cstdlib>
#include <memory>

namespace orv::test {
namespace {

using ParadoxExport = ExportFixture;

struct DeletePx {
    void operator()(pxdoc_t* doc) const {
        PX_close(doc);
        PX_delete(doc);
    }
};

uint32_t little(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    return value;
}

TEST_F(ParadoxExport, EveryKindOfValueReadsBackWhole) {
    open({"1, 'Čas €', '05.03.2024', 12.5, NULL, NULL", "2, NULL, NULL, NULL, NULL, NULL",
          "3, 'dvanajst zn.', '31.12.2024 10:30:00', -1234567.125, 1, 2"},
         ", ECB_ZELO_DOLGO_IME_STOLPCA_A NUMBER, ECB_ZELO_DOLGO_IME_STOLPCA_B NUMBER");
    const auto notices = IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Paradox, file("t.db"));
    // Only the two names the format cannot take are changed, and both are told.
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(
        notices[0].rfind("Polje ECB_ZELO_DOLGO_IME_STOLPCA_A → ECB_ZELO_DOLGO_IME_STOLPC ", 0), 0u)
        << notices[0];
    EXPECT_EQ(
        notices[1].rfind("Polje ECB_ZELO_DOLGO_IME_STOLPCA_B → ECB_ZELO_DOLGO_IME_STOL_1 ", 0), 0u)
        << notices[1];

    // The header as published: record size, header size, file type, record count, field count,
    // and the field types and sizes from byte 0x78.
    const std::string bytes = readBytes(file("t.db"));
    ASSERT_GT(bytes.size(), 0x78u + 12);
    EXPECT_EQ(little(bytes, 0x00, 2), 8u + 12 + 8 + 8 + 8 + 8) << "record size";
    EXPECT_EQ(static_cast<uint8_t>(bytes[0x04]), 2) << "a table without a key";
    EXPECT_EQ(little(bytes, 0x06, 4), 3u) << "records";
    EXPECT_EQ(little(bytes, 0x21, 2), 6u) << "fields";
    const uint8_t types[] = {0x06, 0x01, 0x15, 0x06, 0x06, 0x06};
    const uint8_t sizes[] = {8, 12, 8, 8, 8, 8};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(static_cast<uint8_t>(bytes[0x78 + 2 * i]), types[i]) << "type of field " << i;
        EXPECT_EQ(static_cast<uint8_t>(bytes[0x79 + 2 * i]), sizes[i]) << "size of field " << i;
    }

    // The records through the test's own reader of the published layout.
    const ParadoxTable own = readParadox(file("t.db"));
    ASSERT_EQ(own.records.size(), 3u);
    EXPECT_EQ(paradoxNumber(own.records[0][0]), 1.0);
    EXPECT_EQ(izCp1250(paradoxAlpha(own.records[0][1])), "Čas €");
    EXPECT_EQ(paradoxNumber(own.records[0][3]), 12.5);
    EXPECT_EQ(paradoxNumber(own.records[1][3]), std::nullopt);
    EXPECT_EQ(paradoxAlpha(own.records[1][1]), "");
    EXPECT_EQ(paradoxNumber(own.records[2][3]), -1234567.125);
    EXPECT_EQ(paradoxNumber(own.records[2][5]), 2.0);
    // A timestamp counts milliseconds from 1.1.0001 less a day: 31.12.2024 is day 739251.
    EXPECT_EQ(paradoxNumber(own.records[2][2]), (739251.0 * 86400 + 10 * 3600 + 30 * 60) * 1000);

    std::unique_ptr<pxdoc_t, DeletePx> doc(PX_new());
    ASSERT_EQ(PX_open_file(doc.get(), file("t.db").c_str()), 0);
    ASSERT_EQ(PX_get_num_records(doc.get()), 3);
    ASSERT_EQ(PX_get_num_fields(doc.get()), 6);
    EXPECT_STREQ(PX_get_field(doc.get(), 4)->px_fname, "ECB_ZELO_DOLGO_IME_STOLPC");
    EXPECT_STREQ(PX_get_field(doc.get(), 5)->px_fname, "ECB_ZELO_DOLGO_IME_STOL_1");
    std::vector<char> record(static_cast<size_t>(PX_get_recordsize(doc.get())));
    ASSERT_TRUE(PX_get_record(doc.get(), 0, record.data()));
    double number = 0;
    EXPECT_GT(PX_get_data_double(doc.get(), record.data(), 8, &number), 0);
    EXPECT_EQ(number, 1.0);
    char* text = nullptr;
    ASSERT_GT(PX_get_data_alpha(doc.get(), record.data() + 8, 12, &text), 0);
    EXPECT_EQ(izCp1250(text), "Čas €");
    doc->free(doc.get(), text);
    double stamp = 0;
    ASSERT_GT(PX_get_data_double(doc.get(), record.data() + 20, 8, &stamp), 0);
    char* shown = PX_timestamp2string(doc.get(), stamp, "d.m.Y H:i:s");
    EXPECT_STREQ(shown, "05.03.2024 00:00:00");
    doc->free(doc.get(), shown);
    EXPECT_GT(PX_get_data_double(doc.get(), record.data() + 28, 8, &number), 0);
    EXPECT_EQ(number, 12.5);

    ASSERT_TRUE(PX_get_record(doc.get(), 1, record.data()));
    EXPECT_EQ(PX_get_data_alpha(doc.get(), record.data() + 8, 12, &text), 0) << "NULL text";
    EXPECT_EQ(PX_get_data_double(doc.get(), record.data() + 28, 8, &number), 0) << "NULL number";

    ASSERT_TRUE(PX_get_record(doc.get(), 2, record.data()));
    ASSERT_GT(PX_get_data_double(doc.get(), record.data() + 20, 8, &stamp), 0);
    shown = PX_timestamp2string(doc.get(), stamp, "d.m.Y H:i:s");
    EXPECT_STREQ(shown, "31.12.2024 10:30:00");
    doc->free(doc.get(), shown);
    EXPECT_GT(PX_get_data_double(doc.get(), record.data() + 28, 8, &number), 0);
    EXPECT_EQ(number, -1234567.125);
}

TEST_F(ParadoxExport, DatesWithoutTimeAreParadoxDates) {
    open({"1, NULL, '01.01.1900', NULL", "2, NULL, '29.02.2024', NULL"});
    IzvoziTabelo(dm.Q1, {2}, OblikaIzvoza::Paradox, file("d.db"));
    const std::string bytes = readBytes(file("d.db"));
    EXPECT_EQ(static_cast<uint8_t>(bytes[0x78]), 0x02) << "a date field";
    std::unique_ptr<pxdoc_t, DeletePx> doc(PX_new());
    ASSERT_EQ(PX_open_file(doc.get(), file("d.db").c_str()), 0);
    std::vector<char> record(static_cast<size_t>(PX_get_recordsize(doc.get())));
    long day = 0;
    ASSERT_TRUE(PX_get_record(doc.get(), 1, record.data()));
    ASSERT_GT(PX_get_data_long(doc.get(), record.data(), 4, &day), 0);
    char* shown = PX_date2string(doc.get(), day, "d.m.Y");
    EXPECT_STREQ(shown, "29.02.2024");
    doc->free(doc.get(), shown);
    const ParadoxTable own = readParadox(file("d.db"));
    ASSERT_EQ(own.records.size(), 2u);
    EXPECT_EQ(paradoxDay(own.records[0][0]), 693596); // 1.1.1900
    EXPECT_EQ(paradoxDay(own.records[1][0]), 738945); // 29.2.2024
    // The published format counts days from 1.1.0001, day 1.
    ASSERT_TRUE(PX_get_record(doc.get(), 0, record.data()));
    ASSERT_GT(PX_get_data_long(doc.get(), record.data(), 4, &day), 0);
    EXPECT_EQ(day, 693596);
}

TEST_F(ParadoxExport, ManyRowsFillManyBlocksAndAllReadBack) {
    open({});
    bank.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
              "INSERT INTO T_IZVOZ SELECT i, 'vrstica ' || i, NULL, i * 0.25 FROM n");
    dm.OdpriPoizvedbo(dm.Q1, "SELECT * FROM T_IZVOZ ORDER BY ID");
    IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Paradox, file("m.db"));
    const ParadoxTable own = readParadox(file("m.db"));
    ASSERT_EQ(own.records.size(), 5000u);
    for (size_t row = 0; row < own.records.size(); ++row)
        ASSERT_EQ(paradoxNumber(own.records[row][0]), double(row + 1)) << "in the order written";
    std::unique_ptr<pxdoc_t, DeletePx> doc(PX_new());
    ASSERT_EQ(PX_open_file(doc.get(), file("m.db").c_str()), 0);
    ASSERT_EQ(PX_get_num_records(doc.get()), 5000);
    std::vector<char> record(static_cast<size_t>(PX_get_recordsize(doc.get())));
    for (const int row : {0, 2499, 4999}) {
        ASSERT_TRUE(PX_get_record(doc.get(), row, record.data())) << row;
        double id = 0;
        ASSERT_GT(PX_get_data_double(doc.get(), record.data(), 8, &id), 0);
        EXPECT_EQ(id, row + 1);
        char* text = nullptr;
        ASSERT_GT(PX_get_data_alpha(doc.get(), record.data() + 8, 12, &text), 0);
        EXPECT_EQ(std::string(text), "vrstica " + std::to_string(row + 1));
        doc->free(doc.get(), text);
    }
}

TEST_F(ParadoxExport, ATextLongerThanAnAlphaFieldHoldsFails) {
    open({"1, NULL, NULL, NULL, '" + std::string(256, 'x') + "'"}, ", OPOMBA VARCHAR2(400)");
    EXPECT_THROW(IzvoziTabelo(dm.Q1, allFields(), OblikaIzvoza::Paradox, file("l.db")), IzvozError);
    EXPECT_TRUE(otherFiles().empty());
}

} // namespace
} // namespace orv::test
