#include "base/AliasStore.h"

#include "base/Besedilo.h"
#include "base/IniFile.h"
#include "base/ProgramFolder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace orv {

AliasStore AliasStore::standard() {
    const char* configured = std::getenv("ORVELNOST_ALIASI");
    if (configured && *configured) return AliasStore(configured);
    return AliasStore(programFolder() + "aliasi.ini");
}

AliasDefinition AliasStore::read(const std::string& alias) const {
    if (!std::ifstream(path_))
        throw std::runtime_error("Alias configuration " + path_ + " cannot be read; alias '" +
                                 alias + "' is not defined");
    const IniFile ini = IniFile::load(path_);
    if (!ini.hasSection(alias))
        throw std::runtime_error("Invalid parameter: unknown database alias: " + alias);
    AliasDefinition definition;
    for (const auto& [name, value] : ini.sectionValues(alias)) {
        if (toUpper(name) == "TYPE")
            definition.driverName = value;
        else
            definition.params.emplace_back(name, value);
    }
    return definition;
}

std::string AliasStore::GetAliasDriverName(const std::string& alias) const {
    return read(alias).driverName;
}

std::vector<std::string> AliasStore::GetAliasParams(const std::string& alias) const {
    std::vector<std::string> lines;
    for (const auto& [name, value] : read(alias).params)
        lines.push_back(name + "=" + value);
    return lines;
}

void AliasStore::writeAlias(const std::string& alias, const AliasDefinition& definition) const {
    IniFile ini = IniFile::load(path_);
    ini.eraseSection(alias);
    ini.writeString(alias, "TYPE", definition.driverName);
    for (const auto& [name, value] : definition.params)
        ini.writeString(alias, name, value);
    ini.save(path_);
}

namespace {

// The value of a "name=value" line of the list; a missing name gives an empty text.
std::string paramValue(const std::vector<std::string>& params, const std::string& name) {
    for (const std::string& line : params) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && toUpper(line.substr(0, equals)) == toUpper(name))
            return line.substr(equals + 1);
    }
    return {};
}

} // namespace

std::string StreznikAliasa(const AliasStore& store, const std::string& alias) {
    const std::string driver = store.GetAliasDriverName(alias);
    const std::vector<std::string> params = store.GetAliasParams(alias);
    if (driver.find("ODBC") != std::string::npos) return paramValue(params, "ODBC DSN");
    const std::string type = toUpper(trim(driver));
    if (type == "ORACLE") return paramValue(params, "SERVER NAME");
    if (type == "DB2") return paramValue(params, "DB2 DSN");
    return {};
}

} // namespace orv
