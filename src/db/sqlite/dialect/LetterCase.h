#pragma once
// The bank database's upper case of a text: ASCII letters and the accented Latin ones (č -> Č).

#include <string>
#include <string_view>

namespace orv::sqlite {

/// The text in upper case, as UPPER gives it.
std::string upperText(std::string_view text);

} // namespace orv::sqlite
