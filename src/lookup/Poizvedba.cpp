#include "lookup/Poizvedba.h"

#include "base/DatumIzTeksta.h"

#include <cctype>
#include <cstdio>

namespace orv {

std::string sqlText(std::string_view text) {
    std::string literal = "'";
    for (const char c : text) {
        literal += c;
        if (c == '\'') literal += '\'';
    }
    return literal + "'";
}

namespace {

bool isDecimalNumber(std::string_view text) {
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits > 0;
}

std::string dayText(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "%2.2d.%2.2d.%4.4d", day, month, year);
    return text;
}

} // namespace

std::string sqlNumber(std::string_view text) {
    return isDecimalNumber(text) ? std::string(text) : sqlText(text);
}

DateValue normalisedDate(const Vmesnik& window, std::string_view dateText) {
    return DatumIzTeksta(window, formatDate(DatumIzTeksta(window, dateText)));
}

ReportingPeriod reportingPeriod(const Vmesnik& window) {
    ReportingPeriod period;
    period.date = DatumIzTeksta(window, window.eDanText());
    const DateParts parts = decodeDate(period.date);
    period.year = parts.year;
    period.month = parts.month;
    period.day = parts.day;
    period.daysInMonth = daysInMonth(parts.year, parts.month);
    period.dayText = dayText(parts.year, parts.month, parts.day);
    period.monthStart = dayText(parts.year, parts.month, 1);
    period.yearStart = dayText(parts.year, 1, 1);
    period.monthEnd = dayText(parts.year, parts.month, period.daysInMonth);
    return period;
}

void openWithVariables(TDM& dm, TOracleDataSet& dataset, const std::string& sql,
                       std::initializer_list<Binding> variables, const std::string& debugFile) {
    dataset.Close();
    dataset.setSQL(sql);
    for (const Binding& variable : variables)
        dataset.SetVariable(variable.name, variable.value);
    dm.saveDebugSql(dataset, debugFile);
    dataset.Open();
}

} // namespace orv
