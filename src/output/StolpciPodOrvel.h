#pragma once
// The columns of POD_ORVEL, the output table, in one list: name, kind, width and how the
// transfer writes each one. The schema of the table, the row writer's plain columns, the
// importable names and the export's columns all come from here, so a column added or widened
// here is added or widened everywhere.

#include "output/IzhodniZapis.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orv {

/// What a column holds: a text keeps what it is given (codes keep their leading zeros), a
/// number holds amounts, rates and counts, a date a calendar day.
enum class VrstaStolpca { Besedilo, Stevilo, Datum };

/// How the transfer's row writer fills a column.
enum class Pisanje {
    Clen,    ///< from the output record's member of the same name, for every row
    Nicla,   ///< always 0
    Prazno,  ///< always NULL
    Pogojno, ///< by the writer's own code: a condition, a date read from a text, a computed code
    Uvoz,    ///< never by the transfer; only an import of corrected rows fills it
};

/// The output record's member that a Clen column takes.
using ClenZapisa =
    std::variant<std::monostate, std::string IzhodniZapis::*, double IzhodniZapis::*>;

struct StolpecPodOrvel {
    const char* ime;
    VrstaStolpca vrsta;
    int sirina; ///< characters of a text column; 0 for numbers and dates
    Pisanje pisanje;
    ClenZapisa clen; ///< set for Clen columns only
};

/// Every column of POD_ORVEL in table order (the order of the schema, of `SELECT *` and of a
/// whole export).
const std::vector<StolpecPodOrvel>& stolpciPodOrvel();

/// Every column's name in table order, joined by ", ": the select list of a whole row.
std::string seznamStolpcevPodOrvel();

/// The column named `ime` (any case), or nullptr when POD_ORVEL has none of that name.
const StolpecPodOrvel* stolpecPodOrvel(std::string_view ime);

} // namespace orv
