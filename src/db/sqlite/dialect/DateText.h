#pragma once
// Date texts as the bank's database reads them: day.month.year with a four-digit year, one or
// two digits for day and month, optionally followed by a blank and h:mm or h:mm:ss.
//
// The collation, the date functions and the checks of date columns all read dates through this
// one parser, so that what a column accepts is exactly what compares as a date.

#include "base/Datum.h"

#include <string>
#include <string_view>

namespace orv::sqlite {

/// Why a text is not a date; each reason has the bank database's error text.
enum class DateTextError {
    None,
    NotNumeric,
    BadDay,
    BadMonth,
    BadYear,
    BadHour,
    BadMinute,
    BadSecond
};

/// Reads a date text into parts. Returns None on success; `parts` is then filled.
DateTextError readDateText(std::string_view text, DateParts& parts);

/// True when the text is a valid date text.
inline bool isDateText(std::string_view text) {
    DateParts parts;
    return readDateText(text, parts) == DateTextError::None;
}

/// The bank database's error text for a reason (e.g. "ORA-01847: day of month must be ...").
const char* dateErrorText(DateTextError error);

/// dd.mm.yyyy, followed by " hh:mm:ss" only when the time of day is not midnight.
std::string canonicalDateText(const DateParts& parts);

/// Chronological order of two dates: negative, zero or positive.
int compareDates(const DateParts& a, const DateParts& b);

} // namespace orv::sqlite
