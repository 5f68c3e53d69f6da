#include "base/AliasStore.h"

#include "base/Besedilo.h"
#include "base/IniFile.h"
#include "base/ProgramFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

AliasStore AliasStore::standard() {
    const char* configured = std::getenv("ORVELNOST_ALIASI");
    if (configured && *configured) return AliasStore(configured);
    return AliasStore(programFolder() + "aliasi.ini");
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The store's text, read through one descriptor that is opened without waiting (a FIFO would
// block the open until a writer came) and read only when it is a regular file: a folder, a
// FIFO or a device is named as what it is. A leading byte-order mark (an editor's) is skipped.
// Empty when the file does not exist and `missingIsEmpty`.
std::string readStoreText(const std::string& path, bool missingIsEmpty, const std::string& alias) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT && missingIsEmpty) return {};
        throw std::runtime_error("Alias configuration " + path + " cannot be read (" +
                                 std::strerror(error) + "); alias '" + alias + "' is not defined");
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(fd);
        throw std::runtime_error(
            "Alias configuration " + path + " is " + (folder ? "a folder" : "no regular file") +
            ", not a file of aliases; alias '" + alias + "' cannot be read from it");
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<size_t>(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            throw std::runtime_error("Alias configuration " + path +
                                     " cannot be read: " + std::strerror(error));
        }
    }
    ::close(fd);
    if (std::string_view(text).substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.erase(0, kByteOrderMark.size());
    return text;
}

// A store that names an alias twice is ambiguous: which section holds is a guess, and a
// rewrite would merge them. It is refused, naming the alias.
void refuseDuplicateSections(const std::string& path, const std::string& text) {
    std::set<std::string> seen;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string trimmed = trim(line);
        if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') continue;
        const std::string name = trim(trimmed.substr(1, trimmed.size() - 2));
        if (!seen.insert(toUpper(name)).second)
            throw std::runtime_error("Alias configuration " + path + " defines the alias '" + name +
                                     "' more than once; keep one section of that name");
    }
}

IniFile loadStore(const std::string& path, bool missingIsEmpty, const std::string& alias) {
    const std::string text = readStoreText(path, missingIsEmpty, alias);
    refuseDuplicateSections(path, text);
    return IniFile::parse(text);
}

} // namespace

AliasDefinition AliasStore::read(const std::string& alias) const {
    const IniFile ini = loadStore(path_, false, alias);
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
    IniFile ini = loadStore(path_, true, alias);
    ini.eraseSection(alias);
    ini.writeString(alias, "TYPE", definition.driverName);
    for (const auto& [name, value] : definition.params)
        ini.writeString(alias, name, value);
    ini.save(path_);
}

void AliasStore::checkWritable(const std::string& alias) const {
    loadStore(path_, true, alias);
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
