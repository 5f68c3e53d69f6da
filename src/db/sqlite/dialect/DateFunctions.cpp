// Date functions on date texts. Results are canonical date texts (dd.mm.yyyy, with the time of
// day only when there is one).

#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionSupport.h"
#include "db/sqlite/dialect/Functions.h"

#include <cmath>
#include <cstring>

namespace orv::sqlite {

namespace {

enum class DateArgument { Null, Date, Failed };

// Reads a date argument; raises the bank database's error on the context when it is no date.
DateArgument readDateArgument(sqlite3_context* context, sqlite3_value* value, DateParts& parts) {
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL) return DateArgument::Null;
    if (type != SQLITE_TEXT) {
        sqlite3_result_error(context, "ORA-00932: inconsistent datatypes: expected DATE got NUMBER",
                             -1);
        return DateArgument::Failed;
    }
    const DateTextError error = readDateText(*argumentText(value), parts);
    if (error == DateTextError::None) return DateArgument::Date;
    sqlite3_result_error(context, dateErrorText(error), -1);
    return DateArgument::Failed;
}

// ADD_MONTHS(date, n): the same day n months later; a day the target month lacks, and the last
// day of a month, become the target month's last day. The time of day stays.
void addMonthsFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    DateParts parts;
    const DateArgument date = readDateArgument(context, argv[0], parts);
    if (date == DateArgument::Failed) return;
    bool ok = true;
    const std::optional<Number> months = argumentNumber(context, argv[1], ok);
    if (!ok) return;
    if (date == DateArgument::Null || !months) return sqlite3_result_null(context);
    const auto n =
        months->isInteger ? months->integer : static_cast<long long>(std::trunc(months->real));
    const long long monthIndex = parts.year * 12LL + (parts.month - 1) + n;
    const auto year = static_cast<int>(monthIndex / 12);
    const auto month = static_cast<int>(monthIndex % 12) + 1;
    if (monthIndex < 12 || year > 9999)
        return sqlite3_result_error(context, dateErrorText(DateTextError::BadYear), -1);
    const bool lastDay = parts.day == daysInMonth(parts.year, parts.month);
    const int targetDays = daysInMonth(year, month);
    parts.day = lastDay || parts.day > targetDays ? targetDays : parts.day;
    parts.year = year;
    parts.month = month;
    resultText(context, canonicalDateText(parts));
}

// LAST_DAY(date): the last day of the date's month, at the same time of day.
void lastDayFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    DateParts parts;
    const DateArgument date = readDateArgument(context, argv[0], parts);
    if (date == DateArgument::Failed) return;
    if (date == DateArgument::Null) return sqlite3_result_null(context);
    parts.day = daysInMonth(parts.year, parts.month);
    resultText(context, canonicalDateText(parts));
}

// orv_extract(unit, date): EXTRACT(unit FROM date).
void extractFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    const std::optional<std::string> unit = argumentText(argv[0]);
    DateParts parts;
    const DateArgument date = readDateArgument(context, argv[1], parts);
    if (date == DateArgument::Failed) return;
    if (date == DateArgument::Null || !unit) return sqlite3_result_null(context);
    const std::pair<const char*, int> fields[] = {
        {"YEAR", parts.year}, {"MONTH", parts.month},   {"DAY", parts.day},
        {"HOUR", parts.hour}, {"MINUTE", parts.minute}, {"SECOND", parts.second}};
    for (const auto& [name, value] : fields)
        if (*unit == name) return sqlite3_result_int(context, value);
    sqlite3_result_error(context, "ORA-30076: invalid extract field for extract source", -1);
}

// Check of a DATE column: NULL or a valid date text.
void checkDateFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_int(context, 1);
    const std::optional<std::string> text = argumentText(argv[0]);
    DateParts parts;
    const DateTextError error = readDateText(*text, parts);
    if (error != DateTextError::None)
        return sqlite3_result_error(context, dateErrorText(error), -1);
    sqlite3_result_int(context, 1);
}

// The canonical text of a date text: 1.1.2007 -> 01.01.2007.
void canonicalDateFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    DateParts parts;
    const DateTextError error = readDateText(*argumentText(argv[0]), parts);
    if (error != DateTextError::None)
        return sqlite3_result_error(context, dateErrorText(error), -1);
    resultText(context, canonicalDateText(parts));
}

} // namespace

void registerDateFunctions(sqlite3* db) {
    defineFunction(db, "add_months", 2, addMonthsFunction);
    defineFunction(db, "last_day", 1, lastDayFunction);
    defineFunction(db, "orv_extract", 2, extractFunction);
    defineFunction(db, "orv_check_date", 1, checkDateFunction);
    defineFunction(db, "orv_canonical_date", 1, canonicalDateFunction);
}

} // namespace orv::sqlite
