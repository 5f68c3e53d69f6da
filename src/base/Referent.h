#pragma once
// The operator's referent code and the identification the run writes for it.
//
// The code is the fourth command-line parameter; "orvelnost.ini" in the program folder maps
// codes to identifications in its section REFERENT (REF01=R0000123). The program only reads it.

#include <string>
#include <vector>

namespace orv {

/// The name of the ini file of referent codes, in the program folder.
inline constexpr const char* ReferentIniDatoteka = "orvelnost.ini";

/// Remembers the command-line parameters (without the program name); the program entry calls it
/// once, before anything reads ParamReferent.
void setProgramParameters(std::vector<std::string> parameters);

/// The fourth command-line parameter when there are at least four, else the empty text.
std::string ParamReferent();

/// The identification of `referentCode` from section REFERENT of `iniPath`; the code itself when
/// it is blank, when the file, the section or the name is missing, or when reading fails in any
/// way. The name is looked up with the code as given, untrimmed. Never throws.
std::string BeriDBSReferenta(const std::string& referentCode, const std::string& iniPath);

/// The same, from "orvelnost.ini" in the program folder.
std::string BeriDBSReferenta(const std::string& referentCode);

} // namespace orv
