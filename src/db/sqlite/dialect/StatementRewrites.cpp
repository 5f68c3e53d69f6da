#include "db/sqlite/dialect/StatementRewrites.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/SelectClauses.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace orv::sqlite {

namespace {

Nodes dualTable() {
    Nodes select;
    select.push_back(word("SELECT"));
    select.push_back(leaf(makeInternalString("X")));
    select.push_back(word("AS"));
    select.push_back(word("DUMMY"));
    Nodes table;
    table.push_back(paren(std::move(select)));
    table.push_back(word("dual"));
    return table;
}

bool isFromItemStart(const Nodes& nodes, size_t i) {
    return i > 0 && (nodes[i - 1].isWord("FROM") || nodes[i - 1].isOperator(",") ||
                     nodes[i - 1].isWord("JOIN"));
}

// A WHERE term "ROWNUM op number" as the number of rows it allows; -1 when it is no such term.
long long rownumLimit(const Nodes& term) {
    if (term.size() != 3 || !term[0].isWord("ROWNUM") || !term[2].isLeaf() ||
        term[2].token.kind != Token::Kind::Number)
        return -1;
    const long long n = std::atoll(term[2].token.text.c_str());
    if (term[1].isOperator("<=")) return n < 0 ? 0 : n;
    if (term[1].isOperator("<")) return n < 1 ? 0 : n - 1;
    if (term[1].isOperator("=")) return n == 1 ? 1 : 0;
    return -1;
}

// Turns the ROWNUM terms of the WHERE of a lone SELECT into a LIMIT.
void rownumToLimit(Nodes& nodes) {
    std::vector<SelectClauses> selects = findSelects(nodes);
    if (selects.size() != 1 || selects[0].where == SelectClauses::none) return;
    const SelectClauses& s = selects[0];
    const Nodes condition(nodes.begin() + static_cast<long>(s.where + 1),
                          nodes.begin() + static_cast<long>(s.whereEnd));
    std::vector<Nodes> kept;
    long long limit = -1;
    for (Nodes& term : splitOnAnd(condition)) {
        const long long n = rownumLimit(term);
        if (n < 0)
            kept.push_back(std::move(term));
        else
            limit = limit < 0 ? n : std::min(limit, n);
    }
    if (limit < 0) return;
    Nodes tail(nodes.begin() + static_cast<long>(s.whereEnd), nodes.end());
    nodes.erase(nodes.begin() + static_cast<long>(s.where), nodes.end());
    if (!kept.empty()) {
        nodes.push_back(word("WHERE"));
        Nodes rest = joinWithAnd(kept);
        nodes.insert(nodes.end(), rest.begin(), rest.end());
    }
    const bool endsWithSemicolon = !tail.empty() && tail.back().isOperator(";");
    if (endsWithSemicolon) tail.pop_back();
    nodes.insert(nodes.end(), tail.begin(), tail.end());
    nodes.push_back(word("LIMIT"));
    nodes.push_back(leaf(Token{Token::Kind::Number, std::to_string(limit), false}));
    if (endsWithSemicolon) nodes.push_back(op(";"));
}

} // namespace

void rewriteDual(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isWord("DUAL") || !isFromItemStart(nodes, i)) continue;
        if (i + 1 < nodes.size() && nodes[i + 1].isOperator(".")) continue;
        Nodes table = dualTable();
        nodes[i] = std::move(table[0]);
        // Keep an alias the statement gives; else the table keeps the name dual.
        if (i + 1 >= nodes.size() || !isName(nodes[i + 1]))
            nodes.insert(nodes.begin() + static_cast<long>(i + 1), std::move(table[1]));
    }
}

void addUpdateDeleteAlias(Nodes& nodes) {
    size_t table = 0;
    if (nodes.size() > 2 && nodes[0].isWord("UPDATE")) {
        table = 1;
    } else if (nodes.size() > 2 && nodes[0].isWord("DELETE")) {
        // The bank's database also accepts DELETE table without FROM.
        if (!nodes[1].isWord("FROM")) nodes.insert(nodes.begin() + 1, word("FROM"));
        table = 2;
    } else {
        return;
    }
    const size_t end = nameChainEnd(nodes, table);
    if (end == table || end >= nodes.size() || !isName(nodes[end]) || nodes[end].isWord("NULL"))
        return;
    nodes.insert(nodes.begin() + static_cast<long>(end), word("AS"));
}

