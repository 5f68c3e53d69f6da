#include "db/sqlite/dialect/OperatorRewrites.h"

#include "db/sqlite/dialect/FunctionCatalogue.h"

namespace orv::sqlite {

namespace {

bool isSign(const Node& node) {
    return node.isOperator("+") || node.isOperator("-");
}

bool isBinaryOperator(const Node& node) {
    return isSign(node) || node.isOperator("*") || node.isOperator("/") || node.isOperator("||");
}

bool isAdditive(const Node& node) {
    return isSign(node) || node.isOperator("||");
}

// End of a signed operand ([+|-]* primary) starting at i; i when there is none.
size_t signedOperandEnd(const Nodes& nodes, size_t i) {
    size_t start = i;
    while (start < nodes.size() && isSign(nodes[start]))
        ++start;
    const size_t end = primaryEnd(nodes, start);
    return end == start ? i : end;
}

// One operand of an arithmetic run with the binary operator before it (none for the first).
struct Operand {
    const Node* binaryBefore = nullptr;
    Nodes nodes;
};

// Reads the run operand (operator operand)* that starts at i; empty when no operand starts there.
std::vector<Operand> readRun(const Nodes& nodes, size_t i, size_t& end) {
    std::vector<Operand> run;
    end = signedOperandEnd(nodes, i);
    if (end == i) return run;
    run.push_back({nullptr, Nodes(nodes.begin() + static_cast<long>(i),
                                  nodes.begin() + static_cast<long>(end))});
    while (end < nodes.size() && isBinaryOperator(nodes[end])) {
        const size_t next = signedOperandEnd(nodes, end + 1);
        if (next == end + 1) break;
        run.push_back({&nodes[end], Nodes(nodes.begin() + static_cast<long>(end + 1),
                                          nodes.begin() + static_cast<long>(next))});
        end = next;
    }
    return run;
}

// A number literal, or signs, operators and groups around number literals only.
bool isNumberConstant(const Nodes& nodes) {
    for (const Node& node : nodes) {
        if (node.kind == Node::Kind::Paren) {
            if (!isNumberConstant(node.children)) return false;
        } else if (!node.isLeaf() ||
                   (node.token.kind != Token::Kind::Number && !isBinaryOperator(node))) {
            return false;
        }
    }
    return true;
}

// Sums and differences of number literals alone stay as SQLite computes them: they cannot
// involve a date or a text, and calls would only cost time.
bool isConstantRun(const std::vector<Operand>& run) {
    for (const Operand& operand : run)
        if (!isNumberConstant(operand.nodes)) return false;
    return true;
}

bool needsRewrite(const std::vector<Operand>& run) {
    bool additive = false;
    for (const Operand& operand : run) {
        if (!operand.binaryBefore) continue;
        if (operand.binaryBefore->isOperator("/") || operand.binaryBefore->isOperator("||"))
            return true;
        additive = additive || isSign(*operand.binaryBefore);
    }
    return additive && !isConstantRun(run);
}

Nodes call(const char* name, Nodes arguments) {
    Nodes nodes;
    nodes.push_back(word(name));
    nodes.push_back(paren(std::move(arguments)));
    return nodes;
}

void append(Nodes& to, Nodes from) {
    for (Node& node : from)
        to.push_back(std::move(node));
}

// orv_plus(left, right) or orv_minus(left, right), compared as a date where it is one.
Nodes additiveCall(const Node& sign, Nodes left, Nodes right) {
    std::vector<Nodes> arguments;
    arguments.push_back(std::move(left));
    arguments.push_back(std::move(right));
    const char* name = sign.isOperator("+") ? "orv_plus" : "orv_minus";
    Nodes result = call(name, joinWithCommas(arguments));
    result.back().collateDatum = returnsDate(name);
    return result;
}

// The run with its divisors wrapped, its concatenation chains folded into orv_concat calls and,
// unless it is made of number literals alone, its sums and differences into orv_plus and
// orv_minus calls. + - and || bind alike, left to right, as in the bank's database: each call
// takes what the run computed so far as its left operand.
Nodes rewriteRun(std::vector<Operand> run) {
    const bool nativeSums = isConstantRun(run);
    Nodes result;
    std::vector<Nodes> concatParts;
    Nodes term;
    const Node* termJoin = nullptr; // the additive operator before the current term

    auto closeTerm = [&]() {
        if (termJoin && termJoin->isOperator("||")) {
            if (concatParts.empty()) concatParts.push_back(std::move(result));
            concatParts.push_back(std::move(term));
            result.clear();
        } else {
            if (!concatParts.empty()) {
                result = call("orv_concat", joinWithCommas(concatParts));
                concatParts.clear();
            }
            if (termJoin && !nativeSums) {
                result = additiveCall(*termJoin, std::move(result), std::move(term));
            } else {
                if (termJoin) result.push_back(*termJoin);
                append(result, std::move(term));
            }
        }
        term.clear();
    };

    for (Operand& operand : run) {
        if (operand.binaryBefore && isAdditive(*operand.binaryBefore)) {
            closeTerm();
            termJoin = operand.binaryBefore;
        } else if (operand.binaryBefore) {
            term.push_back(*operand.binaryBefore);
        }
        if (operand.binaryBefore && operand.binaryBefore->isOperator("/"))
            append(term, call("orv_divisor", std::move(operand.nodes)));
        else
            append(term, std::move(operand.nodes));
    }
    closeTerm();
    if (!concatParts.empty()) result = call("orv_concat", joinWithCommas(concatParts));
    return result;
}

} // namespace

void rewriteArithmetic(Nodes& nodes) {
    Nodes rewritten;
    size_t i = 0;
    while (i < nodes.size()) {
        size_t end = i;
        std::vector<Operand> run = readRun(nodes, i, end);
        if (run.empty()) {
            rewritten.push_back(std::move(nodes[i]));
            ++i;
            continue;
        }
        if (needsRewrite(run)) {
            append(rewritten, rewriteRun(std::move(run)));
        } else {
            for (size_t k = i; k < end; ++k)
                rewritten.push_back(std::move(nodes[k]));
        }
        i = end;
    }
    nodes = std::move(rewritten);
}

} // namespace orv::sqlite
