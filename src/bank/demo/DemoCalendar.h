#pragma once
// Days of the demo bank: whole day numbers (the date values of the program without time), with
// the canonical text dd.mm.yyyy in which every date column is written.

#include "base/Datum.h"

#include <string>

namespace orv::demo {

using Dan = long;

inline Dan dan(int day, int month, int year) {
    return static_cast<Dan>(encodeDate(year, month, day));
}

inline std::string besedilo(Dan day) {
    return formatDate(static_cast<DateValue>(day));
}

inline DateParts deli(Dan day) {
    return decodeDate(static_cast<DateValue>(day));
}

inline Dan konecMeseca(int year, int month) {
    return dan(daysInMonth(year, month), month, year);
}

/// The day `months` calendar months later (negative: earlier), cut to the month's last day.
inline Dan plusMesecev(Dan day, int months) {
    return static_cast<Dan>(addMonths(static_cast<DateValue>(day), months));
}

/// The reporting date the demo bank is made for; every month end of its year also has data.
inline const Dan kPorocilniDan = dan(31, 12, 2024);
/// Postings spread over the year before the reporting year and the reporting year itself.
inline const Dan kZacetekKnjizb = dan(1, 1, 2023);
inline const int kPorocilnoLeto = 2024;

} // namespace orv::demo
