#include "db/sqlite/dialect/StatementRewrites.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionCatalogue.h"
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

void rewriteSysdate(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        const bool sysdate = nodes[i].isWord("SYSDATE");
        if (!sysdate && !nodes[i].isWord("USER")) continue;
        const bool qualified = i > 0 && nodes[i - 1].isOperator(".");
        const bool followed = i + 1 < nodes.size() && (nodes[i + 1].isOperator(".") ||
                                                       nodes[i + 1].kind == Node::Kind::Paren);
        if (qualified || followed) continue;
        // CREATE USER and GRANT ... TO USER name no column.
        if (!sysdate && i > 0 &&
            (nodes[i - 1].isWord("CREATE") || nodes[i - 1].isWord("ALTER") ||
             nodes[i - 1].isWord("DROP")))
            continue;
        nodes[i] = word(sysdate ? "orv_sysdate" : "orv_user");
        Node noArguments = paren({});
        noArguments.collateDatum = sysdate && returnsDate("orv_sysdate");
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

// True when a node ends an operand at this level: nothing, a keyword (AND, OR, THEN, ...) or a
// comma stands there.
bool operandBoundary(const Nodes& nodes, size_t i) {
    return i >= nodes.size() || isReservedWord(nodes[i]) || nodes[i].isOperator(",");
}

bool plainColumnChain(const Nodes& nodes, size_t start, size_t end) {
    return end > start && nameChainEnd(nodes, start) == end && !nodes[start].isWord("NULL");
}

// The plain column (a or a.b) that ends just before `comparison`, standing alone as its operand.
bool columnBefore(const Nodes& nodes, size_t comparison) {
    if (comparison == 0 || !isName(nodes[comparison - 1])) return false;
    size_t start = comparison - 1;
    while (start >= 2 && nodes[start - 1].isOperator(".") && isName(nodes[start - 2]))
        start -= 2;
    return plainColumnChain(nodes, start, comparison) &&
           (start == 0 || operandBoundary(nodes, start - 1));
}

// The plain column that starts just after `comparison`, standing alone as its operand.
bool columnAfter(const Nodes& nodes, size_t comparison) {
    const size_t start = comparison + 1;
    const size_t end = nameChainEnd(nodes, start);
    return plainColumnChain(nodes, start, end) && operandBoundary(nodes, end);
}

// A row of values (a, b) that ends just before `comparison`: a group holding a comma that is no
// call's argument list.
bool rowValueBefore(const Nodes& nodes, size_t comparison) {
    if (comparison == 0 || nodes[comparison - 1].kind != Node::Kind::Paren) return false;
    if (comparison >= 2 && isName(nodes[comparison - 2])) return false;
    for (const Node& child : nodes[comparison - 1].children)
        if (child.isOperator(",")) return true;
    return false;
}

bool plainComparison(const Node& node) {
    return isComparison(node) && !node.isWord("BETWEEN");
}

} // namespace

void markComparedSubqueries(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        Node& node = nodes[i];
        if (node.kind != Node::Kind::Paren || node.children.empty() ||
            !node.children[0].isWord("SELECT"))
            continue;
        // A subquery compared with a plain column takes the column's own collation (DATUM for a
        // date column, binary for the rest), so it needs no mark. A mark would override the
        // column's collation, and SQLite searches an index only for a comparison in the index's
        // collation: `iddog = (SELECT ...)` would scan the whole table for every row.
        if (i > 0 && plainComparison(nodes[i - 1]) && columnBefore(nodes, i - 1)) continue;
        // SET (a, b) = (SELECT ...) assigns a row of values, which takes no collation.
        if (i > 0 && nodes[i - 1].isOperator("=") && rowValueBefore(nodes, i - 1)) continue;
        if (i + 1 < nodes.size() && plainComparison(nodes[i + 1]) && columnAfter(nodes, i + 1))
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
