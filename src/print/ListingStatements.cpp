#include "print/ListingStatements.h"

#include <algorithm>

namespace orv::print {

namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ",") + part;
    return text;
}

const std::string& nameOf(const LocalCopy& copy, int field) {
    return copy.fields()[static_cast<size_t>(field)].name;
}

std::string aggregate(const LocalCopy& copy, const SummaryField& summary) {
    const std::string& name = nameOf(copy, summary.field);
    return operatorName(summary.op) + "(" + name + ") AS " + name;
}

std::vector<std::string> groupNames(const LocalCopy& copy, const FieldRoles& roles) {
    std::vector<std::string> names;
    for (const GroupField& group : roles.group)
        names.push_back(nameOf(copy, group.field));
    return names;
}

} // namespace

std::string sentinel(const CopyField& field) {
    switch (field.kind) {
    case CopyKind::Text: {
        std::string text;
        // A text of unknown width gets one character, so that the line still sorts last.
        for (int i = 0; i < std::max(1, field.size); ++i)
            text += kCode255;
        return "'" + text + "' AS " + field.name;
    }
    case CopyKind::Integer:
        return "CAST(-32000 AS INTEGER) AS " + field.name;
    case CopyKind::Float:
        return "CAST(68719476736+0 AS NUMERIC) AS " + field.name;
    case CopyKind::Date:
        return "'03/10/2999' AS " + field.name;
    }
    return field.name;
}

std::string sortedStatement(const LocalCopy& copy, const FieldRoles& roles) {
    const std::vector<std::string> groups = groupNames(copy, roles);
    std::vector<std::string> columns = groups;
    std::vector<std::string> totals;
    for (const GroupField& group : roles.group)
        totals.push_back(sentinel(copy.fields()[static_cast<size_t>(group.field)]));
    for (const SummaryField& summary : roles.sum) {
        columns.push_back(nameOf(copy, summary.field));
        totals.push_back(aggregate(copy, summary));
    }
    std::string sql = "SELECT " + joined(columns) + " " + copy.from() + "\nUNION ALL\nSELECT " +
                      joined(totals) + " " + copy.from();
    if (!groups.empty()) sql += "\nORDER BY " + joined(groups);
    return sql;
}

std::string subtotalStatement(const LocalCopy& copy, const FieldRoles& roles) {
    std::vector<std::string> lines;
    std::vector<std::string> aggregates;
    for (const SummaryField& summary : roles.sum)
        aggregates.push_back(aggregate(copy, summary));
    const int levels = static_cast<int>(roles.group.size());
    for (int level = -1; level < levels; ++level) {
        if (level >= 0 && !roles.group[static_cast<size_t>(level)].marked) continue;
        if (!lines.empty()) lines.push_back("UNION");
        // The listed columns: the group fields up to this level, and the unmarked ones after it
        // that follow from it, up to the next marked one.
        int last = level;
        while (last + 1 < levels && !roles.group[static_cast<size_t>(last + 1)].marked)
            ++last;
        std::vector<std::string> listed;
        std::vector<std::string> sentinels;
        for (int i = 0; i < levels; ++i) {
            const int field = roles.group[static_cast<size_t>(i)].field;
            if (i <= last)
                listed.push_back(nameOf(copy, field));
            else
                sentinels.push_back(sentinel(copy.fields()[static_cast<size_t>(field)]));
        }
        std::vector<std::string> columns = listed;
        columns.insert(columns.end(), sentinels.begin(), sentinels.end());
        const std::string head = joined(columns);
        const std::string tail = joined(aggregates);
        lines.push_back("SELECT " + head + (!head.empty() && !tail.empty() ? "," : "") + tail);
        lines.push_back(copy.from());
        if (!listed.empty()) lines.push_back("GROUP BY " + joined(listed));
    }
    const std::vector<std::string> groups = groupNames(copy, roles);
    if (!groups.empty()) lines.push_back("ORDER BY " + joined(groups));
    std::string sql;
    for (const std::string& line : lines)
        sql += (sql.empty() ? "" : "\n") + line;
    return sql;
}

std::string dependenceStatement(const LocalCopy& copy, const std::string& previous,
                                const std::string& field) {
    return "SELECT\nCOUNT (DISTINCT CAST(" + previous + " AS CHAR)) AS Count1,\n" +
           "COUNT (DISTINCT CAST(" + previous + " AS CHAR) || '" + kCode255 + "' || CAST(" + field +
           " AS CHAR)) AS Count12\n" + copy.from();
}

} // namespace orv::print
