#pragma once
// What an export needs to know of each column before it writes the first row: its name, its
// kind, and how wide its values are. The widths are measured over all rows, so that a table
// column always holds every value whole.

#include "db/FieldInfo.h"

#include <cstddef>
#include <string>
#include <vector>

namespace orv {

class TOracleDataSet;

struct StolpecIzvoza {
    int polje = 0;   ///< position of the field in the dataset
    std::string ime; ///< the field's name
    FieldType vrsta = FieldType::String;
    int velikost = 0; ///< declared width of a text field (0: unknown)
    /// Text: the longest value in code page 1250 bytes. Number: the widest value written with
    /// `decimalke` places. Date: 10, or 19 when a value has a time of day.
    int najdaljsa = 0;
    int decimalke = 0;   ///< number: the places every value of the column needs to be exact
    bool sCasom = false; ///< date: some value has a time of day
};

/// The given fields (positions in the dataset) with their names, kinds and declared widths,
/// unmeasured: what the spreadsheet writers need, whose cells take any width.
std::vector<StolpecIzvoza> stolpciPolj(TOracleDataSet& dataset, const std::vector<int>& polja);

/// Measures the given fields (positions in the dataset) over all rows of the open dataset; the
/// dataset stands on its first row afterwards.
std::vector<StolpecIzvoza> izmeriStolpce(TOracleDataSet& dataset, const std::vector<int>& polja);

/// The fewest decimal places with which `value` prints exactly as the program prints it ("%.15g").
int potrebneDecimalke(double value);

/// `value` with `decimalke` places ("%.*f"), never as "-0".
std::string stevilkaZDecimalkami(double value, int decimalke);

/// Field names for a format whose names have at most `najvec` characters of ASCII letters,
/// digits and '_'. A name that fits keeps it (of names equal but for case, the first). Each other
/// name, in order: every character other than an ASCII letter, digit or '_' becomes one '_' (an
/// empty name becomes "POLJE"); it is cut to `najvec` characters; when that equals (ignoring
/// case) a name already given, it keeps its first `najvec` - 1 - d characters and ends in '_' and
/// the smallest number N of d digits (1, 2, ...) that makes it unique.
std::vector<std::string> kratkaImena(const std::vector<std::string>& imena, size_t najvec);

} // namespace orv
