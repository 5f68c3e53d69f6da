#pragma once
// The reporting date of a run and the date texts of its period, worked out once from the date
// edit's text. While a transfer runs, its period is registered for its window, so that every
// reader of the date edit (DatumIzTeksta, the lookups) takes the parsed date instead of parsing
// the text again on every call.

#include "base/Datum.h"
#include "base/Vmesnik.h"

#include <string>

namespace orv {

struct ReportingPeriod {
    DateValue date = 0; ///< the date edit's date as DatumIzTeksta reads it (time included)
    DateValue day = 0;  ///< the same without a time of day
    int year = 0, month = 0, dayOfMonth = 0;
    int daysInMonth = 0;       ///< Gregorian: February 2100 has 28 days
    std::string dayText;       ///< the reporting day, dd.mm.yyyy
    std::string monthStart;    ///< day 1 of its month
    std::string monthEnd;      ///< the last day of its month
    std::string yearStart;     ///< 1 January of its year
    std::string lastYearStart; ///< 1 January of the year before
    std::string lastYear;      ///< the year before, as digits
    std::string windowText;    ///< the date edit's text exactly as shown
};

/// The period of a date; `windowText` is the date edit's text as the operator sees it.
ReportingPeriod periodOf(DateValue date, std::string windowText);

/// The period of the window's date edit: the registered one while a run of that window is going
/// on, else parsed from the text now. Throws std::runtime_error when the date edit holds no date.
ReportingPeriod reportingPeriod(const Vmesnik& window);

/// The registered period of a window, or nullptr when none is registered.
const ReportingPeriod* activePeriod(const Vmesnik& window);

/// Registers a window's period for the lifetime of the object (one run). Runs do not nest: a
/// newer registration replaces an older one, and the older one's end leaves the newer in place.
class ActivePeriod {
public:
    ActivePeriod(const Vmesnik& window, const ReportingPeriod& period);
    ~ActivePeriod();
    ActivePeriod(const ActivePeriod&) = delete;
    ActivePeriod& operator=(const ActivePeriod&) = delete;

private:
    const ReportingPeriod* period_;
};

} // namespace orv
