// TO_CHAR: numbers and dates as text, with or without a format mask.
//
// Date masks: the elements of DateFormat.h. Number masks: an optional FM, digits 9 and 0, group
// separators ',' and one decimal point '.'.

#include "base/Besedilo.h"
#include "db/sqlite/dialect/DateFormat.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"
#include "db/sqlite/dialect/Rounding.h"

#include <cmath>
#include <cstdio>

namespace orv::sqlite {

namespace {

constexpr const char* kBadDateMask = "ORA-01821: date format not recognized";
constexpr const char* kBadNumberMask = "ORA-01481: invalid number format model";

// The number written by the mask; empty optional for an unknown mask.
std::optional<std::string> formatNumber(double value, std::string mask) {
    const bool fillMode = startsWithIgnoringCase(mask, 0, "FM");
    if (fillMode) mask.erase(0, 2);
    const size_t point = mask.find('.');
    const std::string integerMask = mask.substr(0, point);
    const std::string fractionMask = point == std::string::npos ? "" : mask.substr(point + 1);
    if (integerMask.find_first_not_of("90,") != std::string::npos ||
        fractionMask.find_first_not_of("90") != std::string::npos)
        return std::nullopt;
    const auto decimals = static_cast<int>(fractionMask.size());
    const double rounded = roundHalfAwayFromZero(std::fabs(value), decimals);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
    std::string digits = buffer;
    std::string whole = digits.substr(0, digits.find('.'));
    const std::string fraction = decimals > 0 ? digits.substr(digits.find('.')) : "";
    // Digits the mask requires: from its first 0 on.
    size_t required = 0;
    for (size_t i = integerMask.find('0'); i < integerMask.size(); ++i)
        if (integerMask[i] != ',') ++required;
    if (whole == "0" && required == 0 && decimals > 0) whole.clear();
    while (whole.size() < required)
        whole.insert(0, "0");
    // Group separators where the mask has them, counted from the right.
    std::string grouped;
    size_t digit = whole.size();
    for (size_t i = integerMask.size(); i-- > 0 && digit > 0;) {
        if (integerMask[i] == ',') {
            grouped.insert(0, ",");
        } else {
            grouped.insert(0, 1, whole[--digit]);
        }
    }
    const size_t maskDigits = integerMask.size();
    if (digit > 0) return std::string(maskDigits + fraction.size() + 1, '#');
    std::string text = (value < 0 && rounded != 0.0 ? "-" : "") + grouped + fraction;
    if (!fillMode)
        while (text.size() < maskDigits + fraction.size() + 1)
            text.insert(0, " ");
    return text;
}

// A date without a mask is written as the session writes dates, dd.mm.yyyy; anything else as
// its text.
std::string textWithoutMask(sqlite3_value* value) {
    DateParts parts;
    if (sqlite3_value_type(value) == SQLITE_TEXT &&
        readDateText(*argumentText(value), parts) == DateTextError::None)
        return *formatDateMask(parts, "DD.MM.YYYY");
    return *argumentText(value);
}

} // namespace

void body::toChar(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) return sqlite3_result_null(context);
    if (argc == 1) return resultText(context, textWithoutMask(argv[0]));
    const std::optional<std::string> mask = argumentText(argv[1]);
    if (!mask) return sqlite3_result_null(context);
    if (type == SQLITE_TEXT) {
        DateParts parts;
        if (readDateText(*argumentText(argv[0]), parts) == DateTextError::None) {
            const std::optional<std::string> text = formatDateMask(parts, *mask);
            if (!text) return sqlite3_result_error(context, kBadDateMask, -1);
            return resultText(context, *text);
        }
    }
    bool ok = true;
    const std::optional<Number> number = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    const std::optional<std::string> text = formatNumber(number->value(), *mask);
    if (!text) return sqlite3_result_error(context, kBadNumberMask, -1);
    resultText(context, *text);
}

} // namespace orv::sqlite
