#include "db/sqlite/dialect/CallRewrites.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionCatalogue.h"

namespace orv::sqlite {

namespace {

// The call at i with a one-part name equal to upperName; its argument group is nodes[i + 1].
bool isCallOf(const Nodes& nodes, size_t i, std::string_view upperName) {
    return nodes[i].isWord(upperName) && isCallAt(nodes, i) && nameChainEnd(nodes, i) == i + 1;
}

void keepLiterals(Nodes& nodes) {
    for (Node& node : nodes) {
        if (node.isLeaf())
            node.token.shareable = false;
        else
            keepLiterals(node.children);
    }
}

bool isSingleNameChain(const Nodes& nodes) {
    return !nodes.empty() && nameChainEnd(nodes, 0) == nodes.size();
}

// MIN(x)/MAX(x) compare their arguments with the argument's collation: a column brings its own,
// any other expression gets DATUM, so that date results of CASE or NVL are ordered as dates.
void markMinMax(Node& arguments) {
    arguments.collateDatum = true;
    if (isSingleNameChain(arguments.children) || arguments.children.empty() ||
        arguments.children[0].isWord("DISTINCT") || splitOnCommas(arguments.children).size() > 1)
        return;
    Node inner = paren(std::move(arguments.children));
    inner.collateDatum = true;
    arguments.children.clear();
    arguments.children.push_back(std::move(inner));
}

// A table name followed by its column list: CREATE TABLE skup.t (...), INSERT INTO skup.t (...),
// CREATE INDEX i ON skup.t (...).
bool namesATable(const Nodes& nodes, size_t i) {
    if (i == 0) return false;
    const Node& before = nodes[i - 1];
    return before.isWord("TABLE") || before.isWord("INTO") || before.isWord("ON") ||
           before.isWord("REFERENCES") || before.isWord("EXISTS") || before.isWord("VIEW");
}

// The argument is a date: a date text literal, or a call whose result compares as a date.
bool isDateArgument(const Nodes& argument) {
    if (argument.size() == 1 && argument[0].isLeaf() &&
        argument[0].token.kind == Token::Kind::String)
        return isDateText(argument[0].token.text);
    return argument.size() == 2 && isName(argument[0]) && argument[1].collateDatum;
}

// NVL(date_column, '01.01.1900') must keep comparing as a date, but a function result carries no
// column's collation: when either argument is known to be a date, the result compares as one.
void markWhenAnArgumentIsADate(Node& arguments) {
    for (const Nodes& argument : splitOnCommas(arguments.children))
        if (isDateArgument(argument)) arguments.collateDatum = true;
}

// The arguments from `first` on (counted from 1) shape the result (format masks, units) and stay
// literals of the statement.
void keepLaterLiterals(Node& arguments, int first) {
    std::vector<Nodes> parts = splitOnCommas(arguments.children);
    for (size_t k = static_cast<size_t>(first) - 1; k < parts.size(); ++k)
        keepLiterals(parts[k]);
    arguments.children = joinWithCommas(parts);
}

} // namespace

void joinRoutineNames(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!isCallAt(nodes, i) || namesATable(nodes, i)) continue;
        const size_t end = nameChainEnd(nodes, i);
        if (end == i + 1) continue;
        std::string joined;
        for (size_t k = i; k < end; k += 2) {
            if (!joined.empty()) joined += '_';
            joined += nodes[k].token.text;
        }
        nodes[i] = word(std::move(joined));
        nodes.erase(nodes.begin() + static_cast<long>(i + 1),
                    nodes.begin() + static_cast<long>(end));
    }
}

void rewriteExtract(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!isCallOf(nodes, i, "EXTRACT")) continue;
        Nodes& inside = nodes[i + 1].children;
        if (inside.size() < 3 || !inside[0].isLeaf() || !inside[1].isWord("FROM"))
            throw DatabaseError("ORA-00907: missing right parenthesis");
        std::string unit = inside[0].token.text;
        for (char& c : unit)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        Nodes arguments;
        arguments.push_back(leaf(makeInternalString(unit)));
        arguments.push_back(op(","));
        for (size_t k = 2; k < inside.size(); ++k)
            arguments.push_back(std::move(inside[k]));
        nodes[i] = word("orv_extract");
        nodes[i + 1].children = std::move(arguments);
    }
}

