#include "sheet/CellText.h"

#include "base/Datum.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orv::sheet {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads exactly `count` digits at `pos`.
std::optional<int> digits(std::string_view text, size_t pos, size_t count) {
    if (pos + count > text.size()) return std::nullopt;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The significant digits of a positive finite value rounded to 15 of them, without trailing
// zeros, into `out` (room for 17), and the decimal exponent of the first one; returns their
// count.
size_t significantDigits(double magnitude, char* out, int& exponent) {
    char text[64];
    const auto read = [&](std::to_chars_result written) {
        const char* begin = text;
        const char* end = written.ptr;
        const char* e = std::find(begin, end, 'e');
        size_t count = 0;
        for (const char* p = begin; p < e; ++p)
            if (*p != '.') out[count++] = *p;
        while (count > 1 && out[count - 1] == '0')
            --count;
        exponent = 0;
        std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
        return count;
    };
    // The shortest text that reads back as the same double. When it has at most 15 digits it is
    // also the value rounded to 15 digits: a decimal of 15 digits survives the way into a double
    // and back. That holds for normal doubles only; subnormal ones, and values that need 16 or
    // 17 digits, are rounded explicitly.
    if (magnitude >= std::numeric_limits<double>::min()) {
        const size_t count =
            read(std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific));
        if (count <= 15) return count;
    }
    return read(
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14));
}

} // namespace

std::string numberText(double value) {
    if (!std::isfinite(value)) return "";
    if (value == 0.0) return "0";
    const double magnitude = std::fabs(value);
    if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
        // A whole number of at most 15 digits: exactly its digits.
        char whole[24];
        const auto written =
            std::to_chars(whole, whole + sizeof whole, static_cast<long long>(value));
        return std::string(whole, written.ptr);
    }
    char digits[24];
    int exponent = 0;
    const auto count = static_cast<int>(significantDigits(magnitude, digits, exponent));
    if (count == 1 && digits[0] == '0') return "0";

    // The decimal point goes after digit number exponent + 1.
    std::string plain;
    plain.reserve(static_cast<size_t>(std::abs(exponent) + count + 3));
    if (value < 0) plain += '-';
    const int pointAfter = exponent + 1;
    if (pointAfter <= 0) {
        plain += "0.";
        plain.append(static_cast<size_t>(-pointAfter), '0');
        plain.append(digits, static_cast<size_t>(count));
    } else if (pointAfter >= count) {
        plain.append(digits, static_cast<size_t>(count));
        plain.append(static_cast<size_t>(pointAfter - count), '0');
    } else {
        plain.append(digits, static_cast<size_t>(pointAfter));
        plain += '.';
        plain.append(digits + pointAfter, static_cast<size_t>(count - pointAfter));
    }
    return plain;
}

std::string serialDateText(double serial, bool date1904) {
    double days = serial;
    if (date1904) {
        days += 1462; // 01.01.1904 in the 1900 system
    } else if (days < 61) {
        // The 1900 system counts a 29.02.1900 that never was: before it, its days are one more
        // than the program's, which start at 30.12.1899.
        days += 1;
    }
    return formatDateTime(days);
}

std::optional<std::string> isoDateText(std::string_view text) {
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    if (!year || !month || !day || text[4] != '-' || text[7] != '-') return std::nullopt;
    if (!isValidDate(*year, *month, *day)) return std::nullopt;
    DateParts parts{*year, *month, *day, 0, 0, 0};
    if (text.size() > 10) {
        if (text[10] != 'T' && text[10] != ' ') return std::nullopt;
        const auto hour = digits(text, 11, 2);
        const auto minute = digits(text, 14, 2);
        if (!hour || !minute || text.size() < 16 || text[13] != ':') return std::nullopt;
        parts.hour = *hour;
        parts.minute = *minute;
        if (text.size() > 16) {
            const auto second = digits(text, 17, 2);
            if (text[16] != ':' || !second) return std::nullopt;
            parts.second = *second;
            // A fraction of a second or a zone designator is dropped.
        }
        if (parts.hour > 23 || parts.minute > 59 || parts.second > 59) return std::nullopt;
    }
    return formatDateTime(encodeDateTime(parts));
}

bool isBuiltInDateFormat(int formatId) {
    return (formatId >= 14 && formatId <= 22) || (formatId >= 27 && formatId <= 36) ||
           (formatId >= 45 && formatId <= 47) || (formatId >= 50 && formatId <= 58);
}

bool isDateFormatCode(std::string_view code) {
    // Only the first section (positive numbers) decides.
    bool inQuotes = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (inQuotes) {
            if (c == '"') inQuotes = false;
            continue;
        }
        switch (c) {
        case '"':
            inQuotes = true;
            break;
        case '\\':
        case '_':
        case '*':
            ++i; // the next character is shown as it is (or is padding)
            break;
        case '[': {
            // [h], [mm] and [ss] are elapsed times; [Red], [$-424] and the like are not.
            const size_t close = code.find(']', i);
            if (close == std::string_view::npos) return false;
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            if (!inside.empty() && (inside[0] == 'h' || inside[0] == 'H' || inside[0] == 'm' ||
                                    inside[0] == 'M' || inside[0] == 's' || inside[0] == 'S'))
                return true;
            i = close;
            break;
        }
        case ';':
            return false;
        case 'd':
        case 'D':
        case 'm':
        case 'M':
        case 'y':
        case 'Y':
        case 'h':
        case 'H':
        case 's':
        case 'S':
            return true;
        case 'G':
        case 'g':
            // "General" shows a number.
            if (code.substr(i, 7) == "General" || code.substr(i, 7) == "general") i += 6;
            break;
        default:
            break;
        }
    }
    return false;
}

std::optional<std::string> decimalCommaText(std::string_view text) {
    size_t pos = text.size() > 0 && text[0] == '-' ? 1 : 0;
    const size_t comma = text.find(',', pos);
    if (comma == std::string_view::npos || comma == pos || comma + 1 >= text.size())
        return std::nullopt;
    for (size_t i = pos; i < text.size(); ++i)
        if (i != comma && !isDigit(text[i])) return std::nullopt;
    std::string converted(text);
    converted[comma] = '.';
    return converted;
}

std::optional<std::string> shortDateText(std::string_view text) {
    // Only d.m.yyyy: two-digit years and missing years are left as texts.
    const size_t first = text.find('.');
    const size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
    if (second == std::string_view::npos || text.size() - second - 1 != 4) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != first && i != second && !isDigit(text[i])) return std::nullopt;
    if (first < 1 || first > 2 || second - first - 1 < 1 || second - first - 1 > 2)
        return std::nullopt;
    const auto number = [&](size_t from, size_t to) {
        int value = 0;
        for (size_t i = from; i < to; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const int day = number(0, first);
    const int month = number(first + 1, second);
    const int year = number(second + 1, text.size());
    if (!isValidDate(year, month, day)) return std::nullopt;
    return dateText(day, month, year);
}

} // namespace orv::sheet
