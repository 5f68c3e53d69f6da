#include "db/sqlite/dialect/OrderByNulls.h"

namespace orv::sqlite {

namespace {

// Words after which an ORDER BY list is over (window frames, limits).
bool endsOrderList(const Node& node) {
    return node.isWord("LIMIT") || node.isWord("OFFSET") || node.isWord("ROWS") ||
           node.isWord("RANGE") || node.isWord("GROUPS") || node.isWord("FOR") ||
           node.isWord("FETCH") || node.isOperator(";");
}

void addNulls(Nodes& term) {
    if (term.empty()) return;
    if (term.size() >= 2 && term[term.size() - 2].isWord("NULLS")) return;
    const bool descending = term.back().isWord("DESC");
    term.push_back(word("NULLS"));
    term.push_back(word(descending ? "FIRST" : "LAST"));
}

} // namespace

void addNullsOrdering(Nodes& nodes) {
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (!nodes[i].isWord("ORDER") || !nodes[i + 1].isWord("BY")) continue;
        const size_t start = i + 2;
        size_t end = start;
        while (end < nodes.size() && !endsOrderList(nodes[end]))
            ++end;
        Nodes list(nodes.begin() + static_cast<long>(start),
                   nodes.begin() + static_cast<long>(end));
        std::vector<Nodes> terms = splitOnCommas(list);
        for (Nodes& term : terms)
            addNulls(term);
        Nodes rewritten = joinWithCommas(terms);
        nodes.erase(nodes.begin() + static_cast<long>(start),
                    nodes.begin() + static_cast<long>(end));
        nodes.insert(nodes.begin() + static_cast<long>(start), rewritten.begin(), rewritten.end());
        i = start + rewritten.size() - 1;
    }
}

} // namespace orv::sqlite
