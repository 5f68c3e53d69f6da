#include "db/sqlite/dialect/SelectClauses.h"

namespace orv::sqlite {

namespace {

bool endsSelect(const Node& node) {
    return node.isWord("UNION") || node.isWord("INTERSECT") || node.isWord("MINUS") ||
           node.isWord("EXCEPT") || node.isOperator(";");
}

bool endsFrom(const Node& node) {
    return node.isWord("WHERE") || node.isWord("GROUP") || node.isWord("ORDER") ||
           node.isWord("HAVING") || node.isWord("CONNECT") || node.isWord("START") ||
           node.isWord("LIMIT") || endsSelect(node);
}

bool endsWhere(const Node& node) {
    return endsFrom(node) && !node.isWord("WHERE");
}

} // namespace

std::vector<SelectClauses> findSelects(const Nodes& nodes) {
    std::vector<SelectClauses> selects;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!nodes[i].isWord("SELECT")) continue;
        SelectClauses clauses;
        clauses.select = i;
        size_t k = i + 1;
        while (k < nodes.size() && !nodes[k].isWord("FROM") && !endsSelect(nodes[k]))
            ++k;
        if (k < nodes.size() && nodes[k].isWord("FROM")) {
            clauses.from = k;
            ++k;
            while (k < nodes.size() && !endsFrom(nodes[k]))
                ++k;
            clauses.fromEnd = k;
            if (k < nodes.size() && nodes[k].isWord("WHERE")) {
                clauses.where = k;
                ++k;
                while (k < nodes.size() && !endsWhere(nodes[k]))
                    ++k;
                clauses.whereEnd = k;
            }
        }
        while (k < nodes.size() && !endsSelect(nodes[k]))
            ++k;
        clauses.end = k;
        selects.push_back(clauses);
        i = k > i ? k - 1 : i;
    }
    return selects;
}

std::vector<Nodes> splitOnAnd(const Nodes& condition) {
    std::vector<Nodes> terms(1);
    int openBetweens = 0;
    for (const Node& node : condition) {
        if (node.isWord("BETWEEN")) ++openBetweens;
        if (node.isWord("AND")) {
            if (openBetweens == 0) {
                terms.emplace_back();
                continue;
            }
            --openBetweens;
        }
        terms.back().push_back(node);
    }
    return terms;
}

Nodes joinWithAnd(const std::vector<Nodes>& terms) {
    Nodes joined;
    for (size_t i = 0; i < terms.size(); ++i) {
        if (i > 0) joined.push_back(word("AND"));
        joined.insert(joined.end(), terms[i].begin(), terms[i].end());
    }
    return joined;
}

std::string fromItemName(const Nodes& item) {
    // Both "table alias" and "schema.table" end in the name to use.
    if (item.empty() || !isName(item.back())) return {};
    return item.back().token.text;
}

std::string upperName(const std::string& name) {
    std::string upper = name;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

} // namespace orv::sqlite
