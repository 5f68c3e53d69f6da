#pragma once
// A statement's tokens as a tree: parenthesised groups and CASE ... END expressions become nodes
// of their own, so that every rewrite sees one level of the statement at a time and a whole
// group as one operand.

#include "db/sqlite/dialect/Tokenizer.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

struct Node;
using Nodes = std::vector<Node>;

struct Node {
    enum class Kind {
        Leaf,  // one token
        Paren, // ( children )
        Case   // CASE ... END, the keywords included in children; written without parentheses
    };
    Kind kind = Kind::Leaf;
    Token token;
    Nodes children;
    /// Written with " COLLATE DATUM" after it: results of date functions and of MIN/MAX keep
    /// the chronological order of dates, which SQLite takes only from column operands.
    bool collateDatum = false;

    bool isLeaf() const { return kind == Kind::Leaf; }
    bool isWord(std::string_view upperWord) const { return isLeaf() && token.isWord(upperWord); }
    bool isOperator(std::string_view op) const { return isLeaf() && token.isOperator(op); }
};

/// The deepest nesting of parentheses and CASE expressions a statement may have. Every rewrite
/// walks the tree recursively, so without a bound a statement of a few thousand nested groups
/// would exhaust the stack; SQLite bounds its own expression trees at the same depth.
inline constexpr size_t kMaxNestingDepth = 1000;

/// The error text of a statement nested deeper than kMaxNestingDepth.
std::string nestedTooDeeplyText();

/// Groups the tokens; throws DatabaseError on unbalanced parentheses or CASE without END.
Nodes buildTree(std::vector<Token> tokens);

Node leaf(Token token);
Node word(std::string text);
Node op(std::string text);
Node paren(Nodes children);

/// Keywords of SQL that end an operand (SELECT, FROM, AND, THEN, ...). NULL is not one of them.
bool isReservedWord(const Node& node);

/// An ordinary name: a word that is not a reserved keyword (NULL counts as a name here too,
/// since it is an operand).
bool isName(const Node& node);

/// The group (+) that marks an outer-joined column.
bool isOuterJoinMarker(const Node& node);

/// End (one past) of the name chain a.b.c starting at i; i when nodes[i] is no name.
size_t nameChainEnd(const Nodes& nodes, size_t i);

/// True when a name chain starts at i and a parenthesised group (other than (+)) follows it.
bool isCallAt(const Nodes& nodes, size_t i);

/// End (one past) of the operand starting at i (literal, bind variable, name chain, call, group,
/// CASE); i when no operand starts there.
size_t primaryEnd(const Nodes& nodes, size_t i);

/// The parts of a list between top-level commas.
std::vector<Nodes> splitOnCommas(const Nodes& nodes);

/// The parts joined by commas again.
Nodes joinWithCommas(const std::vector<Nodes>& parts);

} // namespace orv::sqlite
