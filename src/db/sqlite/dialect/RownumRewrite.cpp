#include "db/sqlite/dialect/RownumRewrite.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/RowNumbers.h"
#include "db/sqlite/dialect/SelectClauses.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace orv::sqlite {

namespace {

constexpr long long kAllRows = std::numeric_limits<long long>::max();

bool isSubquery(const Node& node) {
    return node.kind == Node::Kind::Paren && !node.children.empty() &&
           node.children[0].isWord("SELECT");
}

// The pseudo-column, not a column of that name of some table (t.rownum).
bool isRownumAt(const Nodes& nodes, size_t i) {
    return nodes[i].isWord("ROWNUM") && !(i > 0 && nodes[i - 1].isOperator(".")) &&
           !(i + 1 < nodes.size() && nodes[i + 1].isOperator("."));
}

// True when the nodes read ROWNUM, also inside their groups but not inside subqueries, which are
// blocks of their own.
bool containsRownum(const Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].isLeaf() ? isRownumAt(nodes, i)
                              : !isSubquery(nodes[i]) && containsRownum(nodes[i].children))
            return true;
    }
    return false;
}

// orv_rownum.value, or its negation, as one operand.
Node rowNumber(bool negative) {
    Nodes value;
    if (negative) value.push_back(op("-"));
    value.push_back(word(kRowNumberTable));
    value.push_back(op("."));
    value.push_back(word(kRowNumberColumn));
    return paren(std::move(value));
}

// Replaces ROWNUM as containsRownum finds it; returns how many were replaced.
int replaceRownum(Nodes& nodes, bool negative) {
    int replaced = 0;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].isLeaf()) {
            if (!isRownumAt(nodes, i)) continue;
            nodes[i] = rowNumber(negative);
            ++replaced;
        } else if (!isSubquery(nodes[i])) {
            replaced += replaceRownum(nodes[i].children, negative);
        }
    }
    return replaced;
}

// A number literal with an optional sign, from nodes[i]; advances i past it.
bool readNumber(const Nodes& nodes, size_t& i, double& value) {
    double sign = 1.0;
    if (i < nodes.size() && (nodes[i].isOperator("-") || nodes[i].isOperator("+"))) {
        if (nodes[i].isOperator("-")) sign = -1.0;
        ++i;
    }
    if (i >= nodes.size() || !nodes[i].isLeaf() || nodes[i].token.kind != Token::Kind::Number)
        return false;
    const std::string& text = nodes[i].token.text;
    value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value); // any locale's point
    value *= sign;
    ++i;
    return true;
}

std::string mirrored(const std::string& comparison) {
    if (comparison == "<") return ">";
    if (comparison == ">") return "<";
    if (comparison == "<=") return ">=";
    if (comparison == ">=") return "<=";
    return comparison;
}

// How many leading rows "ROWNUM comparison n" lets through: the bank's database offers each row
// the next number, and keeps counting only from rows it took, so the first rejected number stops
// all further rows.
long long leadingRows(const std::string& comparison, double n) {
    const auto whole = [](double x) { return x >= 9e18 ? kAllRows : static_cast<long long>(x); };
    if (comparison == "<=") return n < 1 ? 0 : whole(std::floor(n));
    if (comparison == "<") return n <= 1 ? 0 : whole(std::ceil(n) - 1);
    if (comparison == "=") return n == 1 ? 1 : 0;
    if (comparison == ">=") return n <= 1 ? kAllRows : 0;
    if (comparison == ">") return n < 1 ? kAllRows : 0;
    // <> and !=: rows up to the number itself
    return n >= 1 && n == std::floor(n) ? whole(n - 1) : kAllRows;
}

bool isComparison(const Node& node) {
    for (const char* comparison : {"<=", "<", "=", ">=", ">", "<>", "!="})
        if (node.isOperator(comparison)) return true;
    return false;
}

// A WHERE term "ROWNUM comparison number" or "number comparison ROWNUM": sets the rows it lets
// through. False for any other term.
bool rownumTermRows(const Nodes& term, long long& rows) {
    if (term.size() < 3) return false;
    double n = 0;
    if (isRownumAt(term, 0) && isComparison(term[1])) {
        size_t i = 2;
        if (!readNumber(term, i, n) || i != term.size()) return false;
        rows = leadingRows(term[1].token.text, n);
        return true;
    }
    size_t i = 0;
    if (!readNumber(term, i, n) || i + 2 != term.size() || !isComparison(term[i]) ||
        !isRownumAt(term, i + 1))
        return false;
    rows = leadingRows(mirrored(term[i].token.text), n);
    return true;
}

