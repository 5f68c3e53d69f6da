#include "base/Referent.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace orv {
namespace {

struct ReferentFixture : ::testing::Test {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("orvelnost-referent-" + std::to_string(::getpid()));
    std::string iniPath = (folder / ReferentIniDatoteka).string();

    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }
    void writeIni(const std::string& text) const { std::ofstream(iniPath) << text; }
};

TEST_F(ReferentFixture, CodeIsMappedThroughSectionReferent) {
    writeIni("[OTHER]\nREF02=wrong section\n"
             "[Referent]\nREF01=R0000123\nREF02 = R0000456 \nEMPTY=\n");
    const std::pair<const char*, const char*> cases[] = {
        {"REF01", "R0000123"}, // present
        {"ref01", "R0000123"}, // names compare as the desktop's ini files do: case-insensitively
        {"REF02", "R0000456"}, // blanks around name and value are not part of them
        {"REF09", "REF09"},    // absent: the code itself
        {"EMPTY", ""},         // present with an empty value: that value
        {"", ""},              // no fourth parameter: nothing to look up
        {"   ", "   "},        // a blank code is returned unchanged, without reading
    };
    for (const auto& [code, expected] : cases)
        EXPECT_EQ(BeriDBSReferenta(code, iniPath), expected) << "code '" << code << "'";
}

TEST_F(ReferentFixture, MissingFileOrSectionGivesTheCodeItself) {
    EXPECT_EQ(BeriDBSReferenta("REF01", iniPath), "REF01");
    writeIni("[REFERENTI]\nREF01=R0000123\n");
    EXPECT_EQ(BeriDBSReferenta("REF01", iniPath), "REF01");
}

TEST_F(ReferentFixture, UnreadableIniGivesTheCodeItself) {
    std::filesystem::create_directories(iniPath); // a folder where the file should be
    EXPECT_EQ(BeriDBSReferenta("REF01", iniPath), "REF01");
}

TEST(ParamReferentTest, IsTheFourthParameterOnly) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, ""},
        {{"ORVDEMO", "OPERATER", "demo"}, ""},
        {{"ORVDEMO", "OPERATER", "demo", "REF01"}, "REF01"},
        {{"ORVDEMO", "OPERATER", "demo", "REF01", "EXTRA"}, "REF01"},
    };
    for (const auto& [parameters, expected] : cases) {
        setProgramParameters(parameters);
        EXPECT_EQ(ParamReferent(), expected) << parameters.size() << " parameters";
    }
    setProgramParameters({});
}

} // namespace
} // namespace orv
