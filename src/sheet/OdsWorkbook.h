#pragma once
// The .ods reader (OpenDocument spreadsheet): minizip for the archive, expat for content.xml,
// streamed row by row.

#include "sheet/Workbook.h"

#include <memory>
#include <string>

namespace orv::sheet {

class ZipArchive;

/// Opens the first sheet of an .ods workbook (the sheet shown when the workbook opens).
std::unique_ptr<Workbook> openOdsWorkbook(const std::string& path,
                                          std::unique_ptr<ZipArchive> archive);

} // namespace orv::sheet
