#include "print/FieldRoles.h"

#include <algorithm>
#include <cctype>

namespace orv::print {

namespace {

// Lower case of ASCII letters and of the Slovenian capitals that are spelt with two bytes.
std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::pair<const char*, const char*> capitals[] = {
        {"\xC4\x8C", "\xC4\x8D"}, {"\xC5\xA0", "\xC5\xA1"}, {"\xC5\xBD", "\xC5\xBE"}};
    for (const auto& [upper, lower] : capitals)
        for (size_t at = text.find(upper); at != std::string::npos; at = text.find(upper, at))
            text.replace(at, 2, lower);
    return text;
}

bool isGroupKind(CopyKind kind) {
    return kind == CopyKind::Text || kind == CopyKind::Integer || kind == CopyKind::Date;
}

} // namespace

std::string operatorName(Operator op) {
    switch (op) {
    case Operator::SUM:
        return "SUM";
    case Operator::AVG:
        return "AVG";
    case Operator::MIN:
        return "MIN";
    case Operator::MAX:
        return "MAX";
    }
    return "SUM";
}

Operator nextOperator(Operator op) {
    return op == Operator::MAX ? Operator::SUM : static_cast<Operator>(static_cast<int>(op) + 1);
}

std::string groupEntryText(const CopyField& field, bool marked) {
    return (marked ? "" : "\xC3\x97\xC3\x97") + labelOf(field);
}

std::string summaryEntryText(const CopyField& field, Operator op, bool showOperator) {
    return (showOperator ? operatorName(op) + " " : "") + labelOf(field);
}

std::optional<Operator> defaultOperator(const CopyField& field) {
    if (field.kind == CopyKind::Float) {
        const std::string label = lowerCase(labelOf(field));
        for (const char* word : {"tecaj",
                                 "te\xC4\x8D"
                                 "aj",
                                 "cena", "temperatura", "index"})
            if (label.find(word) != std::string::npos) return Operator::AVG;
        return Operator::SUM;
    }
    if (field.kind == CopyKind::Date) return Operator::MAX;
    return std::nullopt;
}

void FieldRoles::clear() {
    group.clear();
    sum.clear();
    none.clear();
}

void FieldRoles::toggleMark(size_t index) {
    if (index < group.size()) group[index].marked = !group[index].marked;
}

void FieldRoles::nextOperatorOf(size_t index) {
    if (index < sum.size()) sum[index].op = nextOperator(sum[index].op);
}

FieldRoles FieldRoles::defaults(const std::vector<CopyField>& fields) {
    FieldRoles roles;
    bool leading = true;
    for (size_t i = 1; i < fields.size(); ++i) {
        const int field = static_cast<int>(i);
        if (leading && isGroupKind(fields[i].kind)) {
            roles.group.push_back({field, true});
            continue;
        }
        leading = false;
        if (fields[i].kind == CopyKind::Float)
            roles.sum.push_back({field, *defaultOperator(fields[i])});
        else
            // Past the leading group fields only numbers are summed; the rest is listed with
            // the other fields, so that every field stays in one list.
            roles.none.push_back(field);
    }
    if (!fields.empty()) roles.sum.push_back({0, Operator::SUM});
    return roles;
}

FieldRoles FieldRoles::fromTitleClick(const std::vector<CopyField>& fields,
                                      const std::vector<int>& columns, size_t clicked) {
    FieldRoles roles;
    for (size_t column = 1; column < columns.size(); ++column) {
        const int field = columns[column];
        if (field == 0) continue;
        if (column <= clicked) {
            roles.group.push_back({field, true});
        } else if (const auto op = defaultOperator(fields[static_cast<size_t>(field)])) {
            roles.sum.push_back({field, *op});
        } else {
            roles.none.push_back(field);
        }
    }
    if (!fields.empty()) roles.sum.push_back({0, Operator::SUM});
    return roles;
}

std::vector<int> FieldRoles::arrangedColumns(const std::vector<int>& columns) const {
    std::vector<int> arranged{0};
    const auto listed = [this](int field) {
        return std::any_of(group.begin(), group.end(),
                           [field](const GroupField& g) { return g.field == field; }) ||
               std::any_of(sum.begin(), sum.end(),
                           [field](const SummaryField& s) { return s.field == field; });
    };
    for (const GroupField& g : group)
        arranged.push_back(g.field);
    for (const int field : columns)
        if (field != 0 && !listed(field)) arranged.push_back(field);
    for (const SummaryField& s : sum)
        if (s.field != 0) arranged.push_back(s.field);
    return arranged;
}

} // namespace orv::print
