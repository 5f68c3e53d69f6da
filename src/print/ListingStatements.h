#pragma once
// The statements of the dataset print form over the local copy: the sorted listing with its
// total line, the listing of subtotals by group, and the dependence test of two group fields.
// Total and subtotal lines carry a sentinel value in each group column that they do not list.

#include "print/FieldRoles.h"
#include "print/LocalCopy.h"

#include <string>
#include <vector>

namespace orv::print {

/// The sentinel of a field in a total line, as a statement's column: a text of as many
/// characters of code 255 as the field's size; CAST(-32000 AS INTEGER); CAST(68719476736+0 AS
/// NUMERIC); or the date '03/10/2999' (month/day/year), each followed by " AS " and the name.
std::string sentinel(const CopyField& field);

/// The sorted listing: every row of the copy sorted by the group fields, and one total line
/// with the summary over all rows. Lines joined by "\n".
std::string sortedStatement(const LocalCopy& copy, const FieldRoles& roles);

/// The listing of subtotals: one level for the grand total and one per marked group field,
/// joined with UNION and ordered by all group fields.
std::string subtotalStatement(const LocalCopy& copy, const FieldRoles& roles);

/// The statement whose Count1 and Count12 are equal when each value of `previous` comes with
/// one value of `field` (then `field` depends on `previous`).
std::string dependenceStatement(const LocalCopy& copy, const std::string& previous,
                                const std::string& field);

} // namespace orv::print
