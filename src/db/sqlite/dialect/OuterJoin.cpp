#include "db/sqlite/dialect/OuterJoin.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/SelectClauses.h"

#include <algorithm>
#include <set>

namespace orv::sqlite {

namespace {

struct FromItem {
    Nodes nodes;
    std::string name;                 // upper case
    Nodes onConditions;               // the marked conditions, joined by AND
    std::set<std::string> references; // other tables the conditions name
    bool outer = false;
};

bool hasMarker(const Nodes& term) {
    return std::any_of(term.begin(), term.end(), isOuterJoinMarker);
}

// Qualifiers (the t of t.col) named anywhere in the nodes.
void collectQualifiers(const Nodes& nodes, std::set<std::string>& names) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isLeaf()) {
            collectQualifiers(nodes[i].children, names);
        } else if (i + 1 < nodes.size() && nodes[i + 1].isOperator(".") && isName(nodes[i])) {
            // In s.t.col the table is the part before the column.
            size_t end = nameChainEnd(nodes, i);
            names.insert(upperName(nodes[end - 3].token.text));
            i = end - 1;
        }
    }
}

// Removes the markers of a term and returns the table they mark.
std::string takeMarkedTable(Nodes& term) {
    std::string table;
    for (size_t i = 0; i < term.size(); ++i) {
        if (!isOuterJoinMarker(term[i])) continue;
        if (i < 3 || !term[i - 2].isOperator(".") || !isName(term[i - 3]))
            throw DatabaseError("ORA-01416: two tables cannot be outer-joined to each other");
        const std::string marked = upperName(term[i - 3].token.text);
        if (!table.empty() && table != marked)
            throw DatabaseError("ORA-01468: a predicate may reference only one outer-joined table");
        table = marked;
        term.erase(term.begin() + static_cast<long>(i));
        --i;
    }
    return table;
}

FromItem* findItem(std::vector<FromItem>& items, const std::string& name) {
    for (FromItem& item : items)
        if (item.name == name) return &item;
    return nullptr;
}

bool knownTable(const std::vector<FromItem>& items, const std::string& name) {
    return std::any_of(items.begin(), items.end(),
                       [&](const FromItem& item) { return item.name == name; });
}

// Outer-joined tables in an order in which each follows the tables its conditions name.
std::vector<FromItem*> joinOrder(std::vector<FromItem>& items) {
    std::set<std::string> placed;
    std::vector<FromItem*> pending;
    for (FromItem& item : items) {
        if (item.outer)
            pending.push_back(&item);
        else
            placed.insert(item.name);
    }
    std::vector<FromItem*> order;
    while (!pending.empty()) {
        auto ready = std::find_if(pending.begin(), pending.end(), [&](const FromItem* item) {
            return std::all_of(item->references.begin(), item->references.end(),
                               [&](const std::string& name) {
                                   return placed.count(name) || !knownTable(items, name);
                               });
        });
        if (ready == pending.end()) ready = pending.begin();
        placed.insert((*ready)->name);
        order.push_back(*ready);
        pending.erase(ready);
    }
    return order;
}

Nodes buildFromAndWhere(std::vector<FromItem>& items, const std::vector<Nodes>& whereTerms) {
    Nodes out;
    out.push_back(word("FROM"));
    bool first = true;
    for (FromItem& item : items) {
        if (item.outer) continue;
        if (!first) out.push_back(op(","));
        first = false;
        out.insert(out.end(), item.nodes.begin(), item.nodes.end());
    }
    for (FromItem* item : joinOrder(items)) {
        out.push_back(word("LEFT"));
        out.push_back(word("JOIN"));
        out.insert(out.end(), item->nodes.begin(), item->nodes.end());
        out.push_back(word("ON"));
        out.push_back(paren(item->onConditions));
    }
    if (!whereTerms.empty()) {
        out.push_back(word("WHERE"));
        Nodes condition = joinWithAnd(whereTerms);
        out.insert(out.end(), condition.begin(), condition.end());
    }
    return out;
}

// Rewrites one SELECT; false when it has no marker.
bool rewriteSelect(Nodes& nodes, const SelectClauses& clauses) {
    if (clauses.where == SelectClauses::none) return false;
    const Nodes condition(nodes.begin() + static_cast<long>(clauses.where + 1),
                          nodes.begin() + static_cast<long>(clauses.whereEnd));
    std::vector<Nodes> terms = splitOnAnd(condition);
    if (std::none_of(terms.begin(), terms.end(), hasMarker)) return false;

    const Nodes fromList(nodes.begin() + static_cast<long>(clauses.from + 1),
                         nodes.begin() + static_cast<long>(clauses.fromEnd));
    std::vector<FromItem> items;
    for (Nodes& part : splitOnCommas(fromList)) {
        if (std::any_of(part.begin(), part.end(), [](const Node& n) { return n.isWord("JOIN"); }))
            throw DatabaseError(
                "ORA-25156: old style outer join (+) cannot be used with ANSI joins");
        FromItem item;
        item.name = upperName(fromItemName(part));
        item.nodes = std::move(part);
        items.push_back(std::move(item));
    }

    std::vector<Nodes> remaining;
    for (Nodes& term : terms) {
        if (!hasMarker(term)) {
            remaining.push_back(std::move(term));
            continue;
        }
        const std::string table = takeMarkedTable(term);
        FromItem* item = findItem(items, table);
        if (!item) throw DatabaseError("ORA-00904: \"" + table + "\": invalid identifier");
        item->outer = true;
        if (!item->onConditions.empty()) item->onConditions.push_back(word("AND"));
        item->onConditions.insert(item->onConditions.end(), term.begin(), term.end());
        collectQualifiers(term, item->references);
        item->references.erase(table);
    }
    if (std::all_of(items.begin(), items.end(), [](const FromItem& i) { return i.outer; }))
        throw DatabaseError("ORA-01416: two tables cannot be outer-joined to each other");

    Nodes rewritten = buildFromAndWhere(items, remaining);
    nodes.erase(nodes.begin() + static_cast<long>(clauses.from),
                nodes.begin() + static_cast<long>(clauses.whereEnd));
    nodes.insert(nodes.begin() + static_cast<long>(clauses.from), rewritten.begin(),
                 rewritten.end());
    return true;
}

} // namespace

void rewriteOuterJoins(Nodes& nodes) {
    // Rewriting from the last SELECT backwards keeps the positions of the earlier ones valid.
    std::vector<SelectClauses> selects = findSelects(nodes);
    for (auto it = selects.rbegin(); it != selects.rend(); ++it)
        rewriteSelect(nodes, *it);
}

} // namespace orv::sqlite