bool isAggregateCall(const Nodes& nodes, size_t i) {
    if (!isCallAt(nodes, i) || nameChainEnd(nodes, i) != i + 1) return false;
    for (const char* aggregate : {"COUNT", "SUM", "MIN", "MAX", "AVG", "STDDEV", "VARIANCE"})
        if (nodes[i].isWord(aggregate)) return true;
    return false;
}

bool containsAggregate(const Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (isAggregateCall(nodes, i)) return true;
        if (!nodes[i].isLeaf() && !isSubquery(nodes[i]) && containsAggregate(nodes[i].children))
            return true;
    }
    return false;
}

// Where the GROUP BY of a block's clauses after FROM and WHERE lies: [begin, end) in `tail`.
void groupBySpan(const Nodes& tail, size_t& begin, size_t& end) {
    begin = end = tail.size();
    for (size_t i = 0; i + 1 < tail.size(); ++i)
        if (tail[i].isWord("GROUP") && tail[i + 1].isWord("BY")) begin = i;
    if (begin == tail.size()) return;
    end = begin + 2;
    while (end < tail.size() && !tail[end].isWord("HAVING") && !tail[end].isWord("ORDER") &&
           !tail[end].isWord("LIMIT"))
        ++end;
}

// True when a term of the GROUP BY computes its value from ROWNUM and from something else, as
// CASE WHEN ... THEN k.idmaster ELSE ROWNUM END does.
bool groupsByRownumWithOtherValues(const Nodes& groupBy) {
    if (groupBy.size() < 2) return false;
    const std::vector<Nodes> terms = splitOnCommas(Nodes(groupBy.begin() + 2, groupBy.end()));
    return std::any_of(terms.begin(), terms.end(), [](const Nodes& term) {
        return containsRownum(term) && !(term.size() == 1 && isRownumAt(term, 0));
    });
}

bool hasWord(const Nodes& nodes, std::string_view upperWord) {
    return std::any_of(nodes.begin(), nodes.end(),
                       [&](const Node& node) { return node.isWord(upperWord); });
}

bool isRowidAt(const Nodes& nodes, size_t i) {
    return nodes[i].isWord("ROWID") && !(i > 0 && nodes[i - 1].isOperator(".")) &&
           !(i + 1 < nodes.size() && nodes[i + 1].isOperator("."));
}

// Writes each bare ROWID of the nodes as `table`.ROWID, also inside their groups but not inside
// subqueries, which are blocks of their own.
void qualifyRowid(Nodes& nodes, const Node& table) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isLeaf()) {
            if (!isSubquery(nodes[i])) qualifyRowid(nodes[i].children, table);
            continue;
        }
        if (!isRowidAt(nodes, i)) continue;
        nodes.insert(nodes.begin() + static_cast<long>(i), {table, op(".")});
        i += 2;
    }
}

// The name of the block's one table (its alias, or its name), for ROWID to name its rowid; none
// when the FROM list (after its keyword) holds more than one table or a subquery.
std::optional<Node> onlyTable(const Nodes& fromList) {
    const std::vector<Nodes> items = splitOnCommas(Nodes(fromList.begin() + 1, fromList.end()));
    if (items.size() != 1 || hasWord(items[0], "JOIN") || items[0].empty() ||
        !isName(items[0].back()))
        return std::nullopt;
    return items[0].back();
}

Node numberLeaf(long long n) {
    return leaf(Token{Token::Kind::Number, std::to_string(n), false});
}

// The rows are numbered in the order the FROM list gives them. A subquery there that orders its
// rows (the bank's top-n form, SELECT ROWNUM, x FROM (SELECT x ... ORDER BY x DESC)) would be
// merged into the numbering block by SQLite, which drops its order; LIMIT -1 (no limit) keeps it
// a block of its own.
void keepSubqueryOrder(Nodes& fromList) {
    for (Node& item : fromList) {
        if (!isSubquery(item)) continue;
        bool ordered = false, limited = false;
        for (const Node& node : item.children) {
            ordered = ordered || node.isWord("ORDER");
            limited = limited || node.isWord("LIMIT");
        }
        if (!ordered || limited) continue;
        item.children.push_back(word("LIMIT"));
        item.children.push_back(numberLeaf(-1));
    }
}

