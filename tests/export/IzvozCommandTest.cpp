// orvelnost-izvoz: the output rows of a date, as the grid exports them.

#include "export/DbfReader.h"
#include "export/ExportFixture.h"

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

TEST_F(IzvozCommand, WrongCallsAndBadInput) {
    EXPECT_EQ(run("--dan 31.12.2024 " + file("x.dbf")).exitCode, 2) << "no --oblika";
    EXPECT_EQ(run("--dan 31.12.2024 --oblika xls " + file("x.xls")).exitCode, 2);
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
