#include "db/sqlite/dialect/DateFormat.h"

#include "base/Besedilo.h"

#include <cstdio>
#include <string_view>

namespace orv::sqlite {

namespace {

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
constexpr const char* kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                 "Friday", "Saturday", "Sunday"};

// Every element, each before the shorter ones that begin it.
constexpr std::string_view kElements[] = {"FM",    "YYYY", "RRRR", "YYY",  "YY",  "RR",  "Y",
                                          "MONTH", "MON",  "MM",   "MI",   "DAY", "DDD", "DD",
                                          "DY",    "D",    "HH24", "HH12", "HH",  "SS",  "Q",
                                          "WW",    "IW",   "A.M.", "P.M.", "AM",  "PM"};

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// The name in the letter case the element is written in: MONTH, Month or month.
std::string inCaseOf(std::string_view name, const std::string& mask, size_t pos) {
    std::string out(name);
    const bool first = isUpper(mask[pos]);
    const bool second = pos + 1 < mask.size() && isUpper(mask[pos + 1]);
    for (size_t i = 0; i < out.size(); ++i) {
        char& c = out[i];
        const bool upper = i == 0 ? first : (first && second);
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string number(int value, int width, bool fill) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", fill ? width : 1, value);
    return buffer;
}

// Monday 0 ... Sunday 6; day 0 of the date values, 30.12.1899, was a Saturday.
int weekday(const DateParts& d) {
    const auto serial = static_cast<long long>(encodeDate(d.year, d.month, d.day));
    return static_cast<int>(((serial + 5) % 7 + 7) % 7);
}

int dayOfYear(const DateParts& d) {
    return static_cast<int>(encodeDate(d.year, d.month, d.day) - encodeDate(d.year, 1, 1)) + 1;
}

// ISO 8601 weeks: a year has 53 when it starts on a Thursday, or on a Wednesday in a leap year.
int isoWeeksIn(int year) {
    const int first = weekday(DateParts{year, 1, 1, 0, 0, 0});
    return first == 3 || (first == 2 && isLeapYear(year)) ? 53 : 52;
}

int isoWeek(const DateParts& d) {
    const int week = (dayOfYear(d) - (weekday(d) + 1) + 10) / 7;
    if (week < 1) return isoWeeksIn(d.year - 1);
    if (week > isoWeeksIn(d.year)) return 1;
    return week;
}

std::string padded(std::string text, size_t width, bool fill) {
    if (fill && text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

} // namespace

std::optional<std::string> formatDateMask(const DateParts& d, const std::string& mask) {
    const int hour12 = d.hour % 12 == 0 ? 12 : d.hour % 12;
    const int wd = weekday(d);
    bool fill = true;
    std::string out;
    size_t pos = 0;
    while (pos < mask.size()) {
        const char c = mask[pos];
        if (c == '"') {
            const size_t close = mask.find('"', pos + 1);
            if (close == std::string::npos) return std::nullopt;
            out += mask.substr(pos + 1, close - pos - 1);
            pos = close + 1;
            continue;
        }
        if (std::string_view(".,/-:; ").find(c) != std::string_view::npos) {
            out += c;
            ++pos;
            continue;
        }
        const std::string_view element = dateFormatElementAt(mask, pos);
        if (element.empty()) return std::nullopt;
        const auto is = [&](std::string_view name) { return element == name; };
        std::string text;
        if (is("FM")) {
            fill = !fill;
        } else if (is("YYYY") || is("RRRR")) {
            text = number(d.year, 4, fill);
        } else if (is("YYY")) {
            text = number(d.year % 1000, 3, fill);
        } else if (is("YY") || is("RR")) {
            text = number(d.year % 100, 2, fill);
        } else if (is("Y")) {
            text = number(d.year % 10, 1, fill);
        } else if (is("MONTH")) {
            text = padded(inCaseOf(kMonths[d.month - 1], mask, pos), 9, fill);
        } else if (is("MON")) {
            text = inCaseOf(std::string_view(kMonths[d.month - 1]).substr(0, 3), mask, pos);
        } else if (is("MM")) {
            text = number(d.month, 2, fill);
        } else if (is("MI")) {
            text = number(d.minute, 2, fill);
        } else if (is("DAY")) {
            text = padded(inCaseOf(kDays[wd], mask, pos), 9, fill);
        } else if (is("DDD")) {
            text = number(dayOfYear(d), 3, fill);
        } else if (is("DD")) {
            text = number(d.day, 2, fill);
        } else if (is("DY")) {
            text = inCaseOf(std::string_view(kDays[wd]).substr(0, 3), mask, pos);
        } else if (is("D")) {
            text = number((wd + 1) % 7 + 1, 1, fill); // Sunday is day 1
        } else if (is("HH24")) {
            text = number(d.hour, 2, fill);
        } else if (is("HH12") || is("HH")) {
            text = number(hour12, 2, fill);
        } else if (is("SS")) {
            text = number(d.second, 2, fill);
        } else if (is("Q")) {
            text = number((d.month - 1) / 3 + 1, 1, fill);
        } else if (is("WW")) {
            text = number((dayOfYear(d) - 1) / 7 + 1, 2, fill);
        } else if (is("IW")) {
            text = number(isoWeek(d), 2, fill);
        } else if (is("A.M.") || is("P.M.")) {
            text = inCaseOf(d.hour < 12 ? "A.M." : "P.M.", mask, pos);
        } else {
            text = inCaseOf(d.hour < 12 ? "AM" : "PM", mask, pos);
        }
        out += text;
        pos += element.size();
    }
    return out;
}

std::string_view dateFormatElementAt(const std::string& mask, size_t pos) {
    for (std::string_view element : kElements)
        if (startsWithIgnoringCase(mask, pos, element)) return element;
    return {};
}

} // namespace orv::sqlite
