#pragma once
// A new, empty bank in a temporary folder, for the tests of the bank's schema and routines.

#include "db/sqlite/BankFile.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv::sqlite::test {

/// The first column of every row a query returns, as text (NULL as nullopt).
using Column = std::vector<std::optional<std::string>>;

class BankFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    sqlite3* db() const { return bank_->handle(); }

    /// Runs statements; fails the test on an error.
    void exec(const std::string& sql);
    /// The error text of a statement that must fail; empty when it succeeded.
    std::string errorOf(const std::string& sql);
    /// The first column of the rows of a query.
    Column column(const std::string& sql);
    /// The single value of a query (nullopt for NULL or no row).
    std::optional<std::string> value(const std::string& sql);

private:
    std::filesystem::path folder_;
    std::unique_ptr<BankFile> bank_;
};

} // namespace orv::sqlite::test