// Rewrites one query block (its nodes from SELECT to its end). `alone`: the block is the only
// one of its level, so a LIMIT after it limits the block itself.
void rewriteBlock(Nodes& block, bool alone) {
    const SelectClauses s = findSelects(block).front();
    if (s.from == SelectClauses::none)
        throw DatabaseError("ORA-00904: \"ROWNUM\": invalid identifier");
    const size_t tailStart = s.where != SelectClauses::none ? s.whereEnd : s.fromEnd;
    Nodes selectList(block.begin() + static_cast<long>(s.select),
                     block.begin() + static_cast<long>(s.from));
    Nodes fromList(block.begin() + static_cast<long>(s.from),
                   block.begin() + static_cast<long>(s.fromEnd));
    Nodes tail(block.begin() + static_cast<long>(tailStart), block.end());

    // The WHERE terms that compare ROWNUM with a number become the count of leading rows.
    std::vector<Nodes> kept;
    bool limited = false;
    long long rows = kAllRows;
    if (s.where != SelectClauses::none) {
        const Nodes condition(block.begin() + static_cast<long>(s.where + 1),
                              block.begin() + static_cast<long>(s.whereEnd));
        for (Nodes& term : splitOnAnd(condition)) {
            long long termRows = kAllRows;
            if (rownumTermRows(term, termRows)) {
                limited = true;
                rows = std::min(rows, termRows);
            } else {
                kept.push_back(std::move(term));
            }
        }
    }

    size_t groupBegin = 0, groupEnd = 0;
    groupBySpan(tail, groupBegin, groupEnd);
    const bool grouping = groupsByRownumWithOtherValues(Nodes(
        tail.begin() + static_cast<long>(groupBegin), tail.begin() + static_cast<long>(groupEnd)));
    const bool byLimit = alone && groupBegin == tail.size() && !hasWord(tail, "HAVING") &&
                         !hasWord(tail, "ORDER") && selectList.size() > 1 &&
                         !selectList[1].isWord("DISTINCT") && !selectList[1].isWord("UNIQUE") &&
                         !containsAggregate(selectList);

    int readers = replaceRownum(selectList, grouping) + replaceRownum(tail, grouping) +
                  replaceRownum(fromList, false);
    for (Nodes& term : kept)
        readers += replaceRownum(term, false);
    if (limited && rows != kAllRows && !byLimit) {
        Nodes term;
        term.push_back(rowNumber(false));
        term.push_back(op("<="));
        term.push_back(numberLeaf(rows));
        kept.push_back(std::move(term));
        ++readers;
    }

    // SQLite reads a bare ROWID only in a block of one table, and the row-number table joined
    // below is a second one: ROWID names the rowid of the block's own table, so it is written
    // with that table's name.
    if (readers > 0) {
        if (const std::optional<Node> table = onlyTable(fromList)) {
            qualifyRowid(selectList, *table);
            qualifyRowid(tail, *table);
            for (Nodes& term : kept)
                qualifyRowid(term, *table);
        }
    }

    if (readers > 0) keepSubqueryOrder(fromList);
    Nodes rewritten = std::move(selectList);
    rewritten.insert(rewritten.end(), fromList.begin(), fromList.end());
    if (readers > 0) {
        rewritten.push_back(word("CROSS"));
        rewritten.push_back(word("JOIN"));
        rewritten.push_back(word(kRowNumberTable));
    }
    if (!kept.empty()) {
        rewritten.push_back(word("WHERE"));
        const Nodes condition = joinWithAnd(kept);
        rewritten.insert(rewritten.end(), condition.begin(), condition.end());
    }
    rewritten.insert(rewritten.end(), tail.begin(), tail.end());
    const bool limit = limited && rows != kAllRows && byLimit;
    if (limit || (readers > 0 && alone)) {
        // OFFSET keeps SQLite from merging the block into a query around it (where the table
        // would count the rows of the outer join) and from moving the outer WHERE into it
        // (where it would filter before the numbering).
        rewritten.push_back(word("LIMIT"));
        rewritten.push_back(limit ? numberLeaf(rows) : numberLeaf(-1));
        if (readers > 0) {
            rewritten.push_back(word("OFFSET"));
            rewritten.push_back(numberLeaf(0));
        }
    }
    block = std::move(rewritten);
}

} // namespace

void rewriteRownum(Nodes& nodes) {
    const std::vector<SelectClauses> selects = findSelects(nodes);
    // From the last block back, so that the positions of the earlier ones stay valid.
    for (size_t k = selects.size(); k-- > 0;) {
        const SelectClauses& s = selects[k];
        const auto begin = nodes.begin() + static_cast<long>(s.select);
        const auto end = nodes.begin() + static_cast<long>(s.end);
        Nodes block(begin, end);
        if (!containsRownum(block)) continue;
        rewriteBlock(block, selects.size() == 1);
        nodes.erase(begin, end);
        nodes.insert(nodes.begin() + static_cast<long>(s.select), block.begin(), block.end());
    }
}

void checkNoRownumLeft(const Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].isLeaf() && isRownumAt(nodes, i))
            throw DatabaseError("ORA-00904: \"ROWNUM\": invalid identifier");
        if (!nodes[i].isLeaf()) checkNoRownumLeft(nodes[i].children);
    }
}

} // namespace orv::sqlite
