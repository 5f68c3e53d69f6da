#include "db/odbc/ConstantCalls.h"

#include "base/Besedilo.h"
#include "db/odbc/PostgresNodes.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/Dialect.h"
#include "db/sqlite/dialect/FunctionCatalogue.h"
#include "db/sqlite/dialect/StatementText.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace orv::odbc::pg {

namespace {

// A function of the bank's that gives the same result for the same arguments: one of the
// dialect's catalogue, not one of the translation's own helpers (orv_...) and not the clock.
const sqlite::DialectFunction* pureBankFunction(const Node& name) {
    if (!name.isLeaf() || name.token.kind != Token::Kind::Word) return nullptr;
    const std::string& text = name.token.text;
    if (text.size() > 4 && (text.compare(0, 4, "orv_") == 0 || text.compare(0, 4, "ORV_") == 0))
        return nullptr;
    const sqlite::DialectFunction* function = sqlite::findFunction(text);
    if (function == nullptr || function->changesBetweenCalls) return nullptr;
    return function;
}

bool isConstantCall(const Nodes& nodes, size_t i);

// An ANSI date literal: DATE '2024-03-05'.
bool isDateLiteral(const Nodes& nodes, size_t i) {
    return i + 1 < nodes.size() && nodes[i].isWord("DATE") && nodes[i + 1].isLeaf() &&
           nodes[i + 1].token.kind == Token::Kind::String;
}

// True when the nodes are literals joined by arithmetic and concatenation, with groups and
// constant calls among them: nothing that reads a row, a variable or the clock.
bool isConstantExpression(const Nodes& nodes) {
    if (nodes.empty()) return false;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Node& node = nodes[i];
        if (node.kind == Node::Kind::Paren) {
            if (!isConstantExpression(node.children)) return false;
            continue;
        }
        if (node.kind != Node::Kind::Leaf) return false;
        const Token::Kind kind = node.token.kind;
        if (kind == Token::Kind::Number || kind == Token::Kind::String) continue;
        if (node.isWord("NULL")) continue;
        if (isDateLiteral(nodes, i)) {
            ++i;
            continue;
        }
        if (isConstantCall(nodes, i)) {
            ++i;
            continue;
        }
        if (node.isOperator("+") || node.isOperator("-") || node.isOperator("*") ||
            node.isOperator("/") || node.isOperator("||"))
            continue;
        return false;
    }
    return true;
}

bool isConstantCall(const Nodes& nodes, size_t i) {
    if (i + 1 >= nodes.size() || nodes[i + 1].kind != Node::Kind::Paren) return false;
    if (i > 0 && nodes[i - 1].isOperator(".")) return false;
    const sqlite::DialectFunction* function = pureBankFunction(nodes[i]);
    if (function == nullptr) return false;
    const std::vector<Nodes> arguments = sqlite::splitOnCommas(nodes[i + 1].children);
    const int count = nodes[i + 1].children.empty() ? 0 : static_cast<int>(arguments.size());
    if (count < function->minArguments) return false;
    if (function->maxArguments != sqlite::kAnyNumber && count > function->maxArguments)
        return false;
    for (const Nodes& argument : arguments)
        if (!isConstantExpression(argument)) return false;
    return true;
}

// The embedded dialect on a database of its own, without tables: it only computes.
class Calculator {
public:
    Calculator() {
        if (sqlite3_open(":memory:", &db_) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
            return;
        }
        try {
            sqlite::registerDialect(db_);
        } catch (...) {
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }
    ~Calculator() { sqlite3_close_v2(db_); }
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    sqlite3* db() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

sqlite3* calculator() {
    thread_local Calculator instance;
    return instance.db();
}

// What the embedded dialect made of an expression: a value, or the bank's error text.
struct Outcome {
    enum class Kind { Null, Integer, Real, Text, Error };
    Kind kind = Kind::Null;
    long long integer = 0;
    double real = 0.0;
    std::string text;
};

std::optional<Outcome> compute(const Nodes& expression) {
    sqlite3* db = calculator();
    if (db == nullptr) return std::nullopt;
    std::vector<sqlite::SharedLiteral> unused;
    const std::string bankSql =
        "SELECT " + sqlite::renderStatement(expression, false, unused) + " FROM dual";
    std::string sql;
    try {
        sql = sqlite::translateStatement(bankSql).sql;
    } catch (const std::exception& error) {
        // The translation itself refuses some literals with the bank's error (DATE '2024-02-30').
        const std::string text = error.what();
        if (text.rfind("ORA-", 0) != 0) return std::nullopt;
        Outcome outcome;
        outcome.kind = Outcome::Kind::Error;
        outcome.text = text;
        return outcome;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(statement);
        return std::nullopt;
    }
    Outcome outcome;
    const int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW) {
        switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_NULL:
            outcome.kind = Outcome::Kind::Null;
            break;
        case SQLITE_INTEGER:
            outcome.kind = Outcome::Kind::Integer;
            outcome.integer = sqlite3_column_int64(statement, 0);
            break;
        case SQLITE_FLOAT:
            outcome.kind = Outcome::Kind::Real;
            outcome.real = sqlite3_column_double(statement, 0);
            break;
        case SQLITE_TEXT:
            outcome.kind = Outcome::Kind::Text;
            outcome.text.assign(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                                static_cast<size_t>(sqlite3_column_bytes(statement, 0)));
            break;
        default:
            sqlite3_finalize(statement);
            return std::nullopt;
        }
    } else {
        outcome.kind = Outcome::Kind::Error;
        outcome.text = sqlite3_errmsg(db);
    }
    sqlite3_finalize(statement);
    // Only the bank's own failures are its answer; anything else is left to the server.
    if (outcome.kind == Outcome::Kind::Error && outcome.text.rfind("ORA-", 0) != 0)
        return std::nullopt;
    if (outcome.kind == Outcome::Kind::Real && !std::isfinite(outcome.real)) return std::nullopt;
    return outcome;
}

