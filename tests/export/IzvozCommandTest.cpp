// orvelnost-izvoz: the output rows of a date, as the grid exports them.

#include "export/DbfReader.h"
#include "export/ExportFixture.h"
#include "sheet/Workbook.h"

#include <ctime>

#include <filesystem>

namespace orv::test {
namespace {

struct IzvozCommand : ::testing::Test {
    TestBank bank;

    void SetUp() override {
        bank.exec("INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, ZNESEK_VAL, VKNT, OPOMBA) VALUES "
                  "('31.12.2024', 'P-1', 100.5, 'A', 'rek \"x\"'),"
                  "('31.12.2024', 'P-2', -3, '7', NULL),"
                  "('30.11.2024', 'P-3', 1, 'A', NULL)");
    }

    static std::string program() {
        const std::filesystem::path sql(ORVELNOST_SQL_PROGRAM);
        return (sql.parent_path() / "orvelnost-izvoz").string();
    }
    CommandResult run(const std::string& arguments) const {
        return runCommand(program() + " ORVDEMO OPERATER demo " + arguments);
    }
    std::string file(const std::string& name) const { return bank.folder() + "/" + name; }
};

TEST_F(IzvozCommand, ClipboardTextHasTheCaptionOfTheDate) {
    const auto result = run(
        "--dan 31.12.2024 --stolpci pogodba,ZNESEK_VAL,OPOMBA --oblika odlozisce " + file("o.txt"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(file("o.txt")), "POD_ORVEL 31.12.2024\r\n"
                                        "POGODBA\tZNESEK_VAL\tOPOMBA\t\r\n"
                                        "\"P-1\"\t100.5\t\"rek \"\"x\"\"\"\t\r\n"
                                        "\"P-2\"\t-3\t\"\"\t\r\n");
}

TEST_F(IzvozCommand, ClassAndAllColumns) {
    const auto result = run("--dan 31.12.2024 --vknt A --oblika dbf " + file("a.dbf"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const DbfTable table = readDbf(file("a.dbf"));
    ASSERT_EQ(table.records.size(), 1u);
    EXPECT_GT(table.fields.size(), 100u) << "every column of POD_ORVEL";
    for (size_t i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].name == "POGODBA") {
            EXPECT_EQ(table.records[0][i].substr(0, 4), "P-1 ");
        }
    }
}

TEST_F(IzvozCommand, EveryFormatWritesItsFile) {
    for (const char* format : {"dbf", "db", "txt"}) {
        const std::string target = file(std::string("r.") + format);
        const auto result = run("--dan 31.12.2024 --oblika " + std::string(format) + " " + target);
        EXPECT_EQ(result.exitCode, 0) << format << ": " << result.err;
        EXPECT_TRUE(std::filesystem::exists(target)) << format;
    }
    EXPECT_TRUE(std::filesystem::exists(file("r.sch")));
}

TEST_F(IzvozCommand, DbaseFieldsKeepTheirNamesAndTheRenamedOnesAreListed) {
    bank.exec("INSERT INTO POD_ORVEL (DAT_STANJE, POGODBA, ZNESEK_SIT_PREV, ZNESEK_SIT) VALUES "
              "('31.01.2025', 'P-9', 111, 222)");
    const auto result =
        run("--dan 31.01.2025 --stolpci POGODBA,ZNESEK_SIT_PREV,ZNESEK_SIT --oblika dbf " +
            file("z.dbf"));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const DbfTable table = readDbf(file("z.dbf"));
    ASSERT_EQ(table.fields.size(), 3u);
    ASSERT_EQ(table.records.size(), 1u);
    EXPECT_EQ(table.fields[1].name, "ZNESEK_S_1");
    EXPECT_EQ(table.fields[2].name, "ZNESEK_SIT");
    EXPECT_EQ(table.records[0][1], "111");
    EXPECT_EQ(table.records[0][2], "222") << "the field ZNESEK_SIT holds ZNESEK_SIT";
    EXPECT_NE(result.err.find("ZNESEK_SIT_PREV → ZNESEK_S_1"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("ZNESEK_SIT →"), std::string::npos) << result.err;

    // The header's date of the last update is the day of the export.
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    EXPECT_EQ(table.lastUpdateYear, today.tm_year);
    EXPECT_EQ(table.lastUpdateMonth, today.tm_mon + 1);
    EXPECT_EQ(table.lastUpdateDay, today.tm_mday);
}

TEST_F(IzvozCommand, WorkbooksOfTheDateAndClass) {
    for (const char* format : {"xlsx", "csv"}) {
        const std::string target = file(std::string("w.") + format);
        const auto result = run("--dan 31.12.2024 --vknt A --stolpci DAT_STANJE,POGODBA,OPOMBA "
                                "--oblika " +
                                std::string(format) + " " + target);
        ASSERT_EQ(result.exitCode, 0) << format << ": " << result.err;
        const auto workbook = sheet::openWorkbook(target);
        EXPECT_EQ(workbook->cellText(1, 2), "POGODBA") << format;
        EXPECT_EQ(workbook->cellText(2, 1), "31.12.2024") << format;
        EXPECT_EQ(workbook->cellText(2, 2), "P-1") << format;
        EXPECT_EQ(workbook->cellText(2, 3), "rek \"x\"") << format;
        EXPECT_EQ(workbook->cellText(3, 1), "") << format << ": class A only";
    }
}

TEST_F(IzvozCommand, WrongCallsAndBadInput) {
    EXPECT_EQ(run("--dan 31.12.2024 " + file("x.dbf")).exitCode, 2) << "no --oblika";
    EXPECT_EQ(run("--dan 31.12.2024 --oblika xls " + file("x.xls")).exitCode, 2);
    EXPECT_EQ(run("--dan 31.12.2024 --oblika XLSX " + file("x.xlsx")).exitCode, 2);
    EXPECT_EQ(run("--dan 32.12.2024 --oblika dbf " + file("x.dbf")).exitCode, 2);
    EXPECT_EQ(run("--oblika dbf " + file("x.dbf")).exitCode, 2) << "no --dan";

    const auto unknown =
        run("--dan 31.12.2024 --stolpci POGODBA,NI_TAKEGA --oblika dbf " + file("x.dbf"));
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("NI_TAKEGA"), std::string::npos) << unknown.err;

    const auto missing = run("--dan 31.12.2024 --oblika txt " + file("ni/x.txt"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("ne obstaja"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(file("x.dbf")));
}

} // namespace
} // namespace orv::test
