#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orv {
namespace {

// Runs readArguments over `words` (the command's name first), recording each option and value.
std::vector<std::string> read(std::vector<std::string> words,
                              std::vector<std::pair<std::string, std::string>>& options) {
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    return readArguments(static_cast<int>(argv.size()), argv.data(),
                         [&](const std::string& name, const OptionValue& value) {
                             options.emplace_back(name, name == "--potrdi" ? "" : value());
                         });
}

TEST(CommandOptions, OptionsTakeTheirValuesAndTheRestStaysInOrder) {
    std::vector<std::pair<std::string, std::string>> options;
    const auto positional =
        read({"cmd", "ALIAS", "--dan", "1.2.2024", "USER", "--potrdi", "PW", "--vknt", "", "F"},
             options);
    EXPECT_EQ(positional, (std::vector<std::string>{"ALIAS", "USER", "PW", "F"}));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"--dan", "1.2.2024"}, {"--potrdi", ""}, {"--vknt", ""}};
    EXPECT_EQ(options, expected);

    options.clear();
    EXPECT_THROW(read({"cmd", "A", "--dan"}, options), UsageError); // the value is missing
}

TEST(CommandOptions, DatesAndClassesAreCheckedAsTyped) {
    EXPECT_EQ(formatDate(dateOption("1.2.2024")), "01.02.2024");
    EXPECT_EQ(formatDate(dateOption("31.12.2024")), "31.12.2024");
    for (const char* wrong : {"", "32.1.2024", "29.2.2023", "2024-01-01", "danes"})
        EXPECT_THROW(dateOption(wrong), UsageError) << wrong;

    // Every command takes the same class texts: 1 to 9 or A to F, trimmed, any case; blank
    // means every class. Wildcards of LIKE and other letters are no class.
    const std::pair<const char*, const char*> razredi[] = {
        {"", ""}, {"   ", ""}, {"1", "1"}, {"9", "9"}, {"a", "A"}, {" c ", "C"}, {"F", "F"}};
    for (const auto& [typed, razred] : razredi)
        EXPECT_EQ(classOption(typed), razred) << typed;
    for (const char* wrong : {"0", "G", "Z", "%", "_", "KD", "1 2", "'"})
        EXPECT_THROW(classOption(wrong), UsageError) << wrong;
}

} // namespace
} // namespace orv
