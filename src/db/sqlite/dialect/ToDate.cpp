// TO_DATE(text [, mask]): a text read as a date, returned as the canonical date text.
//
// Mask elements: DD, MM, MON and MONTH (English or Slovenian month names), YYYY, YY, RRRR, RR,
// HH24, HH12 and HH with AM/PM, MI, SS; any other character but a letter or digit separates.
// As in the bank's database, the input may use any punctuation where the mask has one, numbers
// may have fewer digits than their element, YY and RR also take four digits, and elements missing
// at the end of the input take their defaults: the first day of the current month of the current
// year at midnight. Without a mask the text is read as the session's dates are written
// (d.m.yyyy with an optional time of day).

#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <array>
#include <ctime>

namespace orv::sqlite {

namespace {

constexpr const char* kBadMask = "ORA-01821: date format not recognized";
constexpr const char* kNotNumeric =
    "ORA-01858: a non-numeric character was found where a numeric was expected";
constexpr const char* kBadMonth = "ORA-01843: not a valid month";
constexpr const char* kInputLeft =
    "ORA-01830: date format picture ends before converting entire input string";

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isAlphanumeric(char c) {
    return isDigit(c) || (upper(c) >= 'A' && upper(c) <= 'Z');
}

// Month names, full names before abbreviations so that the longest one matches.
constexpr std::array<std::array<const char*, 12>, 4> kMonthNames = {{
    {"JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY", "AUGUST", "SEPTEMBER",
     "OCTOBER", "NOVEMBER", "DECEMBER"},
    {"JANUAR", "FEBRUAR", "MAREC", "APRIL", "MAJ", "JUNIJ", "JULIJ", "AVGUST", "SEPTEMBER",
     "OKTOBER", "NOVEMBER", "DECEMBER"},
    {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"},
    {"JAN", "FEB", "MAR", "APR", "MAJ", "JUN", "JUL", "AVG", "SEP", "OKT", "NOV", "DEC"},
}};

enum class YearKind { Full, CurrentCentury, Window };

class MaskReader {
public:
    MaskReader(std::string_view input, std::string_view mask) : input_(input), mask_(mask) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        currentYear_ = local.tm_year + 1900;
        parts_.year = currentYear_;
        parts_.month = local.tm_mon + 1;
        parts_.day = 1;
        parts_.hour = parts_.minute = parts_.second = 0;
    }

    // The date; nullptr for success, else the bank database's error text.
    const char* run(DateParts& parts) {
        while (maskPos_ < mask_.size()) {
            skipBlanks();
            if (inputPos_ >= input_.size()) break; // the rest takes its defaults
            if (const char* error = element()) return error;
        }
        skipBlanks();
        if (inputPos_ < input_.size()) return kInputLeft;
        if (pm_ && parts_.hour < 12) parts_.hour += 12;
        if (am_ && parts_.hour == 12) parts_.hour = 0;
        if (const char* error = validate()) return error;
        parts = parts_;
        return nullptr;
    }

private:
    std::string_view input_, mask_;
    size_t inputPos_ = 0, maskPos_ = 0;
    DateParts parts_;
    int currentYear_ = 0;
    bool twelveHour_ = false, am_ = false, pm_ = false;

    bool maskAt(std::string_view element) const {
        if (maskPos_ + element.size() > mask_.size()) return false;
        for (size_t i = 0; i < element.size(); ++i)
            if (upper(mask_[maskPos_ + i]) != element[i]) return false;
        return true;
    }

    bool inputAt(std::string_view text) const {
        if (inputPos_ + text.size() > input_.size()) return false;
        for (size_t i = 0; i < text.size(); ++i)
            if (upper(input_[inputPos_ + i]) != text[i]) return false;
        return true;
    }

    void skipBlanks() {
        while (inputPos_ < input_.size() && input_[inputPos_] == ' ')
            ++inputPos_;
    }

    const char* element() {
        const char c = mask_[maskPos_];
        if (c == '"') return quotedText();
        if (!isAlphanumeric(c)) {
            ++maskPos_;
            // Any punctuation of the input stands for the mask's, and it may be left out.
            while (inputPos_ < input_.size() && !isAlphanumeric(input_[inputPos_]))
                ++inputPos_;
            return nullptr;
        }
        if (maskAt("MONTH") || maskAt("MON")) return monthName(maskAt("MONTH") ? 5 : 3);
        if (maskAt("AM") || maskAt("PM")) return meridian();
        const struct {
            std::string_view element;
            size_t digits;
            int* field;
        } numeric[] = {
            {"YYYY", 4, &parts_.year}, {"RRRR", 4, &parts_.year}, {"HH24", 2, &parts_.hour},
            {"HH12", 2, &parts_.hour}, {"YY", 4, &parts_.year},   {"RR", 4, &parts_.year},
            {"MM", 2, &parts_.month},  {"DD", 2, &parts_.day},    {"HH", 2, &parts_.hour},
            {"MI", 2, &parts_.minute}, {"SS", 2, &parts_.second}};
        for (const auto& [name, digits, field] : numeric) {
            if (!maskAt(name)) continue;
            maskPos_ += name.size();
            if (name == "HH12" || name == "HH") twelveHour_ = true;
            size_t read = 0;
            if (!readNumber(digits, *field, read)) return kNotNumeric;
            if (name == "YY" || name == "RR" || name == "RRRR")
                *field = expandYear(*field, read,
                                    name == "YY" ? YearKind::CurrentCentury : YearKind::Window);
            return nullptr;
        }
        return kBadMask;
    }

    const char* quotedText() {
        const size_t close = mask_.find('"', maskPos_ + 1);
        if (close == std::string_view::npos) return kBadMask;
        const std::string_view text = mask_.substr(maskPos_ + 1, close - maskPos_ - 1);
        if (input_.substr(inputPos_, text.size()) != text) return kBadMask;
        inputPos_ += text.size();
        maskPos_ = close + 1;
        return nullptr;
    }

    bool readNumber(size_t maxDigits, int& value, size_t& read) {
        value = 0;
        read = 0;
        while (read < maxDigits && inputPos_ < input_.size() && isDigit(input_[inputPos_])) {
            value = value * 10 + (input_[inputPos_] - '0');
            ++inputPos_;
            ++read;
        }
        return read > 0;
    }

    int expandYear(int year, size_t digits, YearKind kind) const {
        if (digits > 2 || kind == YearKind::Full) return year;
        const int century = currentYear_ / 100 * 100;
        if (kind == YearKind::CurrentCentury) return century + year;
        // RR: the two-digit year closest to the current one, within fifty years.
        const int current = currentYear_ % 100;
        if (year < 50 && current >= 50) return century + 100 + year;
        if (year >= 50 && current < 50) return century - 100 + year;
        return century + year;
    }

    const char* monthName(size_t elementSize) {
        maskPos_ += elementSize;
        for (const auto& names : kMonthNames) {
            for (size_t m = 0; m < names.size(); ++m) {
                if (!inputAt(names[m])) continue;
                inputPos_ += std::string_view(names[m]).size();
                parts_.month = static_cast<int>(m) + 1;
                return nullptr;
            }
        }
        return kBadMonth;
    }

    const char* meridian() {
        maskPos_ += 2;
        if (inputAt("AM") || inputAt("PM")) {
            (inputAt("PM") ? pm_ : am_) = true;
            inputPos_ += 2;
            return nullptr;
        }
        return "ORA-01855: AM/A.M. or PM/P.M. required";
    }

    const char* validate() {
        if (twelveHour_ && (parts_.hour < 1 || parts_.hour > 12) && !pm_ && !am_)
            return "ORA-01849: hour must be between 1 and 12";
        if (parts_.year < 1 || parts_.year > 9999) return dateErrorText(DateTextError::BadYear);
        if (parts_.month < 1 || parts_.month > 12) return kBadMonth;
        if (parts_.day < 1 || parts_.day > daysInMonth(parts_.year, parts_.month))
            return dateErrorText(DateTextError::BadDay);
        if (parts_.hour > 23) return dateErrorText(DateTextError::BadHour);
        if (parts_.minute > 59) return dateErrorText(DateTextError::BadMinute);
        if (parts_.second > 59) return dateErrorText(DateTextError::BadSecond);
        return nullptr;
    }
};

} // namespace

void body::toDate(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const std::optional<std::string> text = argumentText(argv[0]);
    const std::optional<std::string> mask = argc > 1 ? argumentText(argv[1]) : std::nullopt;
    if (!text || (argc > 1 && !mask)) return sqlite3_result_null(context);
    DateParts parts;
    if (!mask) {
        const DateTextError error = readDateText(*text, parts);
        if (error != DateTextError::None)
            return sqlite3_result_error(context, dateErrorText(error), -1);
        return resultText(context, canonicalDateText(parts));
    }
    if (const char* error = MaskReader(*text, *mask).run(parts))
        return sqlite3_result_error(context, error, -1);
    resultText(context, canonicalDateText(parts));
}

} // namespace orv::sqlite
