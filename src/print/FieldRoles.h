#pragma once
// The roles of the copy's fields in the dataset print form: group fields (to sort or group by,
// each with a subtotal mark), summary fields (each with an operator), and the other fields.
// Fields are named by their position in the copy (0 is `N`).

#include "print/LocalCopy.h"

#include <optional>
#include <string>
#include <vector>

namespace orv::print {

/// The summary operators, in the order a click on a summary entry moves them on.
enum class Operator { SUM = 1, AVG, MIN, MAX };

/// "SUM", "AVG", "MIN" or "MAX".
std::string operatorName(Operator op);
/// The next operator: SUM, AVG, MIN, MAX, then SUM again.
Operator nextOperator(Operator op);

struct GroupField {
    int field = 0;
    bool marked = true; ///< a subtotal level
};

struct SummaryField {
    int field = 0;
    Operator op = Operator::SUM;
};

/// The text character of code 255 in the program's code page (CP1250: U+02D9, "˙"): texts of
/// total lines are made of it, and the dependence test joins two values with it.
inline constexpr const char* kCode255 = "\xCB\x99";

/// The entry of `lbGroup`: the label, preceded by "××" when the field is not marked.
std::string groupEntryText(const CopyField& field, bool marked);
/// The entry of `lbSum`: with `showOperator` the operator name and a blank before the label.
std::string summaryEntryText(const CopyField& field, Operator op, bool showOperator);

/// A field's default operator: for numbers AVG when the label holds (any letter case) "Tecaj",
/// "Tečaj", "Cena", "Temperatura" or "Index", else SUM; for dates MAX; none for the rest.
std::optional<Operator> defaultOperator(const CopyField& field);

struct FieldRoles {
    std::vector<GroupField> group; ///< `lbGroup`, in order
    std::vector<SummaryField> sum; ///< `lbSum`, in order
    std::vector<int> none;         ///< `lbNone`

    void clear();
    /// Toggles the mark of group entry `index`.
    void toggleMark(size_t index);
    /// Moves the operator of summary entry `index` on.
    void nextOperatorOf(size_t index);

    /// The roles right after preparing: the leading text, integer and date fields are marked
    /// group fields; from the first field of another kind on, numbers become summary fields
    /// with their default operator and the rest other fields; `N` is summed.
    static FieldRoles defaults(const std::vector<CopyField>& fields);
    /// The roles after a click on the title of the column at `clicked` in `columns` (field
    /// positions in the grid's column order, `N` first): the columns after the first up to the
    /// clicked one become marked group fields, every later one a summary field with its default
    /// operator or an other field, and `N` is summed.
    static FieldRoles fromTitleClick(const std::vector<CopyField>& fields,
                                     const std::vector<int>& columns, size_t clicked);

    /// The column order after the roles were given: `N`, the group fields, the columns in no
    /// list and the other fields in their present order, then the summary fields.
    std::vector<int> arrangedColumns(const std::vector<int>& columns) const;
};

} // namespace orv::print
