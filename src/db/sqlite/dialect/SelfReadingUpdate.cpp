#include "db/sqlite/dialect/SelfReadingUpdate.h"

#include "db/sqlite/dialect/SelectClauses.h"

#include <string>
#include <string_view>

namespace orv::sqlite {

namespace {

// True when a word `table` stands anywhere in the nodes other than as a qualifier (table.column),
// which refers to a row of the statement's own target, not to a reading of the table. A column
// that happens to bear the table's name also counts: it costs the two passes, never a wrong
// result.
bool namesTable(const Nodes& nodes, const std::string& table) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Node& node = nodes[i];
        if (!node.isLeaf()) {
            if (namesTable(node.children, table)) return true;
            continue;
        }
        const bool qualifier = i + 1 < nodes.size() && nodes[i + 1].isOperator(".");
        if (node.token.kind == Token::Kind::Word && !qualifier &&
            upperName(node.token.text) == table)
            return true;
    }
    return false;
}

bool isSubquery(const Node& node) {
    return node.kind == Node::Kind::Paren && !node.children.empty() &&
           node.children[0].isWord("SELECT");
}

// True when a subquery in nodes [first, last), at any depth, names the table.
bool subqueryNamesTable(const Nodes& nodes, size_t first, size_t last, const std::string& table) {
    for (size_t i = first; i < last; ++i) {
        const Node& node = nodes[i];
        if (node.isLeaf()) continue;
        if (isSubquery(node) ? namesTable(node.children, table)
                             : subqueryNamesTable(node.children, 0, node.children.size(), table))
            return true;
    }
    return false;
}

// With a second FROM item, a bare ROWID no longer tells whose it is: outside the subqueries it
// is the target's, so it is qualified with the target's name.
void qualifyRowid(Nodes& nodes, size_t first, size_t last, const std::string& target) {
    for (size_t i = first; i < last; ++i) {
        Node& node = nodes[i];
        if (!node.isLeaf()) {
            if (!isSubquery(node)) qualifyRowid(node.children, 0, node.children.size(), target);
            continue;
        }
        if (!node.isWord("ROWID") || (i > 0 && nodes[i - 1].isOperator("."))) continue;
        nodes.insert(nodes.begin() + static_cast<long>(i), {word(target), op(".")});
        i += 2;
        last += 2;
    }
}

// Where the clause that starts at `from` ends: at the keyword `next` or at the statement's end.
size_t clauseEnd(const Nodes& nodes, size_t from, std::string_view next) {
    size_t end = from;
    while (end < nodes.size() && (next.empty() || !nodes[end].isWord(next)) &&
           !nodes[end].isOperator(";"))
        ++end;
    return end;
}

Nodes readBeforeJoin() {
    Token one;
    one.kind = Token::Kind::Number;
    one.text = "1";
    one.shareable = false;
    Nodes select;
    select.push_back(word("SELECT"));
    select.push_back(leaf(std::move(one)));
    Nodes join;
    join.push_back(word("FROM"));
    join.push_back(paren(std::move(select)));
    join.push_back(word("AS"));
    join.push_back(word("orv_before"));
    return join;
}

} // namespace

void readTargetBeforeUpdate(Nodes& nodes) {
    if (nodes.size() < 4 || !nodes[0].isWord("UPDATE")) return;
    const size_t tableEnd = nameChainEnd(nodes, 1);
    if (tableEnd == 1) return;
    const std::string table = upperName(nodes[tableEnd - 1].token.text);
    size_t set = tableEnd;
    while (set < nodes.size() && !nodes[set].isWord("SET"))
        ++set;
    const size_t statementEnd = clauseEnd(nodes, set, "");
    if (set == nodes.size() || !subqueryNamesTable(nodes, set + 1, statementEnd, table)) return;
    const bool aliased = tableEnd + 1 < set && nodes[tableEnd].isWord("AS");
    const std::string target = nodes[aliased ? tableEnd + 1 : tableEnd - 1].token.text;
    qualifyRowid(nodes, set + 1, statementEnd, target);
    const size_t setEnd = clauseEnd(nodes, set, "WHERE");
    Nodes join = readBeforeJoin();
    nodes.insert(nodes.begin() + static_cast<long>(setEnd), std::make_move_iterator(join.begin()),
                 std::make_move_iterator(join.end()));
}

} // namespace orv::sqlite
