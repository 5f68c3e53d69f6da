#include "base/AliasStore.h"

#include "base/Besedilo.h"
#include "base/IniFile.h"
#include "base/ProgramFolder.h"

#include <cerrno>
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

namespace {

bool holdsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

} // namespace

void checkAliasName(const std::string& alias) {
    if (alias.empty() || holdsLineBreak(alias) || alias.find_first_of("[]") != std::string::npos ||
        trim(alias) != alias)
        throw std::runtime_error("'" + alias +
                                 "' cannot be an alias name: it may not be empty, hold a line "
                                 "break, '[' or ']', or begin or end with a blank");
}

void AliasStore::writeAlias(const std::string& alias, const AliasDefinition& definition) const {
    checkAliasName(alias);
    for (const auto& [name, value] : definition.params)
        if (name.empty() || holdsLineBreak(name) || name.find('=') != std::string::npos ||
            holdsLineBreak(value))
            throw std::runtime_error("the parameter '" + name + "' of alias " + alias +
                                     " cannot be written to the alias store");
    if (holdsLineBreak(definition.driverName))
        throw std::runtime_error("the driver type of alias " + alias +
                                 " cannot be written to the alias store");
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

int busyTimeoutOfAlias(const AliasStore& store, const std::string& alias) {
    constexpr int kLongest = 3600;
    const std::string text = trim(paramValue(store.GetAliasParams(alias), "BUSY TIMEOUT"));
    if (text.empty()) return 30;
    char* end = nullptr;
    errno = 0;
    const long seconds = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || seconds < 0 || seconds > kLongest)
        throw std::runtime_error("Invalid parameter: BUSY TIMEOUT of alias " + alias +
                                 " must be whole seconds from 0 to " + std::to_string(kLongest) +
                                 ", not '" + text + "'");
    return static_cast<int>(seconds);
}

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
