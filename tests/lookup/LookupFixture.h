#pragma once
// A small bank for one lookup test: the empty schema plus the rows the case adds, a recording
// main window whose date edit holds the reporting date, and the data module logged on.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orv::test {

class LookupFixture : public ::testing::Test {
protected:
    TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    LookupFixture();

    /// Adds rows (SQLite's syntax, run on the test's own connection and committed).
    void rows(const std::string& sql) const { bank.exec(sql); }
    /// The content of a file in the program folder ("" when it does not exist).
    std::string programFile(const std::string& name) const;
    bool programFileExists(const std::string& name) const;
};

/// One bank for every test of a suite, for tables of cases that leave the bank as they found it:
/// making a bank and logging on (two slow password hashes) cost most of a small test's time.
class SharedBankSuite : public ::testing::Test {
protected:
    struct Bank {
        TestBank bank;
        RecordingVmesnik window;
        TDM dm{window, bank.folder() + "/"};
        Bank();
    };

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    /// Every test starts with a window that has recorded nothing, the reporting date
    /// 15.03.2024 and debug SQL off.
    void SetUp() override;

    static TestBank& bank() { return shared_->bank; }
    static RecordingVmesnik& window() { return shared_->window; }
    static TDM& dm() { return shared_->dm; }
    static std::string programFile(const std::string& name);

private:
    static std::unique_ptr<Bank> shared_;
};

} // namespace orv::test
