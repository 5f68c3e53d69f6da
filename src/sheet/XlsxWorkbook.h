#pragma once
// The .xlsx reader (Office Open XML): minizip for the archive, expat for its parts. The shared
// strings and the cell formats are read first; the sheet itself is streamed row by row.

#include "sheet/Workbook.h"

#include <memory>
#include <string>

namespace orv::sheet {

class ZipArchive;

/// Opens the first sheet of an .xlsx workbook (the sheet shown when the workbook opens).
std::unique_ptr<Workbook> openXlsxWorkbook(const std::string& path,
                                           std::unique_ptr<ZipArchive> archive);

} // namespace orv::sheet
