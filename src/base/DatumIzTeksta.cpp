#include "base/DatumIzTeksta.h"

#include "base/Besedilo.h"
#include "base/ReportingPeriod.h"

#include <stdexcept>

namespace orv {

DateValue datumOkna(const Vmesnik& window) {
    // During a run the date edit was read once when the run began.
    if (const ReportingPeriod* active = activePeriod(window)) return active->date;
    const std::string text = window.eDanText();
    const auto date = parseDate(trim(text));
    if (!date) throw std::runtime_error("'" + text + "' is not a valid date");
    return *date;
}

DateValue DatumIzTeksta(const Vmesnik& window, std::string_view text) {
    // The window's date is read first and unprotected: an invalid date edit fails every call.
    const DateValue windowDate = datumOkna(window);
    if (trim(text).empty()) return windowDate;
    const auto date = parseDate(PrvaBeseda(text));
    return date ? *date : today();
}

} // namespace orv
