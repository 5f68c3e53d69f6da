#pragma once
// Reading and writing ini files: [sections] and name=value lines.
//
// Section and key names compare case-insensitively, as the desktop's ini files do. Reading
// never fails: a missing file or a line that is no name=value pair is simply not there.

#include <string>
#include <utility>
#include <vector>

namespace orv {

class IniFile {
public:
    /// Reads the file; a missing or unreadable file gives an empty ini.
    static IniFile load(const std::string& path);
    /// Parses ini text.
    static IniFile parse(const std::string& text);

    bool hasSection(const std::string& section) const;
    /// The value of `key` in `section`, or `fallback` when either is missing.
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    /// The name=value pairs of a section, in file order (empty when missing).
    std::vector<std::pair<std::string, std::string>>
    sectionValues(const std::string& section) const;

    /// Sets a value, adding the section or key when missing.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    /// Removes a whole section.
    void eraseSection(const std::string& section);

    std::string toText() const;
    /// Writes the file through a temporary file of a unique name beside it and an atomic rename,
    /// so a failure never leaves half a file behind; the file is readable by its owner only.
    /// Throws std::runtime_error when it cannot be written.
    void save(const std::string& path) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> values;
    };
    const Section* find(const std::string& section) const;

    std::vector<Section> sections_;
};

} // namespace orv
