#pragma once
// The single-byte Central European code page (Windows 1250) that the exported tables are written
// in, so that every character takes one byte and fixed widths stay fixed.

#include <string>
#include <string_view>

namespace orv {

/// UTF-8 text in code page 1250. A character the code page does not have, and a byte that is no
/// valid UTF-8, becomes one '?'; `replaced` (when given) is increased by their number.
std::string vCp1250(std::string_view utf8, int* replaced = nullptr);

/// Code page 1250 bytes as UTF-8 (the five bytes the code page leaves unassigned become '?').
std::string izCp1250(std::string_view bytes);

} // namespace orv
