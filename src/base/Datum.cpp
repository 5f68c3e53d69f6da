#include "base/Datum.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace orv {

namespace {

// Days from 01.01.0001 (proleptic Gregorian) to 30.12.1899, so that day 0 is 30.12.1899.
constexpr long long kDaysTo18991230 = 693594;

long long daysFromCivil(int year, int month, int day) {
    // Howard Hinnant's algorithm, shifted so that 01.01.0001 is day 1.
    const int y = month <= 2 ? year - 1 : year;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 719163;
}

void civilFromDays(long long days, int& year, int& month, int& day) {
    const long long z = days - 719163 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int currentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Reads an unsigned decimal of 1..maxDigits digits at pos; advances pos.
std::optional<int> readNumber(std::string_view text, size_t& pos, size_t maxDigits) {
    size_t start = pos;
    int value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < maxDigits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    if (pos == start) return std::nullopt;
    if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') return std::nullopt;
    return value;
}

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

DateValue encodeDate(int year, int month, int day) {
    return static_cast<double>(daysFromCivil(year, month, day) - kDaysTo18991230);
}

DateValue encodeDateTime(const DateParts& p) {
    return encodeDate(p.year, p.month, p.day) +
           (p.hour * 3600 + p.minute * 60 + p.second) / 86400.0;
}

DateParts decodeDate(DateValue value) {
    // Round to whole seconds first, so that 0.99999999 of a day does not print as 23:59:60.
    const double totalSeconds = std::round(value * 86400.0);
    const long long seconds = static_cast<long long>(totalSeconds);
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateParts parts;
    civilFromDays(days + kDaysTo18991230, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(rest / 3600);
    parts.minute = static_cast<int>(rest / 60 % 60);
    parts.second = static_cast<int>(rest % 60);
    return parts;
}

std::string dateText(int day, int month, int year) {
    // Written digit by digit for the dates a calendar has: an import writes millions of them.
    if (day >= 0 && day <= 99 && month >= 0 && month <= 99 && year >= 0 && year <= 9999) {
        const auto digit = [](int value) { return static_cast<char>('0' + value % 10); };
        return {digit(day / 10),    digit(day),        '.',
                digit(month / 10),  digit(month),      '.',
                digit(year / 1000), digit(year / 100), digit(year / 10),
                digit(year)};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d.%2.2d.%4.4d", day, month, year);
    return text;
}

std::string formatDate(DateValue value) {
    const DateParts p = decodeDate(value);
    return dateText(p.day, p.month, p.year);
}

std::string formatDateTime(DateValue value) {
    const DateParts p = decodeDate(value);
    if (p.hour == 0 && p.minute == 0 && p.second == 0) return dateText(p.day, p.month, p.year);
    char text[48];
    std::snprintf(text, sizeof text, "%2.2d.%2.2d.%4.4d %2.2d:%2.2d:%2.2d", p.day, p.month, p.year,
                  p.hour, p.minute, p.second);
    return text;
}

std::optional<DateValue> parseDate(std::string_view text) {
    size_t pos = 0;
    const auto day = readNumber(text, pos, 2);
    if (!day || pos >= text.size() || text[pos] != '.') return std::nullopt;
    ++pos;
    const auto month = readNumber(text, pos, 2);
    if (!month) return std::nullopt;
    int year = currentYear();
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        const size_t yearStart = pos;
        const auto readYear = readNumber(text, pos, 4);
        if (!readYear) return std::nullopt;
        year = *readYear;
        if (pos - yearStart <= 2) {
            // Century window of 50 years around the current year.
            const int now = currentYear();
            year += now / 100 * 100;
            if (year < now - 50) year += 100;
            if (year > now + 50) year -= 100;
        }
    }
    DateParts parts{year, *month, *day, 0, 0, 0};
    if (pos < text.size()) {
        if (text[pos] != ' ') return std::nullopt;
        ++pos;
        const auto hour = readNumber(text, pos, 2);
        if (!hour || pos >= text.size() || text[pos] != ':') return std::nullopt;
        ++pos;
        const auto minute = readNumber(text, pos, 2);
        if (!minute) return std::nullopt;
        int second = 0;
        if (pos < text.size() && text[pos] == ':') {
            ++pos;
            const auto readSecond = readNumber(text, pos, 2);
            if (!readSecond) return std::nullopt;
            second = *readSecond;
        }
        if (pos != text.size() || *hour > 23 || *minute > 59 || second > 59) return std::nullopt;
        parts.hour = *hour;
        parts.minute = *minute;
        parts.second = second;
    }
    if (!isValidDate(parts.year, parts.month, parts.day)) return std::nullopt;
    return encodeDateTime(parts);
}

DateValue today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

DateValue lastDayOfMonth(DateValue value) {
    const DateParts p = decodeDate(value);
    return encodeDate(p.year, p.month, daysInMonth(p.year, p.month));
}

DateValue addMonths(DateValue value, int months) {
    DateParts p = decodeDate(value);
    const bool wasLastDay = p.day == daysInMonth(p.year, p.month);
    const int monthIndex = p.year * 12 + (p.month - 1) + months;
    p.year = monthIndex / 12;
    p.month = monthIndex % 12 + 1;
    const int last = daysInMonth(p.year, p.month);
    if (wasLastDay || p.day > last) p.day = last;
    return encodeDateTime(p);
}

} // namespace orv
