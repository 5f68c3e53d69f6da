#pragma once
// Splicing texts into statement texts: the one quoting rule of the program.

#include <string>
#include <string_view>

namespace orv {

/// A text as a quoted literal of a statement: between single quotes, every quote inside doubled.
/// A key holding a quote then compares as the text it is instead of ending the literal early and
/// breaking (or rewriting) the statement.
std::string sqlText(std::string_view text);

} // namespace orv
