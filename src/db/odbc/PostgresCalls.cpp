#include "db/odbc/PostgresCalls.h"

#include "db/odbc/ConstantCalls.h"
#include "db/odbc/PostgresDialect.h"
#include "db/sqlite/dialect/DateFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv::odbc::pg {

namespace {

// DECODE(e, s1, r1, ..., default): a CASE that matches NULL with NULL, as DECODE does, and
// evaluates only the chosen result (DECODE(y, 0, 0, x / y) must not divide by zero).
void rewriteDecodeCalls(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (!isCallOf(nodes, i, "DECODE")) continue;
        std::vector<Nodes> arguments = sqlite::splitOnCommas(nodes[i + 1].children);
        if (arguments.size() < 3) continue; // the server reports the wrong call
        Nodes expression{sqlite::word("CASE")};
        size_t k = 1;
        for (; k + 1 < arguments.size(); k += 2) {
            expression.push_back(sqlite::word("WHEN"));
            expression.push_back(sqlite::paren(arguments[0]));
            expression.push_back(sqlite::word("IS"));
            expression.push_back(sqlite::word("NOT"));
            expression.push_back(sqlite::word("DISTINCT"));
            expression.push_back(sqlite::word("FROM"));
            expression.push_back(sqlite::paren(std::move(arguments[k])));
            expression.push_back(sqlite::word("THEN"));
            expression.push_back(sqlite::paren(std::move(arguments[k + 1])));
        }
        if (k < arguments.size()) {
            expression.push_back(sqlite::word("ELSE"));
            expression.push_back(sqlite::paren(std::move(arguments[k])));
        }
        expression.push_back(sqlite::word("END"));
        nodes[i] = sqlite::paren(std::move(expression));
        nodes.erase(nodes.begin() + static_cast<long>(i + 1));
    }
}

// NVL(a, b) is COALESCE(a, b): the same result, and the server types literals from the other
// argument (orafce's NVL cannot tell which of its forms NVL(NULL, 'x') means). TO_CHAR of one
// argument writes the value as the bank's database writes it.
Nodes isNullTest(const Nodes& operand, bool negated) {
    Nodes test{sqlite::paren(operand), sqlite::word("IS")};
    if (negated) test.push_back(sqlite::word("NOT"));
    test.push_back(sqlite::word("NULL"));
    return test;
}

// NVL2(a, b, c): b when a is not NULL, else c.
Node nvl2(std::vector<Nodes> arguments) {
    Nodes expression{sqlite::word("CASE"), sqlite::word("WHEN")};
    for (Node& node : isNullTest(arguments[0], true))
        expression.push_back(std::move(node));
    expression.push_back(sqlite::word("THEN"));
    expression.push_back(sqlite::paren(std::move(arguments[1])));
    expression.push_back(sqlite::word("ELSE"));
    expression.push_back(sqlite::paren(std::move(arguments[2])));
    expression.push_back(sqlite::word("END"));
    return sqlite::paren(std::move(expression));
}

// GREATEST and LEAST of the bank's database are NULL when any argument is; the server's skip
// NULL arguments.
Node nullWhenAnyNull(const std::vector<Nodes>& arguments, Nodes call) {
    Nodes expression{sqlite::word("CASE"), sqlite::word("WHEN")};
    for (size_t k = 0; k < arguments.size(); ++k) {
        if (k > 0) expression.push_back(sqlite::word("OR"));
        for (Node& node : isNullTest(arguments[k], false))
            expression.push_back(std::move(node));
    }
    expression.push_back(sqlite::word("THEN"));
    expression.push_back(sqlite::word("NULL"));
    expression.push_back(sqlite::word("ELSE"));
    for (Node& node : call)
        expression.push_back(std::move(node));
    expression.push_back(sqlite::word("END"));
    return sqlite::paren(std::move(expression));
}

// REPLACE(s, from[, to]): without `to`, or with a NULL one, the matches are removed; a NULL
// `from` leaves the text as it is.
void completeReplace(Nodes& arguments) {
    std::vector<Nodes> parts = sqlite::splitOnCommas(arguments);
    if (parts.size() < 2 || parts.size() > 3) return;
    if (parts.size() == 2) parts.push_back({internalString("")});
    for (size_t k = 1; k < 3; ++k)
        parts[k] =
            Nodes{sqlite::word("COALESCE"), sqlite::paren({sqlite::paren(std::move(parts[k])),
                                                           sqlite::op(","), internalString("")})};
    arguments = sqlite::joinWithCommas(parts);
}

