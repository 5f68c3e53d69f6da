#pragma once
// The single-byte Central European code page (Windows 1250): the exported tables are written in
// it, so that every character takes one byte and fixed widths stay fixed, and text files saved by
// the operators' office programs often come in it.

#include <string>
#include <string_view>

namespace orv {

/// UTF-8 text in code page 1250. A character the code page does not have, and a byte that is no
/// valid UTF-8, becomes one '?'; `replaced` (when given) is increased by their number.
std::string vCp1250(std::string_view utf8, int* replaced = nullptr);

/// Code page 1250 bytes as UTF-8. The five bytes the code page leaves unassigned become U+FFFD,
/// the replacement character, so that they cannot pass for a character of the text.
std::string izCp1250(std::string_view bytes);

} // namespace orv