// The server type a call's result has when its value is no help (a NULL, an error).
std::string resultType(const Nodes& call) {
    static constexpr const char* kDates[] = {"TO_DATE", "ADD_MONTHS", "LAST_DAY"};
    static constexpr const char* kTexts[] = {"TO_CHAR", "SUBSTR", "LPAD",  "RPAD",
                                             "REPLACE", "CHR",    "UPPER", "LOWER",
                                             "INITCAP", "TRIM",   "CONCAT"};
    static constexpr const char* kNumbers[] = {"LENGTH",  "INSTR",     "ASCII", "ROUND",
                                               "ABS",     "TO_NUMBER", "FLOOR", "CEIL",
                                               "CEILING", "SIGN",      "MOD",   "MONTHS_BETWEEN"};
    if (call.empty() || !call[0].isLeaf()) return "text";
    for (const char* name : kDates)
        if (call[0].isWord(name)) return "timestamp";
    for (const char* name : kTexts)
        if (call[0].isWord(name)) return "text";
    for (const char* name : kNumbers)
        if (call[0].isWord(name)) return "numeric";
    if (call[0].isWord("DATE")) return "pg_catalog.date";
    // NVL, DECODE, TRUNC, GREATEST, LEAST: the kind of their first argument.
    if (call.size() > 1 && !call[1].children.empty() && call[1].children[0].isLeaf()) {
        const Token& first = call[1].children[0].token;
        if (first.kind == Token::Kind::Number) return "numeric";
        if (first.kind == Token::Kind::String && sqlite::isDateText(first.text)) return "timestamp";
    }
    return "text";
}

// True when the expression (a call or an ANSI date literal) always gives a date.
bool returnsDate(const Nodes& expression) {
    if (expression.empty()) return false;
    if (expression[0].isWord("DATE")) return true;
    const sqlite::DialectFunction* function = pureBankFunction(expression[0]);
    return function != nullptr && function->dateResult == sqlite::DateResult::Always;
}

Node cast(Nodes value, const std::string& type) {
    value.push_back(sqlite::word("AS"));
    value.push_back(sqlite::word(type));
    return sqlite::paren({sqlite::word("CAST"), sqlite::paren(std::move(value))});
}

Node numberLiteral(const std::string& text) {
    return cast({sqlite::leaf(Token{Token::Kind::Number, text, false})}, "numeric");
}

Node valueNode(const Outcome& outcome, const Nodes& expression) {
    switch (outcome.kind) {
    case Outcome::Kind::Null: {
        const std::string type = resultType(expression);
        return type == "text" ? sqlite::word("NULL") : cast({sqlite::word("NULL")}, type);
    }
    case Outcome::Kind::Integer:
        return numberLiteral(std::to_string(outcome.integer));
    case Outcome::Kind::Real:
        return numberLiteral(exactNumberText(outcome.real));
    case Outcome::Kind::Error:
        return cast({sqlite::word(kRaiseFunction), sqlite::paren({internalString(outcome.text)})},
                    resultType(expression));
    case Outcome::Kind::Text:
        break;
    }
    // The embedded dialect hands a date out as its date text; a function that returns dates
    // (TO_DATE, TRUNC, LAST_DAY, an ANSI literal) gives the server a date.
    DateParts parts;
    if (returnsDate(expression) &&
        sqlite::readDateText(outcome.text, parts) == sqlite::DateTextError::None) {
        char iso[32];
        std::snprintf(iso, sizeof iso, "%04d-%02d-%02d %02d:%02d:%02d", parts.year, parts.month,
                      parts.day, parts.hour, parts.minute, parts.second);
        const bool midnight = parts.hour == 0 && parts.minute == 0 && parts.second == 0;
        return sqlite::paren({sqlite::word(midnight ? "DATE" : "TIMESTAMP"),
                              internalString(midnight ? std::string(iso, 10) : iso)});
    }
    // Any other text stays a literal without a type, which the server reads by its context as
    // it would have read the bank's own literal.
    return internalString(outcome.text);
}

// Replaces nodes [i, i + width) by the value the embedded dialect computes for them; false when
// it cannot (the server then computes them as before).
bool fold(Nodes& nodes, size_t i, size_t width) {
    const Nodes expression(nodes.begin() + static_cast<long>(i),
                           nodes.begin() + static_cast<long>(i + width));
    const std::optional<Outcome> outcome = compute(expression);
    if (!outcome) return false;
    nodes[i] = valueNode(*outcome, expression);
    nodes.erase(nodes.begin() + static_cast<long>(i + 1),
                nodes.begin() + static_cast<long>(i + width));
    return true;
}

} // namespace

void foldConstantCalls(Nodes& nodes) {
    for (size_t i = 0; i < nodes.size(); ++i) {
        if ((isConstantCall(nodes, i) || isDateLiteral(nodes, i)) && fold(nodes, i, 2)) continue;
        if (!nodes[i].children.empty()) foldConstantCalls(nodes[i].children);
    }
}

} // namespace orv::odbc::pg