// ROUND(NULL) and TRUNC(NULL) are NULL on the bank's database; the server cannot choose between
// its numeric and date forms for an untyped NULL, so a bare NULL first argument is a number.
void typeNullFirstArgument(Nodes& arguments) {
    std::vector<Nodes> parts = sqlite::splitOnCommas(arguments);
    if (parts.empty() || parts[0].size() != 1 || !parts[0][0].isWord("NULL")) return;
    parts[0] =
        Nodes{sqlite::word("CAST"),
              sqlite::paren({sqlite::word("NULL"), sqlite::word("AS"), sqlite::word("numeric")})};
    arguments = sqlite::joinWithCommas(parts);
}

// Arguments that count (positions, occurrences, months, lengths) are whole numbers on the bank's
// database, which drops their fraction; orafce declares them integer and finds no function for a
// numeric column.
void wholeNumberArguments(Nodes& arguments, size_t from, size_t to) {
    std::vector<Nodes> parts = sqlite::splitOnCommas(arguments);
    bool changed = false;
    for (size_t k = from; k < to && k < parts.size(); ++k) {
        if (parts[k].size() == 1 && parts[k][0].isLeaf() &&
            parts[k][0].token.kind == Token::Kind::Number)
            continue; // a literal is read as the integer it is
        Nodes inside{sqlite::word("pg_catalog"),
                     sqlite::op("."),
                     sqlite::word("trunc"),
                     sqlite::paren({sqlite::word("CAST"),
                                    sqlite::paren({sqlite::paren(std::move(parts[k])),
                                                   sqlite::word("AS"), sqlite::word("numeric")})}),
                     sqlite::word("AS"),
                     sqlite::word("integer")};
        parts[k] = Nodes{sqlite::word("CAST"), sqlite::paren(std::move(inside))};
        changed = true;
    }
    if (changed) arguments = sqlite::joinWithCommas(parts);
}

// The bank's text functions take a number or a date as the text the bank's database writes for
// it (UPPER(0.5) is '.5'); the server has them only for texts. Their text arguments go through
// orv_text, which leaves a text as it is.
void textArguments(Nodes& arguments, size_t from, size_t to) {
    std::vector<Nodes> parts = sqlite::splitOnCommas(arguments);
    bool changed = false;
    for (size_t k = from; k < to && k < parts.size(); ++k) {
        if (parts[k].size() == 1 && parts[k][0].isLeaf() &&
            (parts[k][0].token.kind == Token::Kind::String || parts[k][0].isWord("NULL")))
            continue;
        if (pg::hasWordAtTop(parts[k], 0, parts[k].size(), "FROM"))
            continue; // TRIM(LEADING 'x' FROM s)
        parts[k] = Nodes{sqlite::word(kTextFunction), sqlite::paren(std::move(parts[k]))};
        changed = true;
    }
    if (changed) arguments = sqlite::joinWithCommas(parts);
}

// Which arguments of a text function are texts, [from, to).
struct TextFunction {
    const char* name;
    size_t from;
    size_t to;
};
constexpr TextFunction kTextFunctions[] = {
    {"UPPER", 0, 1}, {"LOWER", 0, 1},   {"INITCAP", 0, 1}, {"LENGTH", 0, 1}, {"SUBSTR", 0, 1},
    {"INSTR", 0, 2}, {"LPAD", 0, 1},    {"RPAD", 0, 1},    {"LTRIM", 0, 1},  {"RTRIM", 0, 1},
    {"TRIM", 0, 1},  {"REPLACE", 0, 1}, {"LENGTHB", 0, 1},
};

// INSTR(s, sub, position[, occurrence]) finds nothing from position 0 on the bank's database;
// orafce searches from the first character. NULL arguments still give NULL.
Node instrFromPosition(std::vector<Nodes> arguments, Nodes call) {
    Nodes expression{sqlite::word("CASE"), sqlite::word("WHEN")};
    for (Node& node : isNullTest(arguments[0], false))
        expression.push_back(std::move(node));
    expression.push_back(sqlite::word("OR"));
    for (Node& node : isNullTest(arguments[1], false))
        expression.push_back(std::move(node));
    for (const char* part : {"THEN", "NULL", "WHEN"})
        expression.push_back(sqlite::word(part));
    expression.push_back(sqlite::paren(std::move(arguments[2])));
    expression.push_back(sqlite::op("="));
    expression.push_back(sqlite::leaf(Token{Token::Kind::Number, "0", false}));
    expression.push_back(sqlite::word("THEN"));
    expression.push_back(sqlite::leaf(Token{Token::Kind::Number, "0", false}));
    expression.push_back(sqlite::word("ELSE"));
    for (Node& node : call)
        expression.push_back(std::move(node));
    expression.push_back(sqlite::word("END"));
    return sqlite::paren(std::move(expression));
}

