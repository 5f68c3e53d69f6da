#pragma once
// Dates as arguments and results of registered functions. A date is a date text (see DateText.h);
// arithmetic on dates counts whole seconds, the precision of the bank database's DATE.

#include "base/Datum.h"
#include "db/sqlite/dialect/DateText.h"

#include <sqlite3.h>

namespace orv::sqlite {

enum class DateArgument { Null, Date, Failed };

/// Reads a date argument; raises the bank database's error on the context when it is no date.
DateArgument readDateArgument(sqlite3_context* context, sqlite3_value* value, DateParts& parts);

/// A text argument read as a date key or a date text (see DateText.h); the text's error when it
/// is neither. Keys are read without formatting them first.
DateTextError readDateValue(sqlite3_value* value, DateParts& parts);

/// A date text argument as parts; false for NULL, numbers and texts that are no valid date.
bool isDateValue(sqlite3_value* value, DateParts& parts);

/// Seconds from 30.12.1899 00:00:00 (negative before).
long long dateSeconds(const DateParts& parts);

/// The date `seconds` after 30.12.1899; false when it falls outside the years 1 to 9999.
bool dateFromSeconds(long long seconds, DateParts& parts);

/// Sets the canonical text of the date as the result.
void resultDate(sqlite3_context* context, const DateParts& parts);

/// Raises the bank database's error for a year outside 1 to 9999.
void resultYearOutOfRange(sqlite3_context* context);

inline constexpr long long kSecondsPerDay = 86400;

} // namespace orv::sqlite
