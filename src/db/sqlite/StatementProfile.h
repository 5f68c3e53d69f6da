#pragma once
// A diagnostic: how much time each statement of a connection took, written to a file when the
// connection closes. It is switched on by the environment variable ORVELNOST_PROFIL (the file's
// path) and costs nothing when it is off.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>

struct sqlite3;

namespace orv::sqlite {

class StatementProfile {
public:
    /// A profile of the connection's statements when ORVELNOST_PROFIL names a file, else null.
    static std::unique_ptr<StatementProfile> fromEnvironment(sqlite3* db);

    StatementProfile(sqlite3* db, std::string reportPath);
    /// Writes the report: statements by the time they took, most first.
    ~StatementProfile();

    StatementProfile(const StatementProfile&) = delete;
    StatementProfile& operator=(const StatementProfile&) = delete;

private:
    struct Totals {
        uint64_t nanoseconds = 0;
        uint64_t runs = 0;
    };
    static int onTrace(unsigned type, void* self, void* statement, void* elapsed);
    void writeReport() const;
    void writePlan(std::ostream& report, const std::string& sql) const;

    sqlite3* db_;
    std::string reportPath_;
    std::unordered_map<std::string, Totals> bySql_;
};

} // namespace orv::sqlite
