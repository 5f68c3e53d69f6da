#pragma once
// What every reference lookup shares: splicing values into statement texts, the dates of the
// reporting period, opening a dataset with bound variables, and the guard that shows a failed
// statement before the failure goes on to the caller.

#include "base/Datum.h"
#include "base/ReportingPeriod.h"
#include "base/SqlText.h"
#include "base/Vmesnik.h"
#include "db/TDM.h"
#include "db/Value.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace orv {

/// A text that a statement compares unquoted with a number column (an account number given as
/// text). A plain decimal number is spliced as it is; anything else is spliced as NULL, which
/// equals nothing, so the lookup finds nothing instead of running a statement the text has
/// changed. (A quoted literal would find nothing on the embedded bank but fail with ORA-01722 on
/// a server, which converts the text to compare it with the number.)
std::string sqlNumber(std::string_view text);

/// The day of a date text as the lookups bind it: read with DatumIzTeksta, written as
/// "dd.mm.yyyy" and read back, so that a time part is dropped.
DateValue normalisedDate(const Vmesnik& window, std::string_view dateText);

/// The reporting day without a time of day, as the lookups bind it (the run's parsed date while
/// a run is going on).
DateValue reportingDay(const Vmesnik& window);

/// The reporting date as DatumIzTeksta reads the date edit (the run's parsed date while a run is
/// going on).
DateValue reportingDate(const Vmesnik& window);

/// The prefixes of the lookups' failure messages; each is followed by the statement text.
inline constexpr std::string_view kNapakaPrefix = "Napaka:\r";
inline constexpr std::string_view kErrorPrefix = "Error: \r";

/// Runs `body`. When it fails, shows `prefix` followed by `sql` as it stands at that moment (the
/// statement as built so far) and raises the same failure again.
template <typename Body>
decltype(auto) showAndRethrow(Vmesnik& window, std::string_view prefix, const std::string& sql,
                              Body&& body) {
    try {
        return body();
    } catch (...) {
        window.showMessage(std::string(prefix) + sql);
        throw;
    }
}

/// A named variable and its value for `openWithVariables`.
struct Binding {
    const char* name;
    Value value;
};

/// Opens a statement as TDM::OdpriPoizvedbo does (close, replace the text, save the debug file,
/// open), binding the variables after the text is replaced and before the open.
void openWithVariables(TDM& dm, TOracleDataSet& dataset, const std::string& sql,
                       std::initializer_list<Binding> variables, const std::string& debugFile = "");

} // namespace orv
