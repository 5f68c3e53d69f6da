#include "db/odbc/PostgresDialect.h"

#include "db/odbc/ConstantCalls.h"
#include "db/odbc/PostgresCalls.h"
#include "db/odbc/PostgresNodes.h"
#include "db/odbc/PostgresRownum.h"
#include "db/odbc/ResultColumnNames.h"
#include "db/sqlite/dialect/CallRewrites.h"
#include "db/sqlite/dialect/OuterJoin.h"
#include "db/sqlite/dialect/SelectClauses.h"
#include "db/sqlite/dialect/StatementRewrites.h"
#include "db/sqlite/dialect/StatementText.h"
#include "db/sqlite/dialect/TokenTree.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace orv::odbc {

using pg::hasWordAtTop;
using pg::internalString;
using pg::isCallOf;
using sqlite::Node;
using sqlite::Nodes;
using sqlite::Token;

namespace {

bool isArithmetic(const Node& node) {
    return node.isOperator("*") || node.isOperator("/") || node.isOperator("+") ||
           node.isOperator("-") || node.isOperator("||");
}

// End (one past) of the operand at i: a primary, or a sign and a primary ('x' || -0.25); i
// when no operand starts there.
size_t signedPrimaryEnd(const Nodes& nodes, size_t i) {
    if (i < nodes.size() && (nodes[i].isOperator("-") || nodes[i].isOperator("+"))) {
        const size_t end = sqlite::primaryEnd(nodes, i + 1);
        return end > i + 1 ? end : i;
    }
    return sqlite::primaryEnd(nodes, i);
}

// Concatenation chains, and exact division. An operand chain is primaries joined by arithmetic
// operators; its parts between the '||' are joined by CONCAT, which reads NULL as empty text,
// and an empty result is NULL because the bank's database has no empty text. Each divisor
// becomes a numeric: PostgreSQL divides integers as integers.
void rewriteOperators(Nodes& nodes) {
    size_t i = 0;
    while (i < nodes.size()) {
        size_t end = sqlite::primaryEnd(nodes, i);
        if (end == i) {
            ++i;
            continue;
        }
        const size_t start = i;
        std::vector<size_t> concatenations;
        while (end + 1 < nodes.size() && isArithmetic(nodes[end]) &&
               signedPrimaryEnd(nodes, end + 1) > end + 1) {
            const size_t operandEnd = signedPrimaryEnd(nodes, end + 1);
            if (nodes[end].isOperator("/")) {
                Nodes divisor(
                    std::make_move_iterator(nodes.begin() + static_cast<long>(end + 1)),
                    std::make_move_iterator(nodes.begin() + static_cast<long>(operandEnd)));
                nodes.erase(nodes.begin() + static_cast<long>(end + 2),
                            nodes.begin() + static_cast<long>(operandEnd));
                divisor.push_back(sqlite::word("AS"));
                divisor.push_back(sqlite::word("numeric"));
                nodes[end + 1] = sqlite::word("CAST");
                nodes.insert(nodes.begin() + static_cast<long>(end + 2),
                             sqlite::paren(std::move(divisor)));
                end += 3;
                continue;
            }
            if (nodes[end].isOperator("||")) concatenations.push_back(end);
            end = operandEnd;
        }
        if (!concatenations.empty()) {
            std::vector<Nodes> parts(1);
            size_t next = 0;
            for (size_t k = start; k < end; ++k) {
                if (next < concatenations.size() && k == concatenations[next]) {
                    parts.emplace_back();
                    ++next;
                    continue;
                }
                parts.back().push_back(std::move(nodes[k]));
            }
            for (Nodes& part : parts)
                part = Nodes{sqlite::word(kTextFunction), sqlite::paren(std::move(part))};
            Nodes concat{sqlite::word("CONCAT"), sqlite::paren(sqlite::joinWithCommas(parts)),
                         sqlite::op(","), internalString("")};
            Nodes call{sqlite::word("NULLIF"), sqlite::paren(std::move(concat))};
            nodes.erase(nodes.begin() + static_cast<long>(start),
                        nodes.begin() + static_cast<long>(end));
            nodes.insert(nodes.begin() + static_cast<long>(start),
                         std::make_move_iterator(call.begin()),
                         std::make_move_iterator(call.end()));
            end = start + 2;
        }
        i = end;
    }
}

// A subquery in FROM needs a name on PostgreSQL; the bank's database does without.
void nameSubqueries(Nodes& nodes) {
    size_t counter = 0;
    for (const sqlite::SelectClauses& block : sqlite::findSelects(nodes)) {
        if (block.from == sqlite::SelectClauses::none) continue;
        for (size_t i = block.from + 1; i < block.fromEnd && i < nodes.size(); ++i) {
            const Node& node = nodes[i];
            if (node.kind != Node::Kind::Paren || node.children.empty() ||
                !(node.children[0].isWord("SELECT") || node.children[0].kind == Node::Kind::Paren))
                continue;
            if (i + 1 < nodes.size() && (sqlite::isName(nodes[i + 1]) || nodes[i + 1].isWord("AS")))
                continue;
            nodes.insert(nodes.begin() + static_cast<long>(i + 1),
                         sqlite::word("orv_s" + std::to_string(++counter)));
        }
    }
}

// ROWID, bare or qualified, is the table's orv_rowid column.
void rewriteRowid(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].isWord("ROWID") && (i + 1 >= nodes.size() || !nodes[i + 1].isOperator("(")))
            nodes[i] = sqlite::word(kRowidColumn);
}