// CAST to the bank's types: NUMBER is the server's numeric, a text type is the text the bank's
// database writes for the value (as TO_CHAR), and DATE a timestamp to the second, since the
// bank's dates have a time of day.
void rewriteCast(Nodes& nodes, size_t i) {
    Nodes& inside = nodes[i + 1].children;
    size_t as = inside.size();
    for (size_t k = 0; k < inside.size(); ++k)
        if (inside[k].isWord("AS")) as = k;
    if (as == 0 || as + 1 >= inside.size() || !inside[as + 1].isLeaf()) return;
    Node& type = inside[as + 1];
    if (type.isWord("NUMBER")) {
        type = sqlite::word("numeric");
    } else if (type.isWord("INTEGER") || type.isWord("INT") || type.isWord("SMALLINT")) {
        // A text with a fraction ('2.5') is a number first, then rounded as the bank rounds.
        Nodes value(std::make_move_iterator(inside.begin()),
                    std::make_move_iterator(inside.begin() + static_cast<long>(as)));
        inside.erase(inside.begin(), inside.begin() + static_cast<long>(as));
        inside.insert(
            inside.begin(),
            {sqlite::word("CAST"), sqlite::paren({sqlite::paren(std::move(value)),
                                                  sqlite::word("AS"), sqlite::word("numeric")})});
    } else if (type.isWord("DATE")) {
        inside.erase(inside.begin() + static_cast<long>(as + 1), inside.end());
        inside.push_back(sqlite::word("timestamp"));
        inside.push_back(sqlite::paren({sqlite::leaf(Token{Token::Kind::Number, "0", false})}));
    } else if (type.isWord("VARCHAR2") || type.isWord("VARCHAR") || type.isWord("NVARCHAR2") ||
               type.isWord("CHAR")) {
        Nodes value(std::make_move_iterator(inside.begin()),
                    std::make_move_iterator(inside.begin() + static_cast<long>(as)));
        nodes[i] = sqlite::word(kToCharFunction);
        nodes[i + 1] = sqlite::paren(std::move(value));
    }
}

// A TO_CHAR date mask for the server's to_char, which differs from the bank's database in two
// elements: FM there turns the padding off for the rest of the mask (until the next FM), here
// for the next element only; and RRRR and RR are the server's YYYY and YY. The mask stays as it
// is when it is no date mask; empty for a date mask with an element the bank's database does
// not know (which the server would print as it stands).
std::string serverDateMask(const std::string& mask) {
    bool dateElement = false;
    bool unknown = false;
    bool fill = true;
    std::string out;
    size_t pos = 0;
    while (pos < mask.size()) {
        const char c = mask[pos];
        if (c == '"') {
            const size_t close = mask.find('"', pos + 1);
            if (close == std::string::npos) return mask;
            out.append(mask, pos, close - pos + 1);
            pos = close + 1;
            continue;
        }
        if (std::string_view(".,/-:; ").find(c) != std::string_view::npos) {
            out += c;
            ++pos;
            continue;
        }
        const std::string_view found = sqlite::dateFormatElementAt(mask, pos);
        if (found == "FM") {
            fill = !fill;
            pos += 2;
            continue;
        }
        if (found.empty()) {
            // A letter that is no date element: a number mask (9, G, L, S, X), or a date mask the
            // bank's database refuses, which is told by the date elements around it.
            unknown = true;
            ++pos;
            continue;
        }
        if (found != "D" && found != "MI") dateElement = true;
        std::string written = mask.substr(pos, found.size());
        if (found == "RRRR") written = "YYYY";
        if (found == "RR") written = "YY";
        out += (fill ? "" : "FM") + written;
        pos += found.size();
    }
    if (dateElement && unknown) return {};
    return dateElement ? out : mask;
}

} // namespace

