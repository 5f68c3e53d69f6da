#include "base/ReportingPeriod.h"

#include "base/DatumIzTeksta.h"

#include <cmath>

namespace orv {

namespace {

// The one run of the program (everything runs on one thread) and the window it belongs to.
const Vmesnik* gWindow = nullptr;
const ReportingPeriod* gPeriod = nullptr;

} // namespace

ReportingPeriod periodOf(DateValue date, std::string windowText) {
    ReportingPeriod period;
    const DateParts parts = decodeDate(date);
    period.date = date;
    period.day = encodeDate(parts.year, parts.month, parts.day);
    period.year = parts.year;
    period.month = parts.month;
    period.dayOfMonth = parts.day;
    period.daysInMonth = daysInMonth(parts.year, parts.month);
    period.dayText = dateText(parts.day, parts.month, parts.year);
    period.monthStart = dateText(1, parts.month, parts.year);
    period.monthEnd = dateText(period.daysInMonth, parts.month, parts.year);
    period.yearStart = dateText(1, 1, parts.year);
    period.lastYearStart = dateText(1, 1, parts.year - 1);
    period.lastYear = std::to_string(parts.year - 1);
    period.windowText = std::move(windowText);
    return period;
}

const ReportingPeriod* activePeriod(const Vmesnik& window) {
    return gWindow == &window ? gPeriod : nullptr;
}

ReportingPeriod reportingPeriod(const Vmesnik& window) {
    if (const ReportingPeriod* active = activePeriod(window)) return *active;
    const std::string text = window.eDanText();
    return periodOf(DatumIzTeksta(window, text), text);
}

ActivePeriod::ActivePeriod(const Vmesnik& window, const ReportingPeriod& period)
    : period_(&period) {
    gWindow = &window;
    gPeriod = &period;
}

ActivePeriod::~ActivePeriod() {
    // Only the registration that is still this one's ends with it: a newer run keeps its own.
    if (gPeriod == period_) {
        gWindow = nullptr;
        gPeriod = nullptr;
    }
}

} // namespace orv