// SYSDATE, written without parentheses: the local date and time to the second.
void rewriteSysdateWord(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isWord("SYSDATE")) continue;
        if (i > 0 && nodes[i - 1].isOperator(".")) continue;
        if (i + 1 < nodes.size() && nodes[i + 1].kind == Node::Kind::Paren) continue;
        nodes[i] = sqlite::word("LOCALTIMESTAMP");
        nodes.insert(nodes.begin() + static_cast<long>(i + 1),
                     sqlite::paren({sqlite::leaf(Token{Token::Kind::Number, "0", false})}));
    }
}

// A variable tested for NULL has nothing to take its type from; the server must be told.
void typeNullTestedVariables(Nodes& nodes) {
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (!nodes[i].isLeaf() || nodes[i].token.kind != Token::Kind::Bind ||
            !nodes[i + 1].isWord("IS"))
            continue;
        Nodes inside{std::move(nodes[i]), sqlite::word("AS"), sqlite::word("text")};
        nodes[i] = sqlite::word("CAST");
        nodes.insert(nodes.begin() + static_cast<long>(i + 1), sqlite::paren(std::move(inside)));
    }
}

// A FROM list that mixes commas with JOINs: the server binds JOIN tighter than a comma, so an ON
// condition could not name the tables before the comma (the outer-join rewrite puts the joined
// tables last). CROSS JOIN keeps the list's order of binding.
void crossJoinCommas(Nodes& nodes) {
    for (const sqlite::SelectClauses& block : sqlite::findSelects(nodes)) {
        if (block.from == sqlite::SelectClauses::none) continue;
        if (!hasWordAtTop(nodes, block.from, block.fromEnd, "JOIN")) continue;
        for (size_t i = block.from + 1; i < block.fromEnd; ++i) {
            if (!nodes[i].isOperator(",")) continue;
            nodes[i] = sqlite::word("CROSS");
            nodes.insert(nodes.begin() + static_cast<long>(i + 1), sqlite::word("JOIN"));
            crossJoinCommas(nodes); // the positions moved: start again
            return;
        }
    }
}

void rewriteLevel(Nodes& nodes) {
    sqlite::rewriteOuterJoins(nodes);
    crossJoinCommas(nodes);
    for (size_t i = 0; i < nodes.size(); ++i) {
        Node& node = nodes[i];
        if (node.isLeaf() || sqlite::isOuterJoinMarker(node)) continue;
        rewriteLevel(node.children);
    }
    nameSubqueries(nodes);
    rewriteRowid(nodes);
    rewriteSysdateWord(nodes);
    sqlite::rewriteMinus(nodes);
    sqlite::joinRoutineNames(nodes);
    pg::rewriteCalls(nodes);
    typeNullTestedVariables(nodes);
    rewriteOperators(nodes);
    // Last: a limit taken before the ordering moves the level into a block of its own.
    pg::rewriteRownum(nodes);
}

// CREATE TABLE name (columns): the bank's column types in the server's words (DATE as a timestamp
// to the second), and the orv_rowid key that stands for ROWID. COLLATE clauses of the embedded
// bank are dropped.
void rewriteCreateTable(Nodes& nodes) {
    if (nodes.size() < 3 || !nodes[0].isWord("CREATE") || !nodes[1].isWord("TABLE")) return;
    for (Node& node : nodes) {
        if (node.kind != Node::Kind::Paren) continue;
        Nodes& columns = node.children;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].isWord("NUMBER")) {
                columns[i] = sqlite::word("numeric");
            } else if (columns[i].isWord("DATE")) {
                // The bank's dates have a time of day; the server's date type would drop it.
                columns[i] = sqlite::word("timestamp");
                columns.insert(
                    columns.begin() + static_cast<long>(i + 1),
                    sqlite::paren({sqlite::leaf(Token{Token::Kind::Number, "0", false})}));
                ++i;
            } else if (columns[i].isWord("VARCHAR2")) {
                columns[i] = sqlite::word("varchar");
            } else if (columns[i].isWord("COLLATE") && i + 1 < columns.size()) {
                columns.erase(columns.begin() + static_cast<long>(i),
                              columns.begin() + static_cast<long>(i + 2));
                --i;
            }
        }
        columns.push_back(sqlite::op(","));
        for (const char* part :
             {kRowidColumn, "bigint", "GENERATED", "BY", "DEFAULT", "AS", "IDENTITY"})
            columns.push_back(sqlite::word(part));
        return;
    }
}