void rewriteCalls(Nodes& nodes) {
    rewriteDecodeCalls(nodes);
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (isCallOf(nodes, i, "NVL")) nodes[i] = sqlite::word("COALESCE");
        if (isCallOf(nodes, i, "REMAINDER")) nodes[i] = sqlite::word("pg_temp.orv_remainder");
        if (isCallOf(nodes, i, "BITAND")) nodes[i] = sqlite::word("pg_temp.orv_bitand");
        if (isCallOf(nodes, i, "REPLACE")) completeReplace(nodes[i + 1].children);
        if (isCallOf(nodes, i, "ROUND") || isCallOf(nodes, i, "TRUNC"))
            typeNullFirstArgument(nodes[i + 1].children);
        if (isCallOf(nodes, i, "NVL2")) {
            std::vector<Nodes> arguments = sqlite::splitOnCommas(nodes[i + 1].children);
            if (arguments.size() != 3) continue;
            nodes[i] = nvl2(std::move(arguments));
            nodes.erase(nodes.begin() + static_cast<long>(i + 1));
            continue;
        }
        if (isCallOf(nodes, i, "CAST")) rewriteCast(nodes, i);
        for (const TextFunction& function : kTextFunctions)
            if (isCallOf(nodes, i, function.name))
                textArguments(nodes[i + 1].children, function.from, function.to);
        if (isCallOf(nodes, i, "ADD_MONTHS")) wholeNumberArguments(nodes[i + 1].children, 1, 2);
        if (isCallOf(nodes, i, "LPAD") || isCallOf(nodes, i, "RPAD"))
            wholeNumberArguments(nodes[i + 1].children, 1, 2);
        if (isCallOf(nodes, i, "INSTR")) {
            wholeNumberArguments(nodes[i + 1].children, 2, 4);
            std::vector<Nodes> arguments = sqlite::splitOnCommas(nodes[i + 1].children);
            if (arguments.size() < 3) continue;
            Nodes call{std::move(nodes[i]), std::move(nodes[i + 1])};
            nodes[i] = instrFromPosition(std::move(arguments), std::move(call));
            nodes.erase(nodes.begin() + static_cast<long>(i + 1));
            continue;
        }
        if (isCallOf(nodes, i, "GREATEST") || isCallOf(nodes, i, "LEAST")) {
            const std::vector<Nodes> arguments = sqlite::splitOnCommas(nodes[i + 1].children);
            Nodes call{std::move(nodes[i]), std::move(nodes[i + 1])};
            nodes[i] = nullWhenAnyNull(arguments, std::move(call));
            nodes.erase(nodes.begin() + static_cast<long>(i + 1));
            continue;
        }
        if ((isCallOf(nodes, i, "STDDEV") || isCallOf(nodes, i, "VARIANCE")) &&
            !nodes[i + 1].children.empty() && !nodes[i + 1].children[0].isWord("DISTINCT")) {
            // One value has no spread on the bank's database (0); the server's sample spread of
            // one value is NULL.
            const Nodes argument = nodes[i + 1].children;
            Nodes call{std::move(nodes[i]), std::move(nodes[i + 1])};
            Nodes expression{
                sqlite::word("CASE"),  sqlite::word("WHEN"),
                sqlite::word("COUNT"), sqlite::paren(argument),
                sqlite::op("="),       sqlite::leaf(Token{Token::Kind::Number, "1", false}),
                sqlite::word("THEN"),  sqlite::leaf(Token{Token::Kind::Number, "0", false}),
                sqlite::word("ELSE")};
            for (Node& node : call)
                expression.push_back(std::move(node));
            expression.push_back(sqlite::word("END"));
            nodes[i] = sqlite::paren(std::move(expression));
            nodes.erase(nodes.begin() + static_cast<long>(i + 1));
            continue;
        }
        if (isCallOf(nodes, i, "TO_CHAR")) {
            std::vector<Nodes> arguments = sqlite::splitOnCommas(nodes[i + 1].children);
            if (arguments.size() == 1) nodes[i] = sqlite::word(kToCharFunction);
            if (arguments.size() == 2 && arguments[1].size() == 1 && arguments[1][0].isLeaf() &&
                arguments[1][0].token.kind == Token::Kind::String) {
                const std::string mask = serverDateMask(arguments[1][0].token.text);
                if (mask.empty()) {
                    nodes[i] = sqlite::word(kRaiseFunction);
                    nodes[i + 1] =
                        sqlite::paren({internalString("ORA-01821: date format not recognized")});
                    continue;
                }
                arguments[1][0] = internalString(mask);
                nodes[i + 1].children = sqlite::joinWithCommas(arguments);
            }
        }
    }
}

} // namespace orv::odbc::pg
