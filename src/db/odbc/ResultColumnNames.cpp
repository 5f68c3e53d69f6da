#include "db/odbc/ResultColumnNames.h"

#include "base/Besedilo.h"
#include "db/DatabaseError.h"
#include "db/odbc/PostgresDialect.h"
#include "db/sqlite/dialect/ColumnNames.h"
#include "db/sqlite/dialect/Tokenizer.h"

namespace orv::odbc {

using sqlite::PlacedToken;
using sqlite::Token;

namespace {

bool isKeyword(const Token& token, std::string_view upperWord) {
    return token.kind == Token::Kind::Word && token.isWord(upperWord);
}

// The name of one select-list item, tokens [first, last).
std::string itemName(std::string_view sql, const std::vector<PlacedToken>& tokens, size_t first,
                     size_t last) {
    if (first >= last) return kServerName;
    const Token& end = tokens[last - 1].token;
    if (end.isOperator("*")) return kAllColumns;
    // A plain column reference: name(.name)*
    bool plain = true;
    for (size_t i = first; i < last; ++i) {
        const bool nameHere = (i - first) % 2 == 0;
        const Token& token = tokens[i].token;
        const bool isNameToken =
            token.kind == Token::Kind::Word || token.kind == Token::Kind::QuotedIdent;
        if (nameHere ? !isNameToken : !token.isOperator(".")) plain = false;
    }
    const bool pseudoColumn = last - first == 1 && (end.isWord("ROWNUM") || end.isWord("SYSDATE") ||
                                                    end.isWord("USER") || end.isWord("NULL"));
    if (plain && (last - first) % 2 == 1 && !pseudoColumn) {
        if (end.isWord("ROWID")) return "ROWID";
        if (end.kind == Token::Kind::QuotedIdent) return end.text;
        return toUpper(end.text);
    }
    // An alias: a name after the expression, with or without AS.
    if (last - first >= 2 &&
        (end.kind == Token::Kind::Word || end.kind == Token::Kind::QuotedIdent) &&
        !tokens[last - 2].token.isOperator(".")) {
        const Token& before = tokens[last - 2].token;
        const bool afterOperand =
            before.isOperator(")") || before.isLiteral() || before.kind == Token::Kind::Word ||
            before.kind == Token::Kind::QuotedIdent || before.kind == Token::Kind::Bind;
        // An unquoted alias is a name like any other: upper case.
        if (afterOperand && !isKeyword(end, "END") && !isKeyword(end, "NULL"))
            return end.kind == Token::Kind::Word ? toUpper(end.text) : end.text;
    }
    // An expression: named as the bank's database names it, as the embedded bank does.
    return sqlite::expressionColumnName(
        sql.substr(tokens[first].begin, tokens[last - 1].end - tokens[first].begin));
}

// The token after `WITH name AS (...) [, name AS (...)]...`: the main query's SELECT.
size_t afterWithClause(const std::vector<PlacedToken>& tokens, size_t with) {
    size_t i = with + 1;
    while (i < tokens.size()) {
        while (i < tokens.size() && !tokens[i].token.isOperator("(")) // name [(columns)] AS
            ++i;
        if (i < tokens.size() && i > 0 && !isKeyword(tokens[i - 1].token, "AS")) {
            int depth = 0; // the list of column names, then AS
            for (; i < tokens.size(); ++i) {
                if (tokens[i].token.isOperator("(")) ++depth;
                if (tokens[i].token.isOperator(")") && --depth == 0) break;
            }
            continue;
        }
        int depth = 0;
        for (; i < tokens.size(); ++i) {
            if (tokens[i].token.isOperator("(")) ++depth;
            if (tokens[i].token.isOperator(")") && --depth == 0) break;
        }
        ++i;
        if (i < tokens.size() && tokens[i].token.isOperator(",")) {
            ++i;
            continue;
        }
        return i;
    }
    return i;
}

// `SELECT * FROM (SELECT ...) [alias]`: the columns the '*' brings are the subquery's, named as
// its own select list names them (the server would name them in lower case, or ?column?).
void nameColumnsOfSubquery(std::string_view sql, const std::vector<PlacedToken>& tokens,
                           size_t from, std::vector<std::string>& names) {
    if (names.size() != 1 || names[0] != kAllColumns) return;
    if (from + 2 >= tokens.size() || !tokens[from + 1].token.isOperator("(") ||
        !isKeyword(tokens[from + 2].token, "SELECT"))
        return;
    int depth = 0;
    size_t close = from + 1;
    for (; close < tokens.size(); ++close) {
        if (tokens[close].token.isOperator("(")) ++depth;
        if (tokens[close].token.isOperator(")") && --depth == 0) break;
    }
    if (close >= tokens.size()) return;
    // Only the subquery itself: an alias may follow, but no join or second table.
    size_t next = close + 1;
    if (next < tokens.size() && tokens[next].token.kind == Token::Kind::Word &&
        !isKeyword(tokens[next].token, "WHERE") && !isKeyword(tokens[next].token, "ORDER") &&
        !isKeyword(tokens[next].token, "GROUP"))
        ++next;
    if (next < tokens.size() &&
        (tokens[next].token.isOperator(",") || isKeyword(tokens[next].token, "JOIN") ||
         isKeyword(tokens[next].token, "LEFT") || isKeyword(tokens[next].token, "INNER")))
        return;
    const size_t begin = tokens[from + 2].begin;
    const std::vector<std::string> inner =
        resultColumnNames(sql.substr(begin, tokens[close].begin - begin));
    for (const std::string& name : inner)
        if (name == kAllColumns || name == kServerName) return;
    if (!inner.empty()) names = inner;
}

} // namespace

std::vector<std::string> resultColumnNames(std::string_view sql) {
    std::vector<PlacedToken> tokens;
    try {
        tokens = sqlite::tokenizePlaced(sql);
    } catch (const DatabaseError&) {
        return {};
    }
    size_t i = 0;
    while (i < tokens.size() && tokens[i].token.isOperator("(")) // (SELECT ...) UNION ...
        ++i;
    if (i < tokens.size() && isKeyword(tokens[i].token, "WITH")) i = afterWithClause(tokens, i);
    if (i >= tokens.size() || !isKeyword(tokens[i].token, "SELECT")) return {};
    ++i;
    if (i < tokens.size() &&
        (isKeyword(tokens[i].token, "DISTINCT") || isKeyword(tokens[i].token, "ALL")))
        ++i;
    std::vector<std::string> names;
    int depth = 0;
    size_t first = i;
    for (; i < tokens.size(); ++i) {
        const Token& token = tokens[i].token;
        if (token.isOperator("(") || isKeyword(token, "CASE")) ++depth;
        if (token.isOperator(")") || isKeyword(token, "END")) --depth;
        if (depth > 0) continue;
        if (depth < 0) return {};
        if (token.isOperator(",") || isKeyword(token, "FROM") || isKeyword(token, "INTO")) {
            names.push_back(itemName(sql, tokens, first, i));
            first = i + 1;
            if (!token.isOperator(",")) {
                if (isKeyword(token, "FROM")) nameColumnsOfSubquery(sql, tokens, i, names);
                return names;
            }
        }
    }
    names.push_back(itemName(sql, tokens, first, tokens.size()));
    return names;
}

std::vector<std::string> nameColumns(const std::vector<std::string>& listed,
                                     const std::vector<std::string>& server) {
    std::vector<std::string> names(server.size());
    std::vector<bool> starred(server.size(), listed.empty());
    size_t stars = 0;
    for (const std::string& name : listed)
        if (name == kAllColumns) ++stars;
    if (!listed.empty() && stars == 0 && listed.size() == server.size()) {
        for (size_t i = 0; i < server.size(); ++i)
            names[i] = listed[i] == kServerName ? toUpper(server[i]) : listed[i];
        return names;
    }
    if (stars == 1 && listed.size() - 1 <= server.size()) {
        size_t star = 0;
        while (listed[star] != kAllColumns)
            ++star;
        const size_t after = listed.size() - star - 1;
        for (size_t i = 0; i < server.size(); ++i) {
            const bool before = i < star;
            const bool behind = i >= server.size() - after;
            if (!before && !behind) {
                starred[i] = true;
                continue;
            }
            const std::string& name =
                before ? listed[i] : listed[star + 1 + (i - (server.size() - after))];
            names[i] = name == kServerName ? toUpper(server[i]) : name;
        }
    } else {
        starred.assign(server.size(), true);
    }
    for (size_t i = 0; i < server.size(); ++i)
        if (starred[i]) names[i] = server[i] == kRowidColumn ? "" : toUpper(server[i]);
    return names;
}

} // namespace orv::odbc
