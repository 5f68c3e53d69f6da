#pragma once
// How a value goes into a workbook that the import reads back as it was: the import's readers
// turn every cell into a text (numbers with '.', dates dd.mm.yyyy), so each value is written
// as a cell whose text is the value's own.

#include "db/FieldInfo.h"

#include <string>

namespace orv {

class Field;

struct CelicaPreglednice {
    enum class Vrsta {
        Prazna,   ///< NULL: no cell
        Besedilo, ///< a text cell, also for codes with leading zeros
        Stevilo,  ///< a number
        Datum     ///< a date (with its time of day when it has one)
    };
    Vrsta vrsta = Vrsta::Prazna;
    std::string besedilo; ///< a text's text (the others' texts: besediloCelice)
    double vrednost = 0;  ///< a number's value, a date's day number (days from 30.12.1899)
    /// A number that a spreadsheet keeps whole: its shortest exact digits are 15 or fewer (a
    /// spreadsheet program shows and reads numbers to 15 significant digits).
    bool petnajstMest = true;
    bool sCasom = false; ///< a date with a time of day
};

/// The cell of a field of the kind `vrsta`.
CelicaPreglednice celicaPreglednice(Field& field, FieldType vrsta);

/// The cell's text as the import reads it: a text itself; a number's shortest exact digits
/// ("0.1", "0.30000000000000004", "1e-07"); a date's "dd.mm.yyyy" or "dd.mm.yyyy hh:mm:ss";
/// empty for NULL.
std::string besediloCelice(const CelicaPreglednice& celica);

} // namespace orv
