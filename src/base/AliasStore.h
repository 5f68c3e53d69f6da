#pragma once
// The alias configuration: which database an alias names.
//
// An ini file with one section per alias; the key TYPE is the driver type name, every other key
// a parameter of the alias. The file is the one named by ORVELNOST_ALIASI, else aliasi.ini in
// the program folder.

#include <string>
#include <utility>
#include <vector>

namespace orv {

struct AliasDefinition {
    std::string driverName;
    /// The alias's parameters as name=value pairs, in file order.
    std::vector<std::pair<std::string, std::string>> params;
};

class AliasStore {
public:
    explicit AliasStore(std::string path) : path_(std::move(path)) {}

    /// The store of this process: $ORVELNOST_ALIASI, else aliasi.ini in the program folder.
    static AliasStore standard();

    const std::string& path() const { return path_; }

    /// The driver type name of an alias. Throws std::runtime_error for an unknown alias.
    std::string GetAliasDriverName(const std::string& alias) const;
    /// The parameters of an alias as "name=value" lines. Throws for an unknown alias.
    std::vector<std::string> GetAliasParams(const std::string& alias) const;

    /// Adds or replaces an alias (the file is rewritten whole, other aliases kept).
    void writeAlias(const std::string& alias, const AliasDefinition& definition) const;

private:
    AliasDefinition read(const std::string& alias) const;

    std::string path_;
};

/// The server or data-source name of an alias: "ODBC DSN" for a driver type that contains ODBC,
/// "SERVER NAME" for ORACLE, "DB2 DSN" for DB2, else empty. Throws for an unknown alias.
std::string StreznikAliasa(const AliasStore& store, const std::string& alias);

} // namespace orv
