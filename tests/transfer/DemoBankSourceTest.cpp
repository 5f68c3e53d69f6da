// The source statement on a demo bank, in process and through the commands.

#include "SourceBank.h"

#include "bank/demo/DemoBank.h"
#include "db/sqlite/BankFile.h"
#include "transfer/IzvorneVeje.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace orv::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::string kSql = ORVELNOST_SQL_PROGRAM;

// orvelnost-prenos lies beside orvelnost-sql.
std::string prenos() {
    return (std::filesystem::path(kSql).parent_path() / "orvelnost-prenos").string();
}

class DemoBankSource : public SourceBank {
protected:
    void SetUp() override {
        SourceBank::SetUp();
        sqlite::BankFile file(bank.path(), false);
        demo::fillDemoBank(file.handle(), demo::DemoOptions{300, 7});
    }
    size_t vrsticeIzvora() { return izvor().size(); }
    CommandResult ukaz(const std::string& argumenti) {
        return runCommand(prenos() + " ORVDEMO OPERATER demo " + argumenti);
    }
};

TEST_F(DemoBankSource, EveryBranchAndEveryClassHasRows) {
    for (int n = 1; n <= SteviloIzvornihVej; ++n)
        EXPECT_THAT(veja(n), Not(IsEmpty())) << "branch " << n;
    const auto vknt = stolpec(izvor(), "VKNT");
    EXPECT_EQ(std::set<std::string>(vknt.begin(), vknt.end()),
              (std::set<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C",
                                     "D", "E", "F"}));
}

// What --izvor prints is what orvelnost-sql prints for the statement saved with --debug-sql.
TEST_F(DemoBankSource, DebugFileRunsInTheSqlConsoleWithTheSameRows) {
    const std::string datoteka =
        (std::filesystem::path(prenos()).parent_path() / "ORVELNOST.SQL").string();
    std::filesystem::remove(datoteka);
    const CommandResult izvor = ukaz("--dan 31.12.2024 --izvor --debug-sql");
    ASSERT_EQ(izvor.exitCode, 0) << izvor.err;
    ASSERT_TRUE(std::filesystem::exists(datoteka));
    const CommandResult sql = runCommand(kSql + " ORVDEMO OPERATER demo " + datoteka);
    ASSERT_EQ(sql.exitCode, 0) << sql.err;
    EXPECT_EQ(izvor.out, sql.out);
    EXPECT_TRUE(izvor.out.starts_with("SFVPKRT\tKONTO\tVLTKRT\t"));
    EXPECT_EQ(static_cast<size_t>(std::count(izvor.out.begin(), izvor.out.end(), '\n')),
              vrsticeIzvora() + 1);
}

TEST_F(DemoBankSource, OptionsReachTheStatement) {
    const CommandResult razred = ukaz("--dan 31.12.2024 --izvor --vknt d");
    ASSERT_EQ(razred.exitCode, 0) << razred.err;
    window.options.eVKNT = "D";
    EXPECT_EQ(static_cast<size_t>(std::count(razred.out.begin(), razred.out.end(), '\n')),
              izvor().size() + 1);
    EXPECT_THAT(razred.out, HasSubstr("\tD\t"));
}

TEST_F(DemoBankSource, WrongCallsAndBadInput) {
    EXPECT_EQ(runCommand(prenos() + " --help").exitCode, 0);
    const std::string brezDneva = "--izvor";
    for (const std::string& argumenti :
         {brezDneva, std::string("--dan 32.13.2024 --izvor"), std::string("--dan"),
          std::string("--dan 31.12.2024 --vknt AB --izvor"),
          std::string("--dan 31.12.2024 --neznana"), std::string("REF X --dan 31.12.2024")}) {
        const CommandResult r = ukaz(argumenti);
        EXPECT_EQ(r.exitCode, 2) << argumenti;
        EXPECT_THAT(r.err, HasSubstr("Usage: orvelnost-prenos")) << argumenti;
    }
    // Options that name no class or no contract: a message, exit 2, and nothing deleted.
    for (const std::string& argumenti :
         {std::string("--dan 31.12.2024 --vknt Z"), std::string("--dan 31.12.2024 --idpog 12a")}) {
        const CommandResult r = ukaz(argumenti);
        EXPECT_EQ(r.exitCode, 2) << argumenti;
        EXPECT_THAT(r.err, Not(IsEmpty())) << argumenti;
        EXPECT_EQ(r.out, "") << argumenti;
    }
    const CommandResult geslo =
        runCommand(prenos() + " ORVDEMO OPERATER napacno --dan 31.12.2024 --izvor");
    EXPECT_EQ(geslo.exitCode, 1);
    EXPECT_THAT(geslo.err, HasSubstr("ORA-01017"));
}

// The transfer headless: the closing message is the last line of standard output, the
// progress bar stays off a standard error that is no terminal, and a date without source rows
// ends with exit code 3.
TEST_F(DemoBankSource, TheCommandRunsTheTransfer) {
    const size_t skupaj = vrsticeIzvora();
    const CommandResult prepis = ukaz("--dan 31.12.2024");
    ASSERT_EQ(prepis.exitCode, 0) << prepis.err;
    EXPECT_THAT(prepis.out,
                testing::MatchesRegex("Prepis končan: [0-9]+  / " + std::to_string(skupaj) + "\n"));
    const size_t od = prepis.out.find(": ") + 2;
    const std::string zapisanih = prepis.out.substr(od, prepis.out.find(' ', od) - od);
    EXPECT_GT(std::stoul(zapisanih), skupaj / 2);
    // Standard error holds one line that explains the closing message's numbers.
    EXPECT_THAT(prepis.err, testing::MatchesRegex("Izvornih vrstic: " + std::to_string(skupaj) +
                                                  ", zapisanih: " + zapisanih +
                                                  ", odstranjenih s .* [0-9]+, shranjenih: "
                                                  "[0-9]+\n"));

    const CommandResult prazen = ukaz("--dan 31.12.1990");
    EXPECT_EQ(prazen.exitCode, 3);
    EXPECT_EQ(prazen.out, "");
    EXPECT_THAT(prazen.err, HasSubstr("Za izbrani dan 31.12.1990 ni podatkov!"));
}

} // namespace
} // namespace orv::test
