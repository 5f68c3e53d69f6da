#pragma once
// How the result grids of the dataset print form show a group column: the sentinel value of a
// total or subtotal line as the marker text, any other value as it is.

#include "db/Value.h"
#include "print/LocalCopy.h"

#include <string>

namespace orv::print {

/// The number that marks a total line in a number column.
inline constexpr double kFloatSentinel = 68719476736.0;

/// True when `value` (as the result reads it) is the sentinel of a field of kind `kind`: the date
/// 10.03.2999 without a time of day, a text that starts with the character of code 255,
/// 68719476736, or the integer -32000.
bool isSentinel(CopyKind kind, const Value& value);

/// The display text of a group column's value: `marker` for a sentinel, else the value's text.
std::string markerDisplay(CopyKind kind, const Value& value, const std::string& marker);

} // namespace orv::print
