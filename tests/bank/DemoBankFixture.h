#pragma once
// A demo bank in a temporary folder, and queries on it for the tests of the generator.

#include "db/sqlite/BankFile.h"
#include "bank/demo/DemoBank.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orv::demo::test {

class DemoBankFile {
public:
    /// Creates the bank's schema and fills it with `fillDemoBank`.
    explicit DemoBankFile(const DemoOptions& options);
    ~DemoBankFile();
    DemoBankFile(const DemoBankFile&) = delete;
    DemoBankFile& operator=(const DemoBankFile&) = delete;

    sqlite3* handle() const { return bank_->handle(); }

    /// The first column of every row of a statement in the bank's dialect, as text ("" for NULL).
    std::vector<std::string> column(const std::string& bankSql) const;
    /// The first column of the first row ("" when there is none).
    std::string value(const std::string& bankSql) const;
    /// The number of rows a statement returns.
    long rows(const std::string& bankSql) const;
    /// A hash of every value of every row of a table, in insertion order.
    unsigned long long checksum(const std::string& table) const;

private:
    std::filesystem::path folder_;
    std::unique_ptr<sqlite::BankFile> bank_;
};

} // namespace orv::demo::test
