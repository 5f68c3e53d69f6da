#include "db/odbc/PostgresRownum.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/SelectClauses.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace orv::odbc::pg {

namespace {

bool isRownum(const Node& node) {
    return node.isWord("ROWNUM");
}

std::optional<double> numberOf(const Node& node) {
    if (!node.isLeaf() || node.token.kind != Token::Kind::Number) return std::nullopt;
    return std::strtod(node.token.text.c_str(), nullptr);
}

// How many rows a condition ROWNUM <op> n lets through: the bank's database numbers a row only
// when it passes, so the rows up to the first number the condition rejects.
std::optional<long long> rownumLimit(const Nodes& term) {
    if (term.size() != 3) return std::nullopt;
    std::string op;
    std::optional<double> n;
    if (isRownum(term[0]) && term[1].isLeaf()) {
        op = term[1].token.text;
        n = numberOf(term[2]);
    } else if (isRownum(term[2]) && term[1].isLeaf()) {
        // n >= ROWNUM is ROWNUM <= n.
        const std::string flipped = term[1].token.text;
        op = flipped == "<"    ? ">"
             : flipped == ">"  ? "<"
             : flipped == "<=" ? ">="
             : flipped == ">=" ? "<="
                               : flipped;
        n = numberOf(term[0]);
    }
    if (!n) return std::nullopt;
    const double v = *n;
    constexpr long long kAll = -1;
    if (op == "<=") return v < 1 ? 0 : static_cast<long long>(std::floor(v));
    if (op == "<") return v <= 1 ? 0 : static_cast<long long>(std::ceil(v)) - 1;
    if (op == "=") return v == 1 ? 1 : 0;
    if (op == ">") return v < 1 ? kAll : 0;
    if (op == ">=") return v <= 1 ? kAll : 0;
    if (op == "<>" || op == "!=")
        return v < 1 || v != std::floor(v) ? kAll : static_cast<long long>(v) - 1;
    return std::nullopt;
}

bool containsRownum(const Nodes& nodes) {
    for (const Node& node : nodes) {
        if (isRownum(node)) return true;
        if (!node.isLeaf() && containsRownum(node.children)) return true;
    }
    return false;
}

void replaceRownum(Nodes& nodes, bool grouped) {
    for (Node& node : nodes) {
        if (!node.isLeaf()) {
            if (!(node.kind == Node::Kind::Paren && !node.children.empty() &&
                  node.children[0].isWord("SELECT")))
                replaceRownum(node.children, grouped);
            continue;
        }
        if (!isRownum(node)) continue;
        // A grouped block gives each row a group of its own with a fresh negative number, which
        // no real key is; elsewhere the row's number within the result.
        node = grouped ? sqlite::paren({sqlite::op("-"), sqlite::word("nextval"),
                                        sqlite::paren({internalString("orv_rownum")})})
                       : sqlite::paren({sqlite::word("row_number"), sqlite::paren({}),
                                        sqlite::word("OVER"), sqlite::paren({})});
    }
}

// A block whose rows are grouped, made distinct or aggregated: the bank's database numbers the
// rows before that, the server could only limit the rows after it.
bool combinesRows(const Nodes& nodes, const sqlite::SelectClauses& block) {
    if (hasWordAtTop(nodes, block.select, block.end, "GROUP") ||
        hasWordAtTop(nodes, block.select, block.end, "DISTINCT"))
        return true;
    const size_t listEnd = block.from == sqlite::SelectClauses::none ? block.end : block.from;
    for (size_t i = block.select; i < listEnd; ++i)
        for (const char* aggregate : {"COUNT", "SUM", "MIN", "MAX", "AVG"})
            if (isCallOf(nodes, i, aggregate)) return true;
    return false;
}

// A ROWNUM condition in such a block: one that lets no row through (ROWNUM > 1) or every row
// (ROWNUM >= 1) is false or true whatever the numbers; any other would silently keep every row,
// and is refused instead. The condition keeps its length, so the block's clauses stay where
// they were found.
void rownumBeforeCombining(Nodes& nodes, const sqlite::SelectClauses& block) {
    if (block.where == sqlite::SelectClauses::none || !combinesRows(nodes, block)) return;
    const Nodes condition(nodes.begin() + static_cast<long>(block.where + 1),
                          nodes.begin() + static_cast<long>(block.whereEnd));
    if (!containsRownum(condition)) return;
    std::vector<Nodes> terms = sqlite::splitOnAnd(condition);
    for (Nodes& term : terms) {
        if (!containsRownum(term)) continue;
        const std::optional<long long> limit = rownumLimit(term);
        if (!limit || *limit > 0)
            throw DatabaseError("ORA-00904: \"ROWNUM\": invalid identifier (this server cannot "
                                "number the rows of a grouped or aggregated query before it "
                                "combines them)");
        const char* answer = *limit == 0 ? "FALSE" : "TRUE";
        term = Nodes{sqlite::paren({sqlite::word(answer)})};
    }
    Nodes rewritten = sqlite::joinWithAnd(terms);
    const Nodes tail(nodes.begin() + static_cast<long>(block.whereEnd), nodes.end());
    nodes.erase(nodes.begin() + static_cast<long>(block.where + 1), nodes.end());
    nodes.insert(nodes.end(), rewritten.begin(), rewritten.end());
    nodes.insert(nodes.end(), tail.begin(), tail.end());
}

// Where the block's own ORDER BY starts; nodes.size() when it has none.
size_t orderByAt(const Nodes& nodes) {
    for (size_t i = 0; i + 1 < nodes.size(); ++i)
        if (nodes[i].isWord("ORDER") && nodes[i + 1].isWord("BY")) return i;
    return nodes.size();
}

// An ORDER BY term as a query around the block sees it: a position or a column name of the
// block's result (t.x is x there); nullopt for an expression, which only the block could compute.
std::optional<Nodes> outerOrderTerm(Nodes term) {
    if (term.empty()) return std::nullopt;
    size_t end = sqlite::nameChainEnd(term, 0);
    if (term[0].isLeaf() && term[0].token.kind == Token::Kind::Number) end = 1;
    if (end == 0) return std::nullopt;
    for (size_t i = end; i < term.size(); ++i)
        if (!(term[i].isWord("ASC") || term[i].isWord("DESC") || term[i].isWord("NULLS") ||
              term[i].isWord("FIRST") || term[i].isWord("LAST")))
            return std::nullopt;
    if (end > 1) term.erase(term.begin(), term.begin() + static_cast<long>(end - 1));
    return term;
}

// The bank's database numbers the rows before it orders them: WHERE ROWNUM <= n ORDER BY x takes
// n rows as they are found and orders those. A LIMIT after the ORDER BY takes the first n of the
// ordered rows, which is one of those answers, unless the rows show their numbers: then the
// numbers must be those of the rows taken (SELECT ROWNUM r ... WHERE ROWNUM <= 2 ORDER BY r DESC
// gives 2 and 1), so the rows are limited in a block of their own and ordered around it.
void limitBeforeOrdering(Nodes& nodes, long long limit, bool rowsShowTheirNumbers) {
    const size_t order = rowsShowTheirNumbers ? orderByAt(nodes) : nodes.size();
    Nodes orderTerms;
    if (order < nodes.size()) {
        const Nodes written(nodes.begin() + static_cast<long>(order + 2), nodes.end());
        std::vector<Nodes> terms;
        for (Nodes& term : sqlite::splitOnCommas(written)) {
            std::optional<Nodes> outer = outerOrderTerm(std::move(term));
            if (!outer)
                throw DatabaseError("ORA-00904: \"ROWNUM\": invalid identifier (this server "
                                    "cannot number the rows before it orders them by an "
                                    "expression; order by a column of the result)");
            terms.push_back(std::move(*outer));
        }
        orderTerms = sqlite::joinWithCommas(terms);
        nodes.erase(nodes.begin() + static_cast<long>(order), nodes.end());
    }
    nodes.push_back(sqlite::word("LIMIT"));
    nodes.push_back(sqlite::leaf(Token{Token::Kind::Number, std::to_string(limit), false}));
    if (orderTerms.empty()) return;
    Nodes wrapped{sqlite::word("SELECT"),  sqlite::op("*"),
                  sqlite::word("FROM"),    sqlite::paren(std::move(nodes)),
                  sqlite::word("orv_top"), sqlite::word("ORDER"),
                  sqlite::word("BY")};
    wrapped.insert(wrapped.end(), orderTerms.begin(), orderTerms.end());
    nodes = std::move(wrapped);
}

} // namespace

