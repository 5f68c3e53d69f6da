#pragma once
// Where the running program lives: every file the program reads or writes by a fixed name lies
// in its folder.

#include <string>

namespace orv {

/// The name of the program: window caption and base name of its own files.
inline constexpr const char* ImePrograma = "ORVELNOST";

/// The folder of the running executable, always ending in a path separator.
std::string programFolder();

/// `folder` with a separator appended when it is not empty and does not end in one.
std::string withTrailingSeparator(std::string folder);

} // namespace orv
