#pragma once
// Date values and date texts.
//
// A date value counts days from 30.12.1899 (day 0); its fraction is the time of day. The zero
// date is what an empty date reads as. A date text is day.month.year, written with
// "%2.2d.%2.2d.%4.4d"; reading also accepts one-digit day and month (1.1.2007).

#include <optional>
#include <string>
#include <string_view>

namespace orv {

using DateValue = double;

/// Calendar parts of a date value.
struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

/// True in a leap year of the Gregorian calendar.
bool isLeapYear(int year);

/// Days of the month (Gregorian: 29.02.2100 does not exist).
int daysInMonth(int year, int month);

/// True when the parts name a real day (and a real time of day).
bool isValidDate(int year, int month, int day);

/// The date value of a calendar day.
DateValue encodeDate(int year, int month, int day);

/// The date value of a calendar day and a time of day.
DateValue encodeDateTime(const DateParts& parts);

/// The calendar parts of a date value; the time is rounded to the nearest second.
DateParts decodeDate(DateValue value);

/// The program's one date-text form: "%2.2d.%2.2d.%4.4d" of day, month and year (05.03.2024).
std::string dateText(int day, int month, int year);

/// The date text of a date value (its time dropped): 05.03.2024.
std::string formatDate(DateValue value);

/// The date text followed by " hh:mm:ss" only when the value has a time of day.
std::string formatDateTime(DateValue value);

/// Reads "d.m.yyyy" (one or two digits for day and month), optionally followed by a blank and
/// "h:mm" or "h:mm:ss". A two-digit year falls into the century window around the current year;
/// a missing year is the current one. Nothing else may follow. Empty when the text is no date.
std::optional<DateValue> parseDate(std::string_view text);

/// Today's date without time.
DateValue today();

/// The last day of the month of the value (time dropped).
DateValue lastDayOfMonth(DateValue value);

/// The value moved by whole months; a day past the end of the target month becomes its last
/// day, and the last day of a month stays the last day (the bank database's ADD_MONTHS rule).
DateValue addMonths(DateValue value, int months);

} // namespace orv
