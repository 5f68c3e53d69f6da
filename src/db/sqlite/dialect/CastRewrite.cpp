#include "db/sqlite/dialect/CastRewrite.h"

#include <optional>
#include <string>

namespace orv::sqlite {

namespace {

Node number(const std::string& text) {
    return leaf(Token{Token::Kind::Number, text, false});
}

// The scale of NUMBER(p, s) or DECIMAL(p, s): s; of NUMBER(p): 0; nullopt when the type has
// no precision (NUMBER keeps every digit).
std::optional<std::string> scaleOf(const Nodes& type) {
    if (type.size() < 2 || type[1].kind != Node::Kind::Paren) return std::nullopt;
    const std::vector<Nodes> parts = splitOnCommas(type[1].children);
    if (parts.size() == 2 && parts[1].size() == 1 && parts[1][0].isLeaf() &&
        parts[1][0].token.kind == Token::Kind::Number)
        return parts[1][0].token.text;
    if (parts.size() == 2 && parts[1].size() == 2 && parts[1][0].isOperator("-") &&
        parts[1][1].isLeaf() && parts[1][1].token.kind == Token::Kind::Number)
        return "-" + parts[1][1].token.text;
    return std::string("0");
}

// The call that stands for CAST(value AS type); nullopt for a type left to SQLite.
std::optional<Nodes> conversion(Nodes value, const Nodes& type) {
    if (type.empty() || !type[0].isLeaf()) return std::nullopt;
    const Node& name = type[0];
    if (name.isWord("NUMBER") || name.isWord("DECIMAL") || name.isWord("NUMERIC") ||
        name.isWord("FLOAT")) {
        Nodes call{word("TO_NUMBER"), paren(std::move(value))};
        const std::optional<std::string> scale =
            name.isWord("FLOAT") ? std::nullopt : scaleOf(type);
        if (!scale) return call;
        call.push_back(op(","));
        call.push_back(number(*scale));
        return Nodes{word("ROUND"), paren(std::move(call))};
    }
    if (name.isWord("INTEGER") || name.isWord("INT") || name.isWord("SMALLINT"))
        return Nodes{word("ROUND"),
                     paren({word("TO_NUMBER"), paren(std::move(value)), op(","), number("0")})};
    if (name.isWord("VARCHAR2") || name.isWord("VARCHAR") || name.isWord("CHAR") ||
        name.isWord("NVARCHAR2"))
        return Nodes{word("TO_CHAR"), paren(std::move(value))};
    // A date stays the date it is; a text is read as a date text (and fails as one). Adding no
    // months is exactly that reading.
    if (name.isWord("DATE"))
        return Nodes{word("ADD_MONTHS"), paren({paren(std::move(value)), op(","), number("0")})};
    return std::nullopt;
}

} // namespace

void rewriteCast(Nodes& nodes) {
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (!nodes[i].isWord("CAST") || nodes[i + 1].kind != Node::Kind::Paren) continue;
        if (i > 0 && nodes[i - 1].isOperator(".")) continue;
        const Nodes& inside = nodes[i + 1].children;
        // The last AS at the top of the group: the value may hold AS only inside its own groups.
        size_t as = inside.size();
        for (size_t k = 0; k < inside.size(); ++k)
            if (inside[k].isWord("AS")) as = k;
        if (as == 0 || as + 1 >= inside.size()) continue;
        Nodes value(inside.begin(), inside.begin() + static_cast<long>(as));
        const Nodes type(inside.begin() + static_cast<long>(as + 1), inside.end());
        std::optional<Nodes> call = conversion(std::move(value), type);
        if (!call) continue;
        nodes.erase(nodes.begin() + static_cast<long>(i), nodes.begin() + static_cast<long>(i + 2));
        nodes.insert(nodes.begin() + static_cast<long>(i), std::make_move_iterator(call->begin()),
                     std::make_move_iterator(call->end()));
    }
}

} // namespace orv::sqlite
