#pragma once
// The alias configuration: which database an alias names.
//
// An ini file with one section per alias; the key TYPE is the driver type name, every other key
// a parameter of the alias. The file is the one named by ORVELNOST_ALIASI, else aliasi.ini in
// the program folder. It is read only when it is a regular file (never waiting on a FIFO), a
// leading byte-order mark is skipped, and a store that names an alias twice is refused.

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

    /// Adds or replaces an alias (the file is rewritten whole, other aliases kept). Throws
    /// std::runtime_error for a name or parameter that the file cannot hold (see
    /// checkAliasName) and when the file cannot be written.
    void writeAlias(const std::string& alias, const AliasDefinition& definition) const;

    /// Throws std::runtime_error when writeAlias could not write `alias` into the store as it
    /// stands: the store is a folder or no regular file, or it names an alias twice. For work
    /// that ends in writing an alias, to fail before it starts.
    void checkWritable(const std::string& alias) const;

private:
    AliasDefinition read(const std::string& alias) const;

    std::string path_;
};

/// Throws std::runtime_error when `alias` cannot name a section of the alias store: empty, or
/// holding a line break, '[' or ']', or blanks at either end (they would not read back).
void checkAliasName(const std::string& alias);

/// The alias's BUSY TIMEOUT in seconds: how long a statement waits for a lock that another
/// session holds (30 when the alias does not say; whole seconds 0 to 3600). Throws
/// std::runtime_error for an unknown alias or a value out of that range.
int busyTimeoutOfAlias(const AliasStore& store, const std::string& alias);

/// The server or data-source name of an alias: "ODBC DSN" for a driver type that contains ODBC,
/// "SERVER NAME" for ORACLE, "DB2 DSN" for DB2, else empty. Throws for an unknown alias.
std::string StreznikAliasa(const AliasStore& store, const std::string& alias);

} // namespace orv
