#include "db/sqlite/dialect/CreateTable.h"

#include "base/Besedilo.h"
#include "db/sqlite/dialect/LetterCase.h"
#include "db/sqlite/dialect/StatementText.h"

#include <optional>

namespace orv::sqlite {

namespace {

// A column that the bank's database keeps in a form of its own.
struct KeptColumn {
    std::string name;
    bool date = false;
    /// Digits kept after the point; none for a number without a declared scale.
    std::optional<std::string> scale;
};

// Where the column list of CREATE TABLE name (...) stands; 0 when the statement is no such one.
size_t columnListAt(const Nodes& nodes) {
    if (nodes.size() < 4 || !nodes[0].isWord("CREATE") || !nodes[1].isWord("TABLE")) return 0;
    const size_t end = nameChainEnd(nodes, 2);
    if (end == 2 || end >= nodes.size() || nodes[end].kind != Node::Kind::Paren) return 0;
    return end;
}

bool isConstraint(const Node& node) {
    return node.isWord("CONSTRAINT") || node.isWord("PRIMARY") || node.isWord("UNIQUE") ||
           node.isWord("FOREIGN") || node.isWord("CHECK");
}

bool isNumberType(const Node& node) {
    return node.isWord("NUMBER") || node.isWord("INTEGER") || node.isWord("INT") ||
           node.isWord("SMALLINT") || node.isWord("DECIMAL") || node.isWord("NUMERIC") ||
           node.isWord("FLOAT");
}

// The scale of NUMBER(p, s) (s), NUMBER(p) and INTEGER (0); none for NUMBER and FLOAT.
std::optional<std::string> scaleOf(const Nodes& definition) {
    const Node& type = definition[1];
    if (type.isWord("INTEGER") || type.isWord("INT") || type.isWord("SMALLINT")) return "0";
    if (type.isWord("FLOAT") || definition.size() < 3 || definition[2].kind != Node::Kind::Paren)
        return std::nullopt;
    const std::vector<Nodes> parts = splitOnCommas(definition[2].children);
    if (parts.size() == 1) return "0";
    if (parts.size() != 2 || parts[1].empty()) return std::nullopt;
    std::string scale;
    for (const Node& node : parts[1])
        if (node.isLeaf()) scale += node.token.text;
    return scale;
}

std::optional<KeptColumn> keptColumn(const Nodes& definition) {
    if (definition.size() < 2 || !isName(definition[0]) || isConstraint(definition[0]))
        return std::nullopt;
    KeptColumn column;
    column.name = definition[0].token.kind == Token::Kind::QuotedIdent
                      ? "\"" + definition[0].token.text + "\""
                      : definition[0].token.text;
    if (definition[1].isWord("DATE")) {
        column.date = true;
        return column;
    }
    if (!isNumberType(definition[1])) return std::nullopt;
    column.scale = scaleOf(definition);
    return column;
}

std::vector<KeptColumn> keptColumns(const Nodes& nodes) {
    std::vector<KeptColumn> columns;
    const size_t list = columnListAt(nodes);
    if (list == 0) return columns;
    for (const Nodes& definition : splitOnCommas(nodes[list].children))
        if (std::optional<KeptColumn> column = keptColumn(definition)) columns.push_back(*column);
    return columns;
}

Nodes checkCall(const char* function, const std::string& column) {
    return Nodes{word("CHECK"), paren({word(function), paren({word(column)})})};
}

} // namespace

void rewriteCreateTable(Nodes& nodes) {
    const size_t list = columnListAt(nodes);
    if (list == 0) return;
    std::vector<Nodes> definitions = splitOnCommas(nodes[list].children);
    for (Nodes& definition : definitions) {
        const std::optional<KeptColumn> column = keptColumn(definition);
        if (!column) continue;
        if (column->date) {
            bool collated = false;
            for (const Node& node : definition)
                collated = collated || node.isWord("COLLATE");
            if (!collated)
                definition.insert(definition.begin() + 2, {word("COLLATE"), word("DATUM")});
        }
        for (Node& node :
             checkCall(column->date ? "orv_check_date" : "orv_check_number", column->name))
            definition.push_back(std::move(node));
    }
    nodes[list].children = joinWithCommas(definitions);
}

namespace {

// True when the statement starts with CREATE: every statement run asks, so the answer is cheap.
bool startsWithCreate(std::string_view sql) {
    size_t i = 0;
    while (i < sql.size() && (sql[i] == ' ' || sql[i] == '\t' || sql[i] == '\n' || sql[i] == '\r'))
        ++i;
    return startsWithIgnoringCase(sql, i, "CREATE");
}

} // namespace

std::vector<std::string> createTableTriggers(std::string_view bankSql) {
    if (!startsWithCreate(bankSql)) return {};
    Nodes nodes;
    try {
        nodes = buildTree(tokenize(bankSql));
    } catch (...) {
        return {};
    }
    const std::vector<KeptColumn> columns = keptColumns(nodes);
    std::string when, set, names;
    for (const KeptColumn& column : columns) {
        std::string normal;
        if (column.date)
            normal = "orv_date_key(" + column.name + ")";
        else if (column.scale)
            normal = "ROUND(" + column.name + ", " + *column.scale + ")";
        else
            continue;
        when += (when.empty() ? "" : " OR ") + ("NEW." + column.name) + " IS NOT " +
                (column.date ? "orv_date_key(NEW." + column.name + ") COLLATE BINARY"
                             : "ROUND(NEW." + column.name + ", " + *column.scale + ")");
        set += (set.empty() ? "" : ", ") + column.name + " = " + normal;
        names += (names.empty() ? "" : ", ") + column.name;
    }
    if (set.empty()) return {};
    // The table as the statement names it, and the trigger beside it in the same schema.
    const size_t list = columnListAt(nodes);
    std::string schema;
    for (size_t i = 2; i + 2 < list; ++i)
        schema += nodes[i].token.text;
    const std::string table = nodes[list - 1].token.text;
    const std::string prefix = schema.empty() ? "" : schema + ".";
    std::vector<std::string> triggers;
    for (const auto& [event, suffix] : {std::pair<std::string, const char*>{"INSERT", "_DATUM_AI"},
                                        {"UPDATE OF " + names, "_DATUM_AU"}})
        triggers.push_back("CREATE TRIGGER " + prefix + upperText(table) + suffix + " AFTER " +
                           event + " ON " + table + " WHEN " + when + " BEGIN UPDATE " + table +
                           " SET " + set + " WHERE rowid = NEW.rowid; END");
    return triggers;
}

} // namespace orv::sqlite
