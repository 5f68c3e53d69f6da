#pragma once
// The .xls reader (Excel 97-2003, BIFF in a compound document), through FreeXL.

#include "sheet/Workbook.h"

#include <memory>
#include <string>

namespace orv::sheet {

/// Opens the first sheet of an .xls workbook.
std::unique_ptr<Workbook> openXlsWorkbook(const std::string& path, const std::string& source);

} // namespace orv::sheet
