#include "db/sqlite/dialect/DateText.h"

namespace orv::sqlite {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads between minDigits and maxDigits decimal digits at pos; false when there are too few or
// too many.
bool readDigits(std::string_view text, size_t& pos, size_t minDigits, size_t maxDigits,
                int& value) {
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (pos - start == maxDigits) return false;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos - start >= minDigits;
}

bool expect(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// The shape of the text: digits and separators in their places.
bool readShape(std::string_view text, DateParts& p) {
    size_t pos = 0;
    if (!readDigits(text, pos, 1, 2, p.day) || !expect(text, pos, '.') ||
        !readDigits(text, pos, 1, 2, p.month) || !expect(text, pos, '.') ||
        !readDigits(text, pos, 4, 4, p.year))
        return false;
    p.hour = p.minute = p.second = 0;
    if (pos == text.size()) return true;
    if (!expect(text, pos, ' ') || !readDigits(text, pos, 1, 2, p.hour) ||
        !expect(text, pos, ':') || !readDigits(text, pos, 2, 2, p.minute))
        return false;
    if (pos < text.size() && (!expect(text, pos, ':') || !readDigits(text, pos, 2, 2, p.second)))
        return false;
    return pos == text.size();
}

} // namespace

DateTextError readDateText(std::string_view text, DateParts& p) {
    if (!readShape(text, p)) return DateTextError::NotNumeric;
    if (p.year < 1) return DateTextError::BadYear;
    if (p.month < 1 || p.month > 12) return DateTextError::BadMonth;
    if (p.day < 1 || p.day > daysInMonth(p.year, p.month)) return DateTextError::BadDay;
    if (p.hour > 23) return DateTextError::BadHour;
    if (p.minute > 59) return DateTextError::BadMinute;
    if (p.second > 59) return DateTextError::BadSecond;
    return DateTextError::None;
}

const char* dateErrorText(DateTextError error) {
    switch (error) {
    case DateTextError::None:
        return "";
    case DateTextError::NotNumeric:
        return "ORA-01858: a non-numeric character was found where a numeric was expected";
    case DateTextError::BadDay:
        return "ORA-01847: day of month must be between 1 and last day of month";
    case DateTextError::BadMonth:
        return "ORA-01843: not a valid month";
    case DateTextError::BadYear:
        return "ORA-01841: (full) year must be between -4713 and +9999, and not be 0";
    case DateTextError::BadHour:
        return "ORA-01850: hour must be between 0 and 23";
    case DateTextError::BadMinute:
        return "ORA-01851: minutes must be between 0 and 59";
    case DateTextError::BadSecond:
        return "ORA-01852: seconds must be between 0 and 59";
    }
    return "";
}

namespace {

// Both date forms are written for every date a query reads or binds; they are put together by
// hand, since a formatted print costs more than the query around it.

// Appends `value` with at least `width` digits, as printf's "%w.wd" writes it ("-05" for -5).
void appendPadded(std::string& out, int value, int width) {
    long long magnitude = value;
    if (magnitude < 0) {
        out += '-';
        magnitude = -magnitude;
    }
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    for (int i = count; i < width; ++i)
        out += '0';
    while (count > 0)
        out += digits[--count];
}

// " hh:mm:ss" when the date has a time of day; nothing at midnight.
void appendTimeOfDay(std::string& out, const DateParts& p) {
    if (p.hour == 0 && p.minute == 0 && p.second == 0) return;
    out += ' ';
    appendPadded(out, p.hour, 2);
    out += ':';
    appendPadded(out, p.minute, 2);
    out += ':';
    appendPadded(out, p.second, 2);
}

} // namespace

std::string canonicalDateText(const DateParts& p) {
    std::string text;
    text.reserve(19);
    appendPadded(text, p.day, 2);
    text += '.';
    appendPadded(text, p.month, 2);
    text += '.';
    appendPadded(text, p.year, 4);
    appendTimeOfDay(text, p);
    return text;
}

std::string dateKey(const DateParts& p) {
    std::string key;
    key.reserve(20);
    key += '\x01';
    appendPadded(key, p.year, 4);
    key += '-';
    appendPadded(key, p.month, 2);
    key += '-';
    appendPadded(key, p.day, 2);
    appendTimeOfDay(key, p);
    return key;
}

namespace {

// Fixed-width digits of a key at pos; false when one is no digit.
bool keyDigits(std::string_view text, size_t pos, size_t count, int& value) {
    value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (!isDigit(text[i])) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

bool readDateKey(std::string_view text, DateParts& p) {
    if (!isDateKey(text) || text[5] != '-' || text[8] != '-' || !keyDigits(text, 1, 4, p.year) ||
        !keyDigits(text, 6, 2, p.month) || !keyDigits(text, 9, 2, p.day))
        return false;
    p.hour = p.minute = p.second = 0;
    if (text.size() == 11) return true;
    return text[11] == ' ' && text[14] == ':' && text[17] == ':' &&
           keyDigits(text, 12, 2, p.hour) && keyDigits(text, 15, 2, p.minute) &&
           keyDigits(text, 18, 2, p.second);
}

DateTextError readDateOrKey(std::string_view text, DateParts& parts) {
    if (readDateKey(text, parts)) return DateTextError::None;
    return readDateText(text, parts);
}

int compareDates(const DateParts& a, const DateParts& b) {
    const int fieldsA[] = {a.year, a.month, a.day, a.hour, a.minute, a.second};
    const int fieldsB[] = {b.year, b.month, b.day, b.hour, b.minute, b.second};
    for (size_t i = 0; i < 6; ++i)
        if (fieldsA[i] != fieldsB[i]) return fieldsA[i] < fieldsB[i] ? -1 : 1;
    return 0;
}

} // namespace orv::sqlite
