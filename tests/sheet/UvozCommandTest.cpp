// orvelnost-uvoz: the import headless, its exit codes and where its messages go.

#include "sheet/UvozFixture.h"

#include <fstream>

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
    const auto result = uvoz("--dan 31.12.2024 --potrdi " + path("popravki.xlsx"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Uvoz podatkov iz excel datoteke zaključen! Uvoženih vrstic: 3\n");
    EXPECT_EQ(vrstice(), (Texts{"P-100001 7", "P-100002 A", "P-100003 7", "STARA-D D"}));
    // The counts per class, and the columns the file left out, on standard error; a carriage
    // return of a message is a line break there.
    EXPECT_NE(result.err.find("Izbrisanih vrstic: 2 (razred 7: 1, razred A: 1)\nVstavljenih "
                              "vrstic: 3 (razred 7: 2, razred A: 1)\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("prazni: ORGEN, ID_KOM,"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\r'), std::string::npos);
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

// What an operator decides in the window is decided headless by options: an unknown header
// refuses the import unless --prezri-stolpce, a dry run needs no approval and changes nothing.
TEST_F(UvozCommand, OptionsDecideWhatTheWindowWouldAsk) {
    // A header typo: the amounts of ZNESEK_SITT would be lost in silence.
    std::ofstream(path("tipkarska.csv")) << "DAT_STANJE;POGODBA;ZNESEK_VAL;VKNT;ZNESEK_SITT\n"
                                            "31.12.2024;P-100001;0.25;7;5\n"
                                            "31.12.2024;P-100002;0.5;A;5\n";
    writeCsv(path("d.csv"), preprosta(2));
    struct Primer {
        std::string arguments;
        int exitCode;
        std::string err; // a part of standard error
        bool changes;
    };
    const Primer primeri[] = {
        {"--potrdi " + path("tipkarska.csv"), 1, "niso stolpci tabele POD_ORVEL: ZNESEK_SITT",
         false},
        {"--vknt D --potrdi " + path("d.csv"), 1, "Uvoz vrstic razreda D ne zamenja", false},
        {"--vknt 7 --potrdi " + path("d.csv"), 1, "ni razreda 7 (vrstice 3)", false},
        {"--vknt Z --potrdi " + path("d.csv"), 2, "Razred kontov 'Z' ni znan", false},
        {"--preizkus " + path("tipkarska.csv"), 1, "--prezri-stolpce", false},
        {"--prezri-stolpce --preizkus " + path("tipkarska.csv"), 0, "Uvoz bi vstavil vrstic: 2",
         false},
        {"--preizkus --potrdi " + path("d.csv"), 2, "exclude each other", false},
        {"--prezri-stolpce --potrdi " + path("tipkarska.csv"), 0, "Vstavljenih vrstic: 2", true},
    };
    for (const Primer& p : primeri) {
        const auto result = uvoz("--dan 31.12.2024 " + p.arguments);
        EXPECT_EQ(result.exitCode, p.exitCode) << p.arguments << "\n" << result.err;
        EXPECT_NE(result.err.find(p.err), std::string::npos) << p.arguments << "\n" << result.err;
        if (!p.changes) {
            EXPECT_EQ(vse(), zacetneVrstice()) << p.arguments;
        }
    }
    EXPECT_EQ(vrstice(), (Texts{"P-100001 7", "P-100002 A", "STARA-D D"}));
}

} // namespace
} // namespace orv::sheet::test