void rewriteDecode(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!isCallOf(nodes, i, "DECODE")) continue;
        std::vector<Nodes> arguments = splitOnCommas(nodes[i + 1].children);
        if (arguments.size() < 3)
            throw DatabaseError("ORA-00938: not enough arguments for function");
        Nodes caseNodes;
        caseNodes.push_back(word("CASE"));
        size_t k = 1;
        for (; k + 1 < arguments.size(); k += 2) {
            caseNodes.push_back(word("WHEN"));
            caseNodes.push_back(paren(arguments[0]));
            caseNodes.push_back(word("IS"));
            caseNodes.push_back(paren(std::move(arguments[k])));
            caseNodes.push_back(word("THEN"));
            caseNodes.push_back(paren(std::move(arguments[k + 1])));
        }
        if (k < arguments.size()) {
            caseNodes.push_back(word("ELSE"));
            caseNodes.push_back(paren(std::move(arguments[k])));
        }
        caseNodes.push_back(word("END"));
        Nodes wrapped;
        wrapped.push_back(Node{Node::Kind::Case, {}, std::move(caseNodes), false});
        nodes[i] = paren(std::move(wrapped));
        nodes.erase(nodes.begin() + static_cast<long>(i + 1));
    }
}

void markDateResultsAndMasks(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!isCallAt(nodes, i) || nameChainEnd(nodes, i) != i + 1) continue;
        Node& arguments = nodes[i + 1];
        if (nodes[i].isWord("MIN") || nodes[i].isWord("MAX")) markMinMax(arguments);
        const DialectFunction* function = findFunction(nodes[i].token.text);
        if (!function) continue;
        if (function->dateResult == DateResult::Always) arguments.collateDatum = true;
        if (function->dateResult == DateResult::WithADateArgument)
            markWhenAnArgumentIsADate(arguments);
        if (function->firstInlineArgument > 0)
            keepLaterLiterals(arguments, function->firstInlineArgument);
    }
}

void rewriteTrimFrom(Nodes& nodes) {
    for (size_t i = 0; i + 1 < nodes.size(); ++i) {
        if (!nodes[i].isWord("TRIM") || nodes[i + 1].kind != Node::Kind::Paren) continue;
        Nodes& inside = nodes[i + 1].children;
        size_t from = inside.size();
        for (size_t k = 0; k < inside.size(); ++k)
            if (inside[k].isWord("FROM")) from = k;
        if (from == inside.size() || from + 1 >= inside.size()) continue;
        size_t start = 0;
        bool leading = true, trailing = true;
        if (inside[0].isWord("LEADING")) {
            trailing = false;
            start = 1;
        } else if (inside[0].isWord("TRAILING")) {
            leading = false;
            start = 1;
        } else if (inside[0].isWord("BOTH")) {
            start = 1;
        }
        Nodes set(inside.begin() + static_cast<long>(start),
                  inside.begin() + static_cast<long>(from));
        if (set.empty()) set.push_back(leaf(makeInternalString(" ")));
        Nodes text(inside.begin() + static_cast<long>(from + 1), inside.end());
        if (trailing)
            text = Nodes{word("RTRIM"), paren({paren(std::move(text)), op(","), paren(set)})};
        if (leading)
            text = Nodes{word("LTRIM"), paren({paren(std::move(text)), op(","), paren(set)})};
        nodes.erase(nodes.begin() + static_cast<long>(i), nodes.begin() + static_cast<long>(i + 2));
        nodes.insert(nodes.begin() + static_cast<long>(i), std::make_move_iterator(text.begin()),
                     std::make_move_iterator(text.end()));
    }
}

} // namespace orv::sqlite
