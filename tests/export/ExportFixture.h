#pragma once
// A small bank with one table of awkward values, logged on, for the export tests.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv::test {

struct ExportFixture : ::testing::Test {
    TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    /// Creates T_IZVOZ (ID, NAZIV VARCHAR2(12), DAN DATE, ZNESEK NUMBER) with the given rows,
    /// each a list of SQL literals, and opens it in Q1 ordered by ID.
    void open(const std::vector<std::string>& rows, const std::string& extraColumns = "");
    /// Positions of all fields of Q1.
    std::vector<int> allFields();
    std::string file(const std::string& name) const { return bank.folder() + "/" + name; }
    /// The names of the files in the bank's folder, other than the bank's own.
    std::vector<std::string> otherFiles() const;
};

std::string readBytes(const std::string& path);

} // namespace orv::test
