#include "base/Besedilo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orv {

std::string PrvaBeseda(std::string_view text) {
    const size_t blank = text.find(' ');
    return std::string(blank == std::string_view::npos ? text : text.substr(0, blank));
}

std::string trim(std::string_view text) {
    size_t start = 0;
    size_t end = text.size();
    while (start < end && static_cast<unsigned char>(text[start]) <= ' ')
        ++start;
    while (end > start && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return std::string(text.substr(start, end - start));
}

std::string toUpper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return result;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x == y) continue;
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

bool startsWithIgnoringCase(std::string_view text, size_t pos, std::string_view prefix) {
    return pos <= text.size() && text.size() - pos >= prefix.size() &&
           equalIgnoringCase(text.substr(pos, prefix.size()), prefix);
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

double roundHalfEven(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    // Work on the shortest decimal text of the value so that 0.125 is a true half.
    char text[64];
    std::snprintf(text, sizeof text, "%.15e", value);
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::strtod(text, nullptr) * scale;
    double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    // Judge the half on a tolerance of the double's own precision.
    const double tolerance = std::fabs(scaled) * 1e-14 + 1e-14;
    if (std::fabs(fraction - 0.5) <= tolerance) {
        if (std::fmod(whole, 2.0) != 0.0) whole += 1.0;
    } else if (fraction > 0.5) {
        whole += 1.0;
    }
    return whole / scale;
}

std::string formatNumber(double value) {
    if (value == 0.0) return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string exactNumberText(double value) {
    char text[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

std::string lineBreaksForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            out += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            out += '\n';
        }
    }
    return out;
}

} // namespace orv
