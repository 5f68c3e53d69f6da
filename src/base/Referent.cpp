#include "base/Referent.h"

#include "base/Besedilo.h"
#include "base/IniFile.h"
#include "base/ProgramFolder.h"

#include <exception>
#include <utility>

namespace orv {

namespace {

std::vector<std::string>& programParameters() {
    static std::vector<std::string> parameters;
    return parameters;
}

} // namespace

void setProgramParameters(std::vector<std::string> parameters) {
    programParameters() = std::move(parameters);
}

std::string ParamReferent() {
    const std::vector<std::string>& parameters = programParameters();
    return parameters.size() >= 4 ? parameters[3] : std::string();
}

std::string BeriDBSReferenta(const std::string& referentCode, const std::string& iniPath) {
    if (trim(referentCode).empty()) return referentCode;
    // The referent only labels the output rows: a broken ini file must never stop a transfer.
    try {
        return IniFile::load(iniPath).readString("REFERENT", referentCode, referentCode);
    } catch (const std::exception&) {
        return referentCode;
    }
}

std::string BeriDBSReferenta(const std::string& referentCode) {
    return BeriDBSReferenta(referentCode, programFolder() + ReferentIniDatoteka);
}

} // namespace orv
