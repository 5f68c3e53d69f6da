#include "db/sqlite/dialect/StatementText.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace orv::sqlite {

namespace {

std::string quote(const std::string& text, char q) {
    std::string quoted(1, q);
    for (char c : text) {
        quoted += c;
        if (c == q) quoted += q;
    }
    quoted += q;
    return quoted;
}

SharedLiteral literalValue(const Token& token) {
    SharedLiteral literal;
    if (token.kind == Token::Kind::String) {
        literal.kind = SharedLiteral::Kind::Text;
        literal.text = token.text;
        return literal;
    }
    const bool whole = token.text.find_first_of(".eE") == std::string::npos;
    if (whole) {
        char* end = nullptr;
        errno = 0;
        const long long value = std::strtoll(token.text.c_str(), &end, 10);
        if (errno == 0) {
            literal.kind = SharedLiteral::Kind::Integer;
            literal.integer = value;
            return literal;
        }
    }
    literal.kind = SharedLiteral::Kind::Real;
    literal.real = std::strtod(token.text.c_str(), nullptr);
    return literal;
}

class Renderer {
public:
    Renderer(bool share, std::vector<SharedLiteral>& literals)
        : share_(share), literals_(literals) {}

    void level(const Nodes& nodes, bool shareHere) {
        // The clause decides: select lists, ORDER BY and GROUP BY keep their literals, because
        // there a literal names a result column or a position.
        bool share = shareHere;
        for (size_t i = 0; i < nodes.size(); ++i) {
            const Node& node = nodes[i];
            share = clauseSharing(node, share);
            separate(nodes, i);
            write(node, share);
        }
    }

    std::string text() && { return std::move(out_); }

private:
    bool share_;
    std::vector<SharedLiteral>& literals_;
    std::string out_;

    static bool clauseSharing(const Node& node, bool current) {
        if (!node.isLeaf() || node.token.kind != Token::Kind::Word) return current;
        static constexpr const char* kKeeping[] = {"SELECT", "ORDER", "GROUP"};
        static constexpr const char* kSharing[] = {
            "FROM",  "WHERE",     "HAVING", "SET",    "VALUES", "ON",     "USING", "JOIN",
            "UNION", "INTERSECT", "MINUS",  "EXCEPT", "LIMIT",  "OFFSET", "INTO"};
        for (const char* keyword : kKeeping)
            if (node.token.isWord(keyword)) return false;
        for (const char* keyword : kSharing)
            if (node.token.isWord(keyword)) return true;
        return current;
    }

    void separate(const Nodes& nodes, size_t i) {
        if (i == 0) return;
        const Node& prev = nodes[i - 1];
        const Node& node = nodes[i];
        if (prev.isOperator(".") || node.isOperator(".") || node.isOperator(",")) return;
        if (node.kind == Node::Kind::Paren && isName(prev) && !isOuterJoinMarker(node)) return;
        out_ += ' ';
    }

    void write(const Node& node, bool share) {
        switch (node.kind) {
        case Node::Kind::Leaf:
            writeToken(node.token, share);
            break;
        case Node::Kind::Paren: {
            out_ += '(';
            const bool subquery = !node.children.empty() && node.children[0].isWord("SELECT");
            level(node.children, subquery ? true : share);
            out_ += ')';
            break;
        }
        case Node::Kind::Case:
            level(node.children, share);
            break;
        }
        if (node.collateDatum) out_ += " COLLATE DATUM";
    }

    void writeToken(const Token& token, bool share) {
        if (share_ && share && token.shareable && token.isLiteral()) {
            literals_.push_back(literalValue(token));
            out_ += ":orv_l" + std::to_string(literals_.size());
            return;
        }
        switch (token.kind) {
        case Token::Kind::String:
            out_ += quote(token.text, '\'');
            break;
        case Token::Kind::QuotedIdent:
            out_ += quote(token.text, '"');
            break;
        default:
            out_ += token.text;
        }
    }
};

bool isDefinition(const Nodes& nodes) {
    return !nodes.empty() && (nodes[0].isWord("CREATE") || nodes[0].isWord("ALTER") ||
                              nodes[0].isWord("DROP") || nodes[0].isWord("PRAGMA"));
}

} // namespace

std::string renderStatement(const Nodes& nodes, bool shareLiterals,
                            std::vector<SharedLiteral>& literals) {
    Renderer renderer(shareLiterals && !isDefinition(nodes), literals);
    renderer.level(nodes, true);
    return std::move(renderer).text();
}

} // namespace orv::sqlite
