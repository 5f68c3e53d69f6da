// The data set of a date survives the correction round trip: exported as a workbook and imported
// back unchanged, every column of every row is as it was, to the byte.

#include "SourceBank.h"

#include "bank/demo/DemoBank.h"
#include "db/sqlite/BankFile.h"

#include <gmock/gmock.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

namespace orv::test {
namespace {

const std::string kSql = ORVELNOST_SQL_PROGRAM;

std::string program(const char* ime) {
    return (std::filesystem::path(kSql).parent_path() / ime).string();
}

/// Every row of POD_ORVEL as the exact bytes and types of its values, sorted: the import
/// inserts rows anew, so their rowids and order change, never their contents.
std::vector<std::string> vsebina(const std::string& bank) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(bank.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stavek = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, "SELECT * FROM POD_ORVEL", -1, &stavek, nullptr), SQLITE_OK);
    std::vector<std::string> vrstice;
    while (sqlite3_step(stavek) == SQLITE_ROW) {
        std::string vrstica;
        for (int i = 0; i < sqlite3_column_count(stavek); ++i) {
            vrstica += sqlite3_column_name(stavek, i);
            vrstica += "=" + std::to_string(sqlite3_column_type(stavek, i)) + ":";
            const void* bytes = sqlite3_column_blob(stavek, i);
            if (bytes)
                vrstica.append(static_cast<const char*>(bytes),
                               static_cast<size_t>(sqlite3_column_bytes(stavek, i)));
            vrstica += '|';
        }
        vrstice.push_back(std::move(vrstica));
    }
    sqlite3_finalize(stavek);
    sqlite3_close(db);
    std::sort(vrstice.begin(), vrstice.end());
    return vrstice;
}

class RoundTrip : public SourceBank, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        sqlite::BankFile file(bank.path(), false);
        demo::fillDemoBank(file.handle(), demo::DemoOptions{300, 7});
    }
    CommandResult ukaz(const char* ime, const std::string& argumenti) {
        return runCommand(program(ime) + " ORVDEMO OPERATER demo " + argumenti);
    }
};

TEST_P(RoundTrip, AnExportImportedUnchangedLeavesEveryRowAsItWas) {
    const CommandResult prenos = ukaz("orvelnost-prenos", "--dan 31.12.2024");
    ASSERT_EQ(prenos.exitCode, 0) << prenos.err;
    // Rows of another date stay out of it.
    bank.exec("INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, VKNT) VALUES ('30.11.2024', 'N', '1')");
    const std::vector<std::string> pred = vsebina(bank.path());
    ASSERT_GT(pred.size(), 100u);
    const std::string datoteka = bank.folder() + "/dan." + GetParam();
    const CommandResult izvoz =
        ukaz("orvelnost-izvoz", "--dan 31.12.2024 --oblika " + GetParam() + " " + datoteka);
    ASSERT_EQ(izvoz.exitCode, 0) << izvoz.err;
    const CommandResult uvoz = ukaz("orvelnost-uvoz", "--dan 31.12.2024 --potrdi " + datoteka);
    ASSERT_EQ(uvoz.exitCode, 0) << uvoz.err;
    // Class D rows are never replaced: they are found equal and left as they are.
    EXPECT_THAT(uvoz.err, ::testing::HasSubstr("Vrstic razreda D, ki so enake shranjenim"));
    const std::vector<std::string> po = vsebina(bank.path());
    ASSERT_EQ(po.size(), pred.size());
    for (size_t i = 0; i < pred.size(); ++i)
        ASSERT_EQ(po[i], pred[i]) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(Oblike, RoundTrip, ::testing::Values("xlsx", "csv"));

} // namespace
} // namespace orv::test