// ROWNUM in the SELECTs of a level. In a level of one plain SELECT a condition on it becomes a
// LIMIT; every other use is a row number (in a grouped SELECT a fresh negative one).
void rewriteRownum(Nodes& nodes) {
    if (!containsRownum(nodes)) return;
    const std::vector<sqlite::SelectClauses> selects = sqlite::findSelects(nodes);
    if (selects.size() != 1) {
        // Branches of a set operation: each gets its numbers; a condition on ROWNUM in a branch
        // is left for the server to refuse.
        // From the last branch back, so that a branch's condition that changes its length
        // leaves the places of the branches before it as they were found.
        for (auto found = selects.rbegin(); found != selects.rend(); ++found) {
            const sqlite::SelectClauses& block = *found;
            const size_t before = nodes.size();
            rownumBeforeCombining(nodes, block);
            const size_t end = block.end + nodes.size() - before;
            const bool grouped = hasWordAtTop(nodes, block.select, end, "GROUP") ||
                                 hasWordAtTop(nodes, block.select, end, "DISTINCT");
            Nodes range(std::make_move_iterator(nodes.begin() + static_cast<long>(block.select)),
                        std::make_move_iterator(nodes.begin() + static_cast<long>(end)));
            replaceRownum(range, grouped);
            std::move(range.begin(), range.end(), nodes.begin() + static_cast<long>(block.select));
        }
        return;
    }
    rownumBeforeCombining(nodes, selects[0]);
    const sqlite::SelectClauses block = sqlite::findSelects(nodes)[0];
    const size_t listEnd = block.from == sqlite::SelectClauses::none ? block.end : block.from;
    const bool rowsShowTheirNumbers =
        containsRownum(Nodes(nodes.begin() + static_cast<long>(block.select),
                             nodes.begin() + static_cast<long>(listEnd)));
    const bool grouped = hasWordAtTop(nodes, block.select, block.end, "GROUP") ||
                         hasWordAtTop(nodes, block.select, block.end, "DISTINCT");
    std::optional<long long> limit;
    if (block.where != sqlite::SelectClauses::none && !grouped) {
        const Nodes condition(nodes.begin() + static_cast<long>(block.where + 1),
                              nodes.begin() + static_cast<long>(block.whereEnd));
        std::vector<Nodes> kept;
        for (Nodes& term : sqlite::splitOnAnd(condition)) {
            const std::optional<long long> termLimit = rownumLimit(term);
            if (!termLimit) {
                kept.push_back(std::move(term));
                continue;
            }
            if (*termLimit >= 0) limit = limit ? std::min(*limit, *termLimit) : *termLimit;
            if (!limit) limit = -1;
        }
        Nodes rest;
        if (!kept.empty()) {
            rest.push_back(sqlite::word("WHERE"));
            Nodes joined = sqlite::joinWithAnd(kept);
            rest.insert(rest.end(), joined.begin(), joined.end());
        }
        nodes.erase(nodes.begin() + static_cast<long>(block.where),
                    nodes.begin() + static_cast<long>(block.whereEnd));
        nodes.insert(nodes.begin() + static_cast<long>(block.where), rest.begin(), rest.end());
    }
    replaceRownum(nodes, grouped);
    if (limit && *limit >= 0) limitBeforeOrdering(nodes, *limit, rowsShowTheirNumbers);
}

} // namespace orv::odbc::pg