// The one table a plain query reads, as the statement names it (schema.table kept).
std::string singleSourceTable(const Nodes& nodes) {
    const std::vector<sqlite::SelectClauses> selects = sqlite::findSelects(nodes);
    if (selects.size() != 1 || selects[0].from == sqlite::SelectClauses::none) return {};
    const size_t from = selects[0].from + 1;
    const size_t end = sqlite::nameChainEnd(nodes, from);
    if (end == from) return {};
    for (size_t i = end; i < selects[0].fromEnd; ++i)
        if (nodes[i].isOperator(",") || nodes[i].isWord("JOIN")) return {};
    std::string table;
    for (size_t i = from; i < end; ++i)
        table += nodes[i].token.text;
    return table;
}

// An ordered UNION: rows that tie on the ORDER BY terms follow the whole row, column by column,
// NULL first, which is the order in which the embedded bank hands ties on (it removes the
// duplicates of a UNION by sorting whole rows). The bank's database leaves the order of ties
// open; keeping it the same on both backends keeps the transfer's output the same, since the
// derivation gives a contract's balance to the first of its rows.
void orderTiesByWholeRow(Nodes& nodes) {
    const std::vector<sqlite::SelectClauses> selects = sqlite::findSelects(nodes);
    if (selects.size() < 2 || selects[0].from == sqlite::SelectClauses::none) return;
    bool unionDistinct = false;
    for (size_t i = 0; i + 1 < nodes.size(); ++i)
        if (nodes[i].isWord("UNION") && !nodes[i + 1].isWord("ALL")) unionDistinct = true;
    if (!unionDistinct) return;
    size_t order = nodes.size();
    for (size_t i = selects.back().select; i + 1 < nodes.size(); ++i)
        if (nodes[i].isWord("ORDER") && nodes[i + 1].isWord("BY")) order = i;
    if (order == nodes.size()) return;
    for (size_t i = order; i < nodes.size(); ++i)
        if (nodes[i].isWord("LIMIT") || nodes[i].isWord("FOR")) return;
    const Nodes list(nodes.begin() + static_cast<long>(selects[0].select + 1),
                     nodes.begin() + static_cast<long>(selects[0].from));
    const size_t columns = sqlite::splitOnCommas(list).size();
    for (size_t c = 1; c <= columns; ++c) {
        nodes.push_back(sqlite::op(","));
        nodes.push_back(sqlite::leaf(Token{Token::Kind::Number, std::to_string(c), false}));
        nodes.push_back(sqlite::word("NULLS"));
        nodes.push_back(sqlite::word("FIRST"));
    }
}

// Named variables become '?' markers; the names are kept in order for binding.
void placeMarkers(PostgresStatement& statement) {
    const std::vector<sqlite::PlacedToken> tokens = sqlite::tokenizePlaced(statement.sql);
    std::string sql;
    size_t copied = 0;
    for (const sqlite::PlacedToken& placed : tokens) {
        if (placed.token.kind != Token::Kind::Bind) continue;
        sql.append(statement.sql, copied, placed.begin - copied);
        statement.markers.push_back(sql.size());
        sql += '?';
        copied = placed.end;
        statement.parameters.push_back(placed.token.text.substr(1));
    }
    sql.append(statement.sql, copied, std::string::npos);
    statement.sql = std::move(sql);
}

} // namespace

PostgresStatement withMarkersOnly(std::string_view bankSql) {
    PostgresStatement statement;
    statement.sql = std::string(bankSql);
    const Nodes nodes = sqlite::buildTree(sqlite::tokenize(bankSql));
    if (!nodes.empty())
        statement.changes = !(nodes[0].isWord("SELECT") || nodes[0].isWord("WITH") ||
                              nodes[0].kind == Node::Kind::Paren);
    statement.sourceTable = singleSourceTable(nodes);
    placeMarkers(statement);
    return statement;
}

PostgresStatement translateForPostgres(std::string_view bankSql) {
    Nodes nodes = sqlite::buildTree(sqlite::tokenize(bankSql));
    PostgresStatement statement;
    if (!nodes.empty())
        statement.changes = !(nodes[0].isWord("SELECT") || nodes[0].isWord("WITH") ||
                              nodes[0].kind == Node::Kind::Paren);
    statement.sourceTable = singleSourceTable(nodes);
    statement.columnNames = resultColumnNames(bankSql);
    rewriteCreateTable(nodes);
    pg::foldConstantCalls(nodes);
    rewriteLevel(nodes);
    orderTiesByWholeRow(nodes);
    std::vector<sqlite::SharedLiteral> unused;
    statement.sql = sqlite::renderStatement(nodes, false, unused);
    placeMarkers(statement);
    return statement;
}

} // namespace orv::odbc
