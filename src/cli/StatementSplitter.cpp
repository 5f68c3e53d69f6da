#include "cli/StatementSplitter.h"

#include "base/Besedilo.h"

#include <sstream>

namespace orv {

namespace {

// Tracks whether the script is inside a quoted text or a block comment across lines, and finds
// where a line's own "-- comment" starts, so that a ';' inside either does not end a statement.
struct LexicalState {
    bool inText = false;
    bool inBlockComment = false;

    // Scans one line; returns the position where its code ends (start of a -- comment or end).
    size_t scan(const std::string& line) {
        size_t i = 0;
        while (i < line.size()) {
            if (inBlockComment) {
                if (line.compare(i, 2, "*/") == 0) {
                    inBlockComment = false;
                    i += 2;
                } else {
                    ++i;
                }
            } else if (inText) {
                if (line[i] == '\'') {
                    if (i + 1 < line.size() && line[i + 1] == '\'')
                        ++i;
                    else
                        inText = false;
                }
                ++i;
            } else if (line[i] == '\'') {
                inText = true;
                ++i;
            } else if (line.compare(i, 2, "--") == 0) {
                return i;
            } else if (line.compare(i, 2, "/*") == 0) {
                inBlockComment = true;
                i += 2;
            } else {
                ++i;
            }
        }
        return line.size();
    }
};

void finish(std::vector<std::string>& statements, std::string& current) {
    if (!trim(current).empty()) statements.push_back(current);
    current.clear();
}

} // namespace

std::vector<std::string> splitStatements(const std::string& script) {
    std::vector<std::string> statements;
    std::string current;
    LexicalState state;
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const bool freeCode = !state.inText && !state.inBlockComment;
        if (freeCode && trim(line) == "/") {
            finish(statements, current);
            continue;
        }
        const size_t codeEnd = state.scan(line);
        const bool ends = !state.inText && !state.inBlockComment;
        std::string code = line.substr(0, codeEnd);
        const std::string trimmedCode = trim(code);
        if (ends && !trimmedCode.empty() && trimmedCode.back() == ';') {
            code.erase(code.find_last_of(';'));
            current += code;
            finish(statements, current);
            continue;
        }
        current += line + "\n";
    }
    finish(statements, current);
    // A statement read to its end keeps no trailing line break.
    for (std::string& statement : statements)
        while (!statement.empty() && (statement.back() == '\n' || statement.back() == ' '))
            statement.pop_back();
    return statements;
}

} // namespace orv
