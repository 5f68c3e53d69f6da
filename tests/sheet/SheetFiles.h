#pragma once
// Spreadsheet files written by the tests themselves: .xlsx through libxlsxwriter, .csv as text.

#include <string>
#include <variant>
#include <vector>

namespace orv::sheet::test {

struct Datum {
    int year, month, day;
    int hour = 0, minute = 0, second = 0;
};
/// A formula with the result the writing program stores beside it.
struct Formula {
    std::string text;
    double result = 0;
};

/// One cell: empty, a text, a number, a date (in a date format), a boolean or a formula.
using Cell = std::variant<std::monostate, std::string, double, Datum, bool, Formula>;
using Row = std::vector<Cell>;
using Sheet = std::vector<Row>; // rows from row 1 on

/// Cells by hand: Cell("text"), Cell(12.5), ...
inline Cell text(std::string value) {
    return Cell(std::move(value));
}

struct XlsxOptions {
    /// libxlsxwriter's streaming mode: strings are written inline instead of shared.
    bool inlineStrings = false;
    /// A second sheet before the data sheet, which is then the one shown when the file opens.
    bool dataOnSecondSheet = false;
};

/// Writes `sheet` as the first (or shown) sheet of an .xlsx workbook.
void writeXlsx(const std::string& path, const Sheet& sheet, const XlsxOptions& options = {});

/// Writes `sheet` as a text file: texts as they are (quoted when they hold the separator, a
/// quote or a line break), numbers as "%.15g" with `decimalComma` turning '.' into ',', dates
/// as dd.mm.yyyy. `windows1250` writes the text in that code page instead of UTF-8.
void writeCsv(const std::string& path, const Sheet& sheet, char separator = ';',
              bool decimalComma = false, bool windows1250 = false);

/// Writes raw bytes.
void writeBytes(const std::string& path, const std::string& bytes);

/// The folder of the committed fixtures.
std::string fixture(const std::string& name);

} // namespace orv::sheet::test
