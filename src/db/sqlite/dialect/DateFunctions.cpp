// Date functions on date texts. Results are canonical date texts (dd.mm.yyyy, with the time of
// day only when there is one).

#include "db/sqlite/dialect/DateArguments.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <cmath>
#include <cstring>
#include <ctime>

namespace orv::sqlite {

namespace {} // namespace

// ADD_MONTHS(date, n): the same day n months later; a day the target month lacks, and the last
// day of a month, become the target month's last day. The time of day stays.
void body::addMonths(sqlite3_context* context, int, sqlite3_value** argv) {
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
void body::lastDay(sqlite3_context* context, int, sqlite3_value** argv) {
    DateParts parts;
    const DateArgument date = readDateArgument(context, argv[0], parts);
    if (date == DateArgument::Failed) return;
    if (date == DateArgument::Null) return sqlite3_result_null(context);
    parts.day = daysInMonth(parts.year, parts.month);
    resultText(context, canonicalDateText(parts));
}

// NEXT_DAY(date, day): the first date after `date` that falls on the named day of the week, at
// the same time of day. The day is named in English, in full or by its first three letters, in
// any letter case (the bank's session language).
void body::nextDay(sqlite3_context* context, int, sqlite3_value** argv) {
    DateParts parts;
    const DateArgument date = readDateArgument(context, argv[0], parts);
    if (date == DateArgument::Failed) return;
    const std::optional<std::string> name = argumentText(argv[1]);
    if (date == DateArgument::Null || !name) return sqlite3_result_null(context);
    static constexpr const char* kDays[] = {"MONDAY", "TUESDAY",  "WEDNESDAY", "THURSDAY",
                                            "FRIDAY", "SATURDAY", "SUNDAY"};
    std::string upperName;
    for (char c : *name)
        upperName += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    int target = -1;
    for (int k = 0; k < 7; ++k) {
        const std::string_view day = kDays[k];
        if (upperName == day || (upperName.size() == 3 && day.substr(0, 3) == upperName))
            target = k;
    }
    if (target < 0)
        return sqlite3_result_error(context, "ORA-01846: not a valid day of the week", -1);
    // Day 0 of the date values, 30.12.1899, was a Saturday (5, counting Monday as 0).
    const auto serial = static_cast<long long>(encodeDate(parts.year, parts.month, parts.day));
    const long long weekday = ((serial + 5) % 7 + 7) % 7;
    long long ahead = (target - weekday + 7) % 7;
    if (ahead == 0) ahead = 7;
    const DateParts next = decodeDate(static_cast<DateValue>(serial + ahead));
    parts.year = next.year;
    parts.month = next.month;
    parts.day = next.day;
    if (parts.year > 9999)
        return sqlite3_result_error(context, dateErrorText(DateTextError::BadYear), -1);
    resultText(context, canonicalDateText(parts));
}

// orv_extract(unit, date): EXTRACT(unit FROM date).
void body::extract(sqlite3_context* context, int, sqlite3_value** argv) {
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
void body::checkDate(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_int(context, 1);
    const std::optional<std::string> text = argumentText(argv[0]);
    DateParts parts;
    const DateTextError error = readDateText(*text, parts);
    if (error != DateTextError::None)
        return sqlite3_result_error(context, dateErrorText(error), -1);
    sqlite3_result_int(context, 1);
}

// The canonical text of a date text: 1.1.2007 -> 01.01.2007.
void body::canonicalDate(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    DateParts parts;
    const DateTextError error = readDateText(*argumentText(argv[0]), parts);
    if (error != DateTextError::None)
        return sqlite3_result_error(context, dateErrorText(error), -1);
    resultText(context, canonicalDateText(parts));
}

// orv_date_key(x): the key of a date text or key; NULL for NULL. The date columns' triggers store
// every date written to them as its key. Anything else is returned as it is, for the column's
// check to reject.
void body::dateKey(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_value(context, argv[0]);
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const std::string_view text(bytes ? bytes : "",
                                static_cast<size_t>(sqlite3_value_bytes(argv[0])));
    DateParts parts;
    if (isDateKey(text) || readDateText(text, parts) != DateTextError::None)
        return sqlite3_result_value(context, argv[0]);
    const std::string key = orv::sqlite::dateKey(parts);
    sqlite3_result_text(context, key.data(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
}

// MONTHS_BETWEEN(d1, d2): whole months when both dates fall on the same day of the month or
// both on the last day of their months; otherwise the months plus the difference of the days
// (with their times of day) over a month of 31 days. Negative when d1 is the earlier date.
void body::monthsBetween(sqlite3_context* context, int, sqlite3_value** argv) {
    DateParts a, b;
    const DateArgument first = readDateArgument(context, argv[0], a);
    if (first == DateArgument::Failed) return;
    const DateArgument second = readDateArgument(context, argv[1], b);
    if (second == DateArgument::Failed) return;
    if (first == DateArgument::Null || second == DateArgument::Null)
        return sqlite3_result_null(context);
    const long long months = (a.year - b.year) * 12LL + (a.month - b.month);
    const bool bothLast =
        a.day == daysInMonth(a.year, a.month) && b.day == daysInMonth(b.year, b.month);
    if (a.day == b.day || bothLast) return sqlite3_result_int64(context, months);
    const auto secondsOfDay = [](const DateParts& p) {
        return p.hour * 3600.0 + p.minute * 60.0 + p.second;
    };
    const double days = (a.day - b.day) + (secondsOfDay(a) - secondsOfDay(b)) / 86400.0;
    sqlite3_result_double(context, static_cast<double>(months) + days / 31.0);
}

// orv_sysdate(): SYSDATE, the current local date and time of day, in whole seconds.
void body::sysdate(sqlite3_context* context, int, sqlite3_value**) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    DateParts parts;
    parts.year = local.tm_year + 1900;
    parts.month = local.tm_mon + 1;
    parts.day = local.tm_mday;
    parts.hour = local.tm_hour;
    parts.minute = local.tm_min;
    parts.second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second
    resultText(context, canonicalDateText(parts));
}

} // namespace orv::sqlite