std::vector<std::string> rownumTables(const Nodes& nodes, const std::string& inherited) {
    std::vector<std::string> tables(nodes.size(), inherited);
    for (const SelectClauses& s : findSelects(nodes)) {
        std::string table;
        if (s.from != SelectClauses::none) {
            size_t end = s.from + 1;
            while (end < s.fromEnd && !nodes[end].isOperator(",") && !isReservedWord(nodes[end]))
                ++end;
            table = fromItemName(Nodes(nodes.begin() + static_cast<long>(s.from + 1),
                                       nodes.begin() + static_cast<long>(end)));
        }
        for (size_t i = s.select; i < s.end; ++i)
            tables[i] = table;
    }
    return tables;
}

void rewriteRownum(Nodes& nodes, const std::string& inherited) {
    rownumToLimit(nodes);
    const std::vector<std::string> tables = rownumTables(nodes, inherited);
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isWord("ROWNUM")) continue;
        const std::string& table = i < tables.size() ? tables[i] : std::string();
        if (table.empty()) throw DatabaseError("ORA-00904: \"ROWNUM\": invalid identifier");
        // Negative, so that the number never equals a real key the statement compares it with
        // (the statements put ROWNUM and deal ids in one grouping column).
        Nodes rowid;
        rowid.push_back(op("-"));
        rowid.push_back(word(table));
        rowid.push_back(op("."));
        rowid.push_back(word("ROWID"));
        nodes[i] = paren(std::move(rowid));
    }
}

void rewriteSysdate(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isWord("SYSDATE")) continue;
        const bool qualified = i > 0 && nodes[i - 1].isOperator(".");
        const bool followed = i + 1 < nodes.size() && (nodes[i + 1].isOperator(".") ||
                                                       nodes[i + 1].kind == Node::Kind::Paren);
        if (qualified || followed) continue;
        nodes[i] = word("orv_sysdate");
        Node noArguments = paren({});
        noArguments.collateDatum = true;
        nodes.insert(nodes.begin() + static_cast<long>(i + 1), std::move(noArguments));
    }
}

namespace {

// yyyy-mm-dd (one or two digits for month and day) as the canonical date text; empty when the
// text is no valid date.
std::string ansiDateText(const std::string& text) {
    int year = 0, month = 0, day = 0;
    char dash1 = 0, dash2 = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d%c%2d%c%2d%n", &year, &dash1, &month, &dash2, &day,
                    &consumed) != 5 ||
        dash1 != '-' || dash2 != '-' || static_cast<size_t>(consumed) != text.size())
        return {};
    const std::string dotted =
        std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
    DateParts parts;
    if (year < 1000 || readDateText(dotted, parts) != DateTextError::None) return {};
    return canonicalDateText(parts);
}

} // namespace

void rewriteDateLiterals(Nodes& nodes) {
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (!nodes[i].isWord("DATE") || !nodes[i + 1].isLeaf() ||
            nodes[i + 1].token.kind != Token::Kind::String)
            continue;
        std::string text = ansiDateText(nodes[i + 1].token.text);
        if (text.empty()) throw DatabaseError("ORA-01861: literal does not match format string");
        Token literal = nodes[i + 1].token;
        literal.text = std::move(text);
        nodes[i] = leaf(std::move(literal));
        nodes[i].collateDatum = true; // compared with a text, it compares as a date
        nodes.erase(nodes.begin() + static_cast<long>(i + 1));
    }
}

void markCaseResults(Nodes& nodes) {
    for (Node& node : nodes)
        if (node.kind == Node::Kind::Case) node.collateDatum = true;
}

namespace {

bool isComparison(const Node& node) {
    for (const char* comparison : {"=", "<>", "!=", "^=", "<", ">", "<=", ">="})
        if (node.isOperator(comparison)) return true;
    return node.isWord("BETWEEN");
}

} // namespace

void markComparedSubqueries(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        Node& node = nodes[i];
        if (node.kind != Node::Kind::Paren || node.children.empty() ||
            !node.children[0].isWord("SELECT"))
            continue;
        if ((i > 0 && isComparison(nodes[i - 1])) ||
            (i + 1 < nodes.size() && isComparison(nodes[i + 1])))
            node.collateDatum = true;
    }
}

void rewriteMinus(Nodes& nodes) {
    for (Node& node : nodes)
        if (node.isWord("MINUS")) node = word("EXCEPT");
}

} // namespace orv::sqlite
