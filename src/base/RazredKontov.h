#pragma once
// The account class (VKNT) as an operator types it, checked alike by every command.

#include <optional>
#include <string>
#include <string_view>

namespace orv {

/// The account class of `typed`, trimmed and in upper case: one of "1" to "9" and "A" to "F",
/// or "" when `typed` is blank (the commands read that as every class). Anything else, a
/// blank inside, a wildcard of LIKE or two characters, gives nullopt.
std::optional<std::string> razredKontov(std::string_view typed);

/// The refusal of a class text that razredKontov does not take, naming it.
std::string neznanRazredKontov(std::string_view typed);

} // namespace orv
