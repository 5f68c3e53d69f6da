#pragma once
// Splitting a script into statements, as the SQL console reads it: a statement ends at every ';'
// outside texts, quoted names and comments, and at a line holding only '/'; the last one needs
// no terminator. The script is read by the dialect's own tokenizer, so that the console and the
// database agree on where a text or a comment ends.

#include <stdexcept>
#include <string>
#include <vector>

namespace orv {

/// A script that cannot be cut into statements cleanly: the message names the line.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The statements of a script, without their terminators; empty statements are dropped. A
/// leading byte-order mark is skipped. Throws ScriptError for a NUL byte or for an unterminated
/// text, quoted name or comment, naming the line where it starts; nothing of such a script runs.
std::vector<std::string> splitStatements(const std::string& script);

} // namespace orv
