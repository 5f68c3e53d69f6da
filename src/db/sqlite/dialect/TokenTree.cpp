#include "db/sqlite/dialect/TokenTree.h"

#include "db/DatabaseError.h"

#include <array>
#include <string>

namespace orv::sqlite {

namespace {

class TreeBuilder {
public:
    explicit TreeBuilder(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    Nodes run() {
        Nodes nodes = level(Stop::End);
        return nodes;
    }

private:
    enum class Stop { End, CloseParen, EndKeyword };
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    size_t depth_ = 0;

    // Counts one more level of nesting for as long as it lives.
    struct Deeper {
        explicit Deeper(size_t& depth) : count_(depth) {
            if (++count_ > kMaxNestingDepth) throw DatabaseError(nestedTooDeeplyText());
        }
        ~Deeper() { --count_; }
        Deeper(const Deeper&) = delete;
        Deeper& operator=(const Deeper&) = delete;
        size_t& count_;
    };

    Nodes level(Stop stop) {
        Nodes nodes;
        while (pos_ < tokens_.size()) {
            Token& token = tokens_[pos_++];
            if (token.isOperator("(")) {
                const Deeper deeper(depth_);
                Node group{Node::Kind::Paren, {}, level(Stop::CloseParen), false};
                nodes.push_back(std::move(group));
            } else if (token.isOperator(")")) {
                if (stop == Stop::CloseParen) return nodes;
                if (stop == Stop::EndKeyword) throw DatabaseError("ORA-00905: missing keyword");
                throw DatabaseError("ORA-00933: SQL command not properly ended");
            } else if (token.isWord("CASE")) {
                const Deeper deeper(depth_);
                Nodes inner;
                inner.push_back(leaf(std::move(token)));
                for (Node& n : level(Stop::EndKeyword))
                    inner.push_back(std::move(n));
                nodes.push_back(Node{Node::Kind::Case, {}, std::move(inner), false});
            } else if (token.isWord("END") && stop == Stop::EndKeyword) {
                nodes.push_back(leaf(std::move(token)));
                return nodes;
            } else {
                nodes.push_back(leaf(std::move(token)));
            }
        }
        if (stop == Stop::CloseParen) throw DatabaseError("ORA-00907: missing right parenthesis");
        if (stop == Stop::EndKeyword) throw DatabaseError("ORA-00905: missing keyword");
        return nodes;
    }
};

constexpr std::array kReserved = {
    "ALL",     "AND",    "AS",     "ASC",       "BETWEEN", "BY",       "CASE",   "COLLATE",
    "CONNECT", "CREATE", "CROSS",  "DELETE",    "DESC",    "DISTINCT", "DROP",   "ELSE",
    "END",     "ESCAPE", "EXCEPT", "EXISTS",    "FROM",    "FULL",     "GROUP",  "HAVING",
    "IN",      "INNER",  "INSERT", "INTERSECT", "INTO",    "IS",       "JOIN",   "LEFT",
    "LIKE",    "LIMIT",  "MINUS",  "NOT",       "NULLS",   "OFFSET",   "ON",     "OR",
    "ORDER",   "OUTER",  "OVER",   "PARTITION", "PRIOR",   "RIGHT",    "SELECT", "SET",
    "START",   "THEN",   "UNION",  "UPDATE",    "USING",   "VALUES",   "WHEN",   "WHERE",
    "WITH"};

} // namespace

std::string nestedTooDeeplyText() {
    return "statement nested too deeply: more than " + std::to_string(kMaxNestingDepth) +
           " levels of parentheses and CASE expressions";
}

Nodes buildTree(std::vector<Token> tokens) {
    return TreeBuilder(std::move(tokens)).run();
}

Node leaf(Token token) {
    return Node{Node::Kind::Leaf, std::move(token), {}, false};
}
Node word(std::string text) {
    return leaf(makeWord(std::move(text)));
}
Node op(std::string text) {
    return leaf(makeOperator(std::move(text)));
}
Node paren(Nodes children) {
    return Node{Node::Kind::Paren, {}, std::move(children), false};
}

bool isReservedWord(const Node& node) {
    if (!node.isLeaf() || node.token.kind != Token::Kind::Word) return false;
    for (const char* reserved : kReserved)
        if (node.token.isWord(reserved)) return true;
    return false;
}

bool isName(const Node& node) {
    if (!node.isLeaf()) return false;
    if (node.token.kind == Token::Kind::QuotedIdent) return true;
    return node.token.kind == Token::Kind::Word && !isReservedWord(node);
}

bool isOuterJoinMarker(const Node& node) {
    return node.kind == Node::Kind::Paren && node.children.size() == 1 &&
           node.children[0].isOperator("+");
}

size_t nameChainEnd(const Nodes& nodes, size_t i) {
    if (i >= nodes.size() || !isName(nodes[i])) return i;
    size_t end = i + 1;
    while (end + 1 < nodes.size() && nodes[end].isOperator(".") &&
           (isName(nodes[end + 1]) || nodes[end + 1].isOperator("*")))
        end += 2;
    return end;
}

bool isCallAt(const Nodes& nodes, size_t i) {
    const size_t end = nameChainEnd(nodes, i);
    return end > i && end < nodes.size() && nodes[end].kind == Node::Kind::Paren &&
           !isOuterJoinMarker(nodes[end]) && !nodes[i].isWord("NULL");
}

size_t primaryEnd(const Nodes& nodes, size_t i) {
    if (i >= nodes.size()) return i;
    const Node& node = nodes[i];
    if (node.kind == Node::Kind::Case) return i + 1;
    if (node.kind == Node::Kind::Paren) return isOuterJoinMarker(node) ? i : i + 1;
    if (node.token.isLiteral() || node.token.kind == Token::Kind::Bind) return i + 1;
    const size_t end = nameChainEnd(nodes, i);
    if (end == i) return i;
    if (isCallAt(nodes, i)) return end + 1;
    // A column marked (+) stays one operand together with its marker.
    if (end < nodes.size() && isOuterJoinMarker(nodes[end])) return end + 1;
    return end;
}

std::vector<Nodes> splitOnCommas(const Nodes& nodes) {
    std::vector<Nodes> parts(1);
    for (const Node& node : nodes) {
        if (node.isOperator(","))
            parts.emplace_back();
        else
            parts.back().push_back(node);
    }
    return parts;
}

Nodes joinWithCommas(const std::vector<Nodes>& parts) {
    Nodes joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined.push_back(op(","));
        joined.insert(joined.end(), parts[i].begin(), parts[i].end());
    }
    return joined;
}

} // namespace orv::sqlite
