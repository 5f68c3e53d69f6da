#pragma once
// How a cell's value becomes the text the import works with, whatever the file format: numbers
// with '.' as the decimal separator and no grouping (whole numbers without a decimal part),
// dates as dd.mm.yyyy (followed by " hh:mm:ss" only when they have a time of day), booleans as
// 1 and 0.

#include <optional>
#include <string>
#include <string_view>

namespace orv::sheet {

/// A number as a cell text: 15 significant digits, as a spreadsheet shows a number, written out
/// in plain decimal (1e20 gives 100000000000000000000, 0.1 + 0.2 gives 0.3, -0 gives 0).
std::string numberText(double value);

/// The date text of a spreadsheet's day number (1900 date system: day 1 is 01.01.1900; with
/// `date1904` day 0 is 01.01.1904). The fraction is the time of day.
std::string serialDateText(double serial, bool date1904 = false);

/// An ISO 8601 date "yyyy-mm-dd", optionally followed by "T" or " " and "hh:mm[:ss[.fff]]",
/// as a cell text; empty when the text is no such date.
std::optional<std::string> isoDateText(std::string_view text);

/// True when a number format code shows a date or a time (d, m, y, h or s outside quoted
/// texts, escaped characters and [colour] brackets, and not only in "General").
bool isDateFormatCode(std::string_view code);

/// True for the spreadsheet's built-in number formats that show dates or times.
bool isBuiltInDateFormat(int formatId);

/// A text file's number written with a decimal comma ("-1234,5") with the comma turned into a
/// point ("-1234.5"); empty when the text is not [-]digits,digits. The digits stay as written,
/// so leading zeros of codes are kept.
std::optional<std::string> decimalCommaText(std::string_view text);

/// A text file's date "d.m.yyyy" (one or two digits for day and month) as dd.mm.yyyy; empty
/// when the text is no valid date of that form.
std::optional<std::string> shortDateText(std::string_view text);

} // namespace orv::sheet
