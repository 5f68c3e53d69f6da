#pragma once
// Where the first sheet of an .xls workbook holds formulas. FreeXL passes over formula cells (they
// read as empty); this reads the workbook's record stream (through libgsf) for them, so that a
// formula is refused as in the other formats instead of importing as an empty value.

#include <string>
#include <utility>
#include <vector>

namespace orv::sheet {

/// The cells (row, column; both 1-based) of the first sheet that hold a formula, in the order of
/// the file. Empty when the file's records cannot be read (FreeXL then reports the damage).
std::vector<std::pair<int, int>> xlsFormule(const std::string& path);

} // namespace orv::sheet
