#pragma once
// The options that the headless commands take alike: the reporting date (--dan), the account
// class (--vknt), the PASSWORD argument, and the walk over a command's arguments.

#include "base/Datum.h"

#include <functional>
#include <string>
#include <vector>

namespace orv {

/// The usage lines of the PASSWORD argument, the same in every command that logs on.
inline constexpr const char* kPasswordUsage =
    "PASSWORD '-' takes the password from ORVELNOST_GESLO when it is set, else reads it\n"
    "from standard input (or asks for it on a terminal).\n";

/// Takes the value of the option being read; throws UsageError when the arguments end first.
using OptionValue = std::function<std::string()>;

/// Walks a command's arguments: each one that starts with "--" goes to `option` with its name
/// and the means to take its value, the others are returned in their order.
std::vector<std::string>
readArguments(int argc, char** argv,
              const std::function<void(const std::string& name, const OptionValue& value)>& option);

/// The date typed for --dan (d.m.yyyy); throws UsageError when it is no date.
DateValue dateOption(const std::string& typed);

/// The account class typed for --vknt (see razredKontov), empty for every class; throws
/// UsageError for a text that is no class.
std::string classOption(const std::string& typed);

} // namespace orv
