// orvelnost-uvoz: the import headless, its exit codes and where its messages go.

#include "sheet/UvozFixture.h"

namespace orv::sheet::test {
namespace {

const std::string kUvoz = ORVELNOST_UVOZ_PROGRAM;

struct UvozCommand : UvozFixture {
    orv::test::CommandResult uvoz(const std::string& arguments) {
        return orv::test::runCommand(kUvoz + " ORVDEMO OPERATER demo " + arguments);
    }
};

TEST_F(UvozCommand, ImportsAndEndsWithTheClosingLine) {
    writeXlsx(path("popravki.xlsx"), preprosta(3));
    const auto result = uvoz("--dan 31.12.2024 --vknt 7 --potrdi " + path("popravki.xlsx"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Uvoz podatkov iz excel datoteke zaključen! Uvoženih vrstic: 3\n");
    EXPECT_EQ(vrstice(),
              (Texts{"P-100001 7", "P-100002 A", "P-100003 7", "STARA-A A", "STARA-D D"}));
}

TEST_F(UvozCommand, WithoutApprovalNothingChanges) {
    writeXlsx(path("popravki.xlsx"), preprosta(3));
    for (const std::string& arguments :
         Texts{"--dan 31.12.2024 " + path("popravki.xlsx"), "--potrdi " + path("popravki.xlsx"),
               "--dan 31.13.2024 --potrdi " + path("popravki.xlsx"),
               std::string("--dan 31.12.2024 --potrdi")}) {
        const auto result = uvoz(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_NE(result.err.find("Usage: orvelnost-uvoz"), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(vse(), zacetneVrstice());
    EXPECT_EQ(orv::test::runCommand(kUvoz + " --help").exitCode, 0);
}

TEST_F(UvozCommand, FailuresGoToStandardErrorAndExit1) {
    Sheet wrongDate = preprosta(3, "30.12.2024");
    writeCsv(path("datum.csv"), wrongDate);
    Sheet refused = preprosta(3);
    refused[2][2] = text("ni število");
    writeCsv(path("zavrnjeno.csv"), refused);
    const std::pair<std::string, Texts> cases[] = {
        {path("datum.csv"), {"Izbrani datum 31.12.2024 ni enak datumu 30.12.2024"}},
        {path("zavrnjeno.csv"),
         {"Napaka v vrstici 3", "stolpec 3 (ZNESEK_VAL), vrednost 'ni število'", "ORA-01722"}},
        {path("ni.csv"), {path("ni.csv") + " ne obstaja!"}},
    };
    for (const auto& [file, expected] : cases) {
        const auto result = uvoz("--dan 31.12.2024 --potrdi " + file);
        EXPECT_EQ(result.exitCode, 1) << file;
        EXPECT_EQ(result.out, "") << file;
        for (const std::string& part : expected)
            EXPECT_NE(result.err.find(part), std::string::npos) << result.err;
    }
    EXPECT_EQ(vse(), zacetneVrstice());
}

} // namespace
} // namespace orv::sheet::test
