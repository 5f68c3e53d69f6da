#pragma once
// Reading a date from a text, with the main window's date as the fallback for an empty text.

#include "base/Datum.h"
#include "base/Vmesnik.h"

#include <string_view>

namespace orv {

/// The date of the first word of `text`. An empty or all-blank text gives the date of the date
/// edit `eDan`; a first word that is no date gives today. Throws std::runtime_error when the date
/// edit itself holds no valid date, whatever `text` is.
DateValue DatumIzTeksta(const Vmesnik& window, std::string_view text);

/// The date of the date edit `eDan`; throws std::runtime_error when it holds no valid date.
DateValue datumOkna(const Vmesnik& window);

} // namespace orv
