#pragma once
// The text reader: values separated by ';', ',' or TAB (whichever the header line uses most,
// outside quotes), fields in double quotes may hold separators, line breaks and doubled quotes.
// The file is UTF-8 (with or without a byte order mark) or, when it is not valid UTF-8,
// Windows-1250. Read as a stream.
//
// As a spreadsheet does when it opens such a file, a number written with a decimal comma
// ("12,5", with ';' or TAB as the separator) becomes 12.5, and a date d.m.yyyy or yyyy-mm-dd
// becomes dd.mm.yyyy; everything else stays as written, leading zeros included.

#include "sheet/Workbook.h"

#include <memory>
#include <string>

namespace orv::sheet {

std::unique_ptr<Workbook> openCsvWorkbook(const std::string& path, const std::string& source);

} // namespace orv::sheet
