#include "db/sqlite/dialect/DateArguments.h"

#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionSupport.h"

namespace orv::sqlite {

namespace {

// The bytes of a text value, a date key as it is.
std::string_view valueText(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {bytes ? bytes : "", static_cast<size_t>(sqlite3_value_bytes(value))};
}

} // namespace

DateArgument readDateArgument(sqlite3_context* context, sqlite3_value* value, DateParts& parts) {
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL) return DateArgument::Null;
    if (type != SQLITE_TEXT) {
        sqlite3_result_error(context, "ORA-00932: inconsistent datatypes: expected DATE got NUMBER",
                             -1);
        return DateArgument::Failed;
    }
    const DateTextError error = readDateOrKey(valueText(value), parts);
    if (error == DateTextError::None) return DateArgument::Date;
    sqlite3_result_error(context, dateErrorText(error), -1);
    return DateArgument::Failed;
}

DateTextError readDateValue(sqlite3_value* value, DateParts& parts) {
    return readDateOrKey(valueText(value), parts);
}

bool isDateValue(sqlite3_value* value, DateParts& parts) {
    return sqlite3_value_type(value) == SQLITE_TEXT &&
           readDateOrKey(valueText(value), parts) == DateTextError::None;
}

long long dateSeconds(const DateParts& parts) {
    const auto day = static_cast<long long>(encodeDate(parts.year, parts.month, parts.day));
    return day * kSecondsPerDay + parts.hour * 3600LL + parts.minute * 60LL + parts.second;
}

bool dateFromSeconds(long long seconds, DateParts& parts) {
    long long day = seconds / kSecondsPerDay;
    long long rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --day;
    }
    const long long first = static_cast<long long>(encodeDate(1, 1, 1));
    const long long last = static_cast<long long>(encodeDate(9999, 12, 31));
    if (day < first || day > last) return false;
    parts = decodeDate(static_cast<DateValue>(day));
    parts.hour = static_cast<int>(rest / 3600);
    parts.minute = static_cast<int>(rest / 60 % 60);
    parts.second = static_cast<int>(rest % 60);
    return true;
}

void resultDate(sqlite3_context* context, const DateParts& parts) {
    resultText(context, canonicalDateText(parts));
}

void resultYearOutOfRange(sqlite3_context* context) {
    sqlite3_result_error(context, dateErrorText(DateTextError::BadYear), -1);
}

} // namespace orv::sqlite
