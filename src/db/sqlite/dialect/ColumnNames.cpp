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
    // ROWNUM, SYSDATE and USER read as names but are rewritten into calls; NULL may stand for
    // ''.
    const Token& only = placed[first].token;
    return last - first > 1 || !(only.isWord("ROWNUM") || only.isWord("SYSDATE") ||
                                 only.isWord("USER") || only.isWord("NULL"));
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

// Words that read as column names but are not columns: the rewrites turn them into calls, and
// NULL may stand for ''. They are named by their text like any expression.
bool isPseudoColumn(const Token& token) {
    return token.isWord("ROWNUM") || token.isWord("SYSDATE") || token.isWord("NULL") ||
           token.isWord("ROWID") || token.isWord("USER");
}

// One select list: where its items start, and where each item ends.
struct SelectList {
    size_t first = 0;
    std::vector<size_t> ends;
};

// The select list that starts after the SELECT at `select`.
SelectList selectListAfter(const std::vector<PlacedToken>& placed, size_t select) {
    SelectList list;
    size_t i = select + 1;
    if (i < placed.size() && (placed[i].token.isWord("DISTINCT") || placed[i].token.isWord("ALL") ||
                              placed[i].token.isWord("UNIQUE")))
        ++i;
    list.first = i;
    int depth = 0;
    for (; i < placed.size(); ++i) {
        const Token& token = placed[i].token;
        if (token.isOperator("(") || token.isWord("CASE")) ++depth;
        if (token.isOperator(")") || token.isWord("END")) --depth;
        if (depth < 0) break;
        if (depth > 0) continue;
        if (token.isWord("FROM") || token.isWord("INTO") || token.isOperator(";")) break;
        if (token.isOperator(",")) list.ends.push_back(i);
    }
    list.ends.push_back(i);
    return list;
}

// What one select-list item needs so that its column carries the bank database's name.
enum class Naming { AsWritten, AddName, AddColumnName, UpperAlias };

Naming namingOf(const std::vector<PlacedToken>& placed, size_t first, size_t last) {
    if (first >= last || placed[last - 1].token.isOperator("*")) return Naming::AsWritten;
    if (hasAlias(placed, first, last))
        return placed[last - 1].token.kind == Token::Kind::Word ? Naming::UpperAlias
                                                                : Naming::AsWritten;
    if (!isColumnReference(placed, first, last)) return Naming::AddName;
    // A column: SQLite names it as the table declares it, or as a subquery's list writes it;
    // the bank's database in upper case, unless the name is quoted.
    const Token& name = placed[last - 1].token;
    return name.kind == Token::Kind::Word && !isPseudoColumn(name) ? Naming::AddColumnName
                                                                   : Naming::AsWritten;
}

} // namespace

std::string expressionColumnName(std::string_view text) {
    std::vector<PlacedToken> placed = tokenizePlaced(text);
    return itemName(text, placed, 0, placed.size());
}

std::vector<Token> nameExpressionColumns(std::string_view sql,
                                         const std::vector<PlacedToken>& placed) {
    // Every select list: the outer query's names its result; a subquery's names the columns an
    // outer `*` shows.
    std::vector<Naming> namingAt(placed.size() + 1, Naming::AsWritten);
    std::vector<size_t> itemStart(placed.size() + 1, 0);
    for (size_t select = 0; select < placed.size(); ++select) {
        if (!placed[select].token.isWord("SELECT")) continue;
        const SelectList list = selectListAfter(placed, select);
        size_t first = list.first;
        for (const size_t end : list.ends) {
            namingAt[end] = namingOf(placed, first, end);
            itemStart[end] = first;
            first = end + 1;
        }
    }
    std::vector<Token> tokens;
    tokens.reserve(placed.size() + 16);
    for (size_t i = 0; i <= placed.size(); ++i) {
        if (namingAt[i] == Naming::AddName) {
            tokens.push_back(makeWord("AS"));
            tokens.push_back(
                Token{Token::Kind::QuotedIdent, itemName(sql, placed, itemStart[i], i), false});
        } else if (namingAt[i] == Naming::AddColumnName) {
            tokens.push_back(makeWord("AS"));
            tokens.push_back(
                Token{Token::Kind::QuotedIdent, upperText(placed[i - 1].token.text), false});
        } else if (namingAt[i] == Naming::UpperAlias) {
            tokens.back() = Token{Token::Kind::QuotedIdent, upperText(tokens.back().text), false};
        }
        if (i < placed.size()) tokens.push_back(placed[i].token);
    }
    return tokens;
}

} // namespace orv::sqlite
