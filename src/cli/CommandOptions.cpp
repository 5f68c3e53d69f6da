#include "cli/CommandOptions.h"

#include "base/RazredKontov.h"
#include "cli/CommandLine.h"

namespace orv {

std::vector<std::string> readArguments(
    int argc, char** argv,
    const std::function<void(const std::string& name, const OptionValue& value)>& option) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) != 0) {
            positional.push_back(argument);
            continue;
        }
        const OptionValue value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(argument + " needs a value");
            return argv[++i];
        };
        option(argument, value);
    }
    return positional;
}

DateValue dateOption(const std::string& typed) {
    const auto date = parseDate(typed);
    if (!date) throw UsageError("--dan needs a date d.m.yyyy, not '" + typed + "'");
    return *date;
}

std::string classOption(const std::string& typed) {
    const std::optional<std::string> razred = razredKontov(typed);
    if (!razred) throw UsageError(neznanRazredKontov(typed));
    return *razred;
}

} // namespace orv
