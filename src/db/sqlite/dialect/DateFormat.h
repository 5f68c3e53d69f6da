#pragma once
// The date format elements of TO_CHAR, as the bank's database writes them (English names).

#include "base/Datum.h"

#include <optional>
#include <string>
#include <string_view>

namespace orv::sqlite {

/// The date written by the mask: YYYY YYY YY Y RRRR RR, Q, MM, MONTH MON, WW IW, DDD DD D, DAY DY,
/// HH HH12 HH24, MI, SS, AM PM A.M. P.M., FM (which turns off the padding of names and the
/// leading zeros of numbers, and on again), text in double quotes, and the punctuation
/// . , / - : ; and blank. Names follow the letter case of the element (MONTH, Month, month).
/// Empty optional when the mask has an element of any other kind.
std::optional<std::string> formatDateMask(const DateParts& date, const std::string& mask);

/// The format element the mask has at `pos`, as formatDateMask knows it (in upper case: "FM",
/// "YYYY", "MONTH", "A.M.", ...), the longest where several start there; empty for none.
std::string_view dateFormatElementAt(const std::string& mask, size_t pos);

} // namespace orv::sqlite
