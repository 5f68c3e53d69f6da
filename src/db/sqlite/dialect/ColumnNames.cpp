#include "db/sqlite/dialect/ColumnNames.h"

#include "db/sqlite/dialect/LetterCase.h"

namespace orv::sqlite {

namespace {

// The bank's database keeps at most this many bytes of a derived column name.
constexpr size_t kMaxNameBytes = 128;

bool isName(const Token& token) {
    return token.kind == Token::Kind::Word || token.kind == Token::Kind::QuotedIdent;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Cuts the text to at most `bytes` bytes without splitting a UTF-8 character.
void cutUtf8(std::string& text, size_t bytes) {
    if (text.size() <= bytes) return;
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

// The raw text of the tokens [first, last) as the bank's database names the expression.
std::string itemName(std::string_view sql, const std::vector<PlacedToken>& placed, size_t first,
                     size_t last) {
    std::string name;
    for (size_t i = first; i < last; ++i) {
        const std::string_view raw = sql.substr(placed[i].begin, placed[i].end - placed[i].begin);
        if (placed[i].token.kind == Token::Kind::QuotedIdent) {
            name += raw;
            continue;
        }
        for (char c : upperText(raw))
            if (!isBlank(c)) name += c;
    }
    cutUtf8(name, kMaxNameBytes);
    return name;
}

// A plain column reference: name(.name)*.
bool isColumnReference(const std::vector<PlacedToken>& placed, size_t first, size_t last) {
    if ((last - first) % 2 == 0) return false;
    for (size_t i = first; i < last; ++i) {
        const Token& token = placed[i].token;
        if ((i - first) % 2 == 0 ? !isName(token) : !token.isOperator(".")) return false;
    }
    // ROWNUM and SYSDATE read as names but are rewritten into calls; NULL may stand for ''.
    const Token& only = placed[first].token;
    return last - first > 1 ||
           !(only.isWord("ROWNUM") || only.isWord("SYSDATE") || only.isWord("NULL"));
}

// True when the item ends in an alias: a name after a complete operand, with or without AS.
bool hasAlias(const std::vector<PlacedToken>& placed, size_t first, size_t last) {
    if (last - first < 2) return false;
    const Token& end = placed[last - 1].token;
    const Token& before = placed[last - 2].token;
    if (!isName(end) || end.isWord("END") || end.isWord("NULL")) return false;
    return before.isOperator(")") || before.isLiteral() || isName(before) ||
           before.kind == Token::Kind::Bind;
}

// True when the item [first, last) is an expression the bank's database names by its text.
bool needsName(const std::vector<PlacedToken>& placed, size_t first, size_t last) {
    if (first >= last || placed[last - 1].token.isOperator("*")) return false;
    return !isColumnReference(placed, first, last) && !hasAlias(placed, first, last);
}

// One past the first select list's items, and where each item ends; empty when the statement is
// no query.
std::vector<size_t> selectItemEnds(const std::vector<PlacedToken>& placed, size_t& first) {
    size_t i = 0;
    while (i < placed.size() && placed[i].token.isOperator("(")) // (SELECT ...) UNION ...
        ++i;
    if (i >= placed.size() || !placed[i].token.isWord("SELECT")) return {};
    ++i;
    if (i < placed.size() && (placed[i].token.isWord("DISTINCT") || placed[i].token.isWord("ALL") ||
                              placed[i].token.isWord("UNIQUE")))
        ++i;
    first = i;
    std::vector<size_t> ends;
    int depth = 0;
    for (; i < placed.size(); ++i) {
        const Token& token = placed[i].token;
        if (token.isOperator("(") || token.isWord("CASE")) ++depth;
        if (token.isOperator(")") || token.isWord("END")) --depth;
        if (depth < 0) break;
        if (depth > 0) continue;
        if (token.isWord("FROM") || token.isWord("INTO") || token.isOperator(";")) break;
        if (token.isOperator(",")) ends.push_back(i);
    }
    ends.push_back(i);
    return ends;
}

} // namespace

std::string expressionColumnName(std::string_view text) {
    std::vector<PlacedToken> placed = tokenizePlaced(text);
    return itemName(text, placed, 0, placed.size());
}

std::vector<Token> nameExpressionColumns(std::string_view sql,
                                         const std::vector<PlacedToken>& placed) {
    size_t first = 0;
    const std::vector<size_t> ends = selectItemEnds(placed, first);
    std::vector<Token> tokens;
    tokens.reserve(placed.size() + 2 * ends.size());
    size_t next = 0; // the next item end to look at
    for (size_t i = 0; i <= placed.size(); ++i) {
        if (next < ends.size() && ends[next] == i) {
            if (needsName(placed, first, i)) {
                tokens.push_back(makeWord("AS"));
                tokens.push_back(
                    Token{Token::Kind::QuotedIdent, itemName(sql, placed, first, i), false});
            }
            first = i + 1;
            ++next;
        }
        if (i < placed.size()) tokens.push_back(placed[i].token);
    }
    return tokens;
}

} // namespace orv::sqlite
