#include "base/IniFile.h"

#include "base/Besedilo.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace orv {

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return toUpper(a) == toUpper(b);
}

} // namespace

IniFile IniFile::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return IniFile{};
    std::stringstream text;
    text << file.rdbuf();
    return parse(text.str());
}

IniFile IniFile::parse(const std::string& text) {
    IniFile ini;
    Section* current = nullptr;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string trimmed = trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            const std::string name = trim(trimmed.substr(1, trimmed.size() - 2));
            current = nullptr;
            for (Section& section : ini.sections_)
                if (sameName(section.name, name)) current = &section;
            if (!current) current = &ini.sections_.emplace_back(Section{name, {}});
            continue;
        }
        const size_t equals = trimmed.find('=');
        if (!current || equals == std::string::npos) continue;
        current->values.emplace_back(trim(trimmed.substr(0, equals)),
                                     trim(trimmed.substr(equals + 1)));
    }
    return ini;
}

const IniFile::Section* IniFile::find(const std::string& section) const {
    for (const Section& candidate : sections_)
        if (sameName(candidate.name, section)) return &candidate;
    return nullptr;
}

bool IniFile::hasSection(const std::string& section) const {
    return find(section) != nullptr;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    const Section* found = find(section);
    if (!found) return fallback;
    for (const auto& [name, value] : found->values)
        if (sameName(name, key)) return value;
    return fallback;
}

std::vector<std::pair<std::string, std::string>>
IniFile::sectionValues(const std::string& section) const {
    const Section* found = find(section);
    return found ? found->values : std::vector<std::pair<std::string, std::string>>{};
}

void IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    Section* target = const_cast<Section*>(find(section));
    if (!target) target = &sections_.emplace_back(Section{section, {}});
    for (auto& [name, existing] : target->values)
        if (sameName(name, key)) {
            existing = value;
            return;
        }
    target->values.emplace_back(key, value);
}

void IniFile::eraseSection(const std::string& section) {
    std::erase_if(sections_, [&](const Section& s) { return sameName(s.name, section); });
}

std::string IniFile::toText() const {
    std::string text;
    for (const Section& section : sections_) {
        if (!text.empty()) text += "\n";
        text += "[" + section.name + "]\n";
        for (const auto& [name, value] : section.values)
            text += name + "=" + value + "\n";
    }
    return text;
}

void IniFile::save(const std::string& path) const {
    // A temporary file of a name nobody can guess, made by mkstemp (which never follows a
    // symbolic link and gives the file mode 0600), written in full and flushed to the disk
    // before it replaces the file in one rename: readers see the old file or the new one.
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
    const std::string text = toText();
    int error = 0;
    for (size_t written = 0; error == 0 && written < text.size();) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n > 0)
            written += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
        else if (n == 0)
            error = EIO;
    }
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(error));
    }
}

} // namespace orv
