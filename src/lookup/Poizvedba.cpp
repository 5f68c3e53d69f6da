#include "lookup/Poizvedba.h"

#include "base/DatumIzTeksta.h"

#include <cctype>

namespace orv {

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

} // namespace

std::string sqlNumber(std::string_view text) {
    return isDecimalNumber(text) ? std::string(text) : std::string("NULL");
}

DateValue normalisedDate(const Vmesnik& window, std::string_view dateText) {
    return DatumIzTeksta(window, formatDate(DatumIzTeksta(window, dateText)));
}

DateValue reportingDay(const Vmesnik& window) {
    if (const ReportingPeriod* active = activePeriod(window)) return active->day;
    return normalisedDate(window, window.eDanText());
}

DateValue reportingDate(const Vmesnik& window) {
    if (const ReportingPeriod* active = activePeriod(window)) return active->date;
    return DatumIzTeksta(window, window.eDanText());
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
