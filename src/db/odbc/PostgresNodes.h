#pragma once
// Small helpers of the server dialect's rewrites over the embedded bank's token tree.

#include "db/sqlite/dialect/TokenTree.h"

#include <string>
#include <string_view>

namespace orv::odbc::pg {

using sqlite::Node;
using sqlite::Nodes;
using sqlite::Token;

/// A string literal the translation writes itself (never a shared parameter).
inline Node internalString(std::string text) {
    return sqlite::leaf(sqlite::makeInternalString(std::move(text)));
}

/// A call of the named function (not a qualified name) at i.
inline bool isCallOf(const Nodes& nodes, size_t i, std::string_view upperName) {
    return i + 1 < nodes.size() && nodes[i].isWord(upperName) &&
           nodes[i + 1].kind == Node::Kind::Paren && (i == 0 || !nodes[i - 1].isOperator("."));
}

/// True when the word stands in nodes [from, to) of this level.
inline bool hasWordAtTop(const Nodes& nodes, size_t from, size_t to, std::string_view upperWord) {
    for (size_t i = from; i < to && i < nodes.size(); ++i)
        if (nodes[i].isWord(upperWord)) return true;
    return false;
}

} // namespace orv::odbc::pg
