#pragma once
// Where a command's password comes from. A password given on the command line is visible to
// every user of the machine in the process list, so the commands also take it from the
// environment or from standard input.

#include <istream>
#include <optional>
#include <string>

namespace orv {

/// The environment variable that holds the password for a PASSWORD argument of "-".
inline constexpr const char* kPasswordVariable = "ORVELNOST_GESLO";

/// The password that the PASSWORD argument stands for: the argument itself, except for "-",
/// which means ORVELNOST_GESLO when it is set, else one line of standard input, or when standard
/// input is a terminal a prompt on standard error without echo. Throws std::runtime_error when
/// standard input ends before a password, or when the prompt is interrupted.
std::string passwordFromArgument(const std::string& argument);

/// Reads one line from the terminal on standard input without echo, after writing `prompt` to
/// standard error. The terminal's echo comes back when the line is read and also when the
/// program is interrupted or terminated while waiting (the signal then takes its course).
/// Empty when the input ended.
std::optional<std::string> readHiddenLine(const std::string& prompt);

/// One line of `in` without its line end; empty when the input ended.
std::optional<std::string> readOneLine(std::istream& in);

} // namespace orv
