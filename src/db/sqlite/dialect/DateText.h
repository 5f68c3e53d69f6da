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

// Date keys: how the bank substitute stores a date. A key is the byte 0x01 followed by
// yyyy-mm-dd, and by " hh:mm:ss" only when the time of day is not midnight. Keys of two dates
// compare chronologically byte by byte (a date without a time is a prefix of the same day with
// one), so ORDER BY, MIN/MAX, GROUP BY and indexes need no parsing. The leading control byte
// keeps keys apart from every text a statement or a cell can produce (TO_CHAR(d, 'YYYY-MM-DD')
// included), so that a reader can tell a date by its value alone, wherever it comes from: a
// column, MAX(d), a CASE, a subquery.

/// The key of a date.
std::string dateKey(const DateParts& parts);

/// True when the text is a date key (by shape; the parts are checked by readDateKey).
inline bool isDateKey(std::string_view text) {
    return (text.size() == 11 || text.size() == 20) && text[0] == '\x01';
}

/// Reads a date key into parts; false when the text is no key.
bool readDateKey(std::string_view text, DateParts& parts);

/// A date text or a date key as parts; None on success.
DateTextError readDateOrKey(std::string_view text, DateParts& parts);

} // namespace orv::sqlite
