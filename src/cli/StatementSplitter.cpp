#include "cli/StatementSplitter.h"

#include "db/sqlite/StatementLimits.h"
#include "db/sqlite/dialect/Tokenizer.h"

#include <algorithm>
#include <string_view>

namespace orv {

namespace {

using sqlite::PlacedToken;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The script as the tokenizer reads it: without a leading byte-order mark (an editor's, not
// part of the first statement) and with CR LF line ends as plain LF, as a debug file of the
// program has them.
std::string normalized(const std::string& script) {
    std::string_view text = script;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
    return result;
}

size_t lineOf(const std::string& script, size_t offset) {
    const auto end = script.begin() + static_cast<std::ptrdiff_t>(std::min(offset, script.size()));
    return static_cast<size_t>(std::count(script.begin(), end, '\n')) + 1;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// A '/' that stands alone on its line ends a statement; elsewhere it divides.
bool isSlashLine(const std::string& script, const PlacedToken& token) {
    if (!token.token.isOperator("/")) return false;
    for (size_t i = token.begin; i > 0 && script[i - 1] != '\n'; --i)
        if (!isBlank(script[i - 1])) return false;
    for (size_t i = token.end; i < script.size() && script[i] != '\n'; ++i)
        if (!isBlank(script[i])) return false;
    return true;
}

} // namespace

std::vector<std::string> splitStatements(const std::string& input) {
    const std::string script = normalized(input);
    // A statement is the text from its first token to the end of its last one: comments
    // inside it stay, blanks and comments around it do not. Only the bounds of the statement
    // being read are kept, not its tokens: a script of any size costs its text and its cut.
    std::vector<std::string> statements;
    bool open = false;
    size_t first = 0;
    size_t last = 0;
    auto finish = [&] {
        if (!open) return;
        open = false;
        if (last - first > sqlite::kMaxStatementBytes)
            throw ScriptError("line " + std::to_string(lineOf(script, first)) +
                              ": statement too long: " + std::to_string(last - first) +
                              " bytes, more than the " +
                              std::to_string(sqlite::kMaxStatementBytes) + " a statement may have");
        statements.push_back(script.substr(first, last - first));
    };
    try {
        sqlite::forEachPlacedToken(script, [&](const PlacedToken& token) {
            if (token.token.isOperator(";") || isSlashLine(script, token)) {
                finish();
                return;
            }
            if (!open) first = token.begin;
            open = true;
            last = token.end;
        });
    } catch (const sqlite::TokenizeError& error) {
        throw ScriptError("line " + std::to_string(lineOf(script, error.offset)) + ": " +
                          error.what());
    }
    finish();
    return statements;
}

} // namespace orv
