#pragma once
// Splitting a script into statements, as the SQL console reads it: a statement ends at a ';'
// at the end of a line or at a line holding only '/'; the last one needs no terminator.

#include <string>
#include <vector>

namespace orv {

/// The statements of a script, without their terminators; empty statements are dropped.
std::vector<std::string> splitStatements(const std::string& script);

} // namespace orv
