#pragma once
// A small bank with a table of groups, dates and amounts opened in Q1, for the dataset print
// form and the printed listing.

#include "base/RecordingVmesnik.h"
#include "db/TDM.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv::test {

struct PrintFixture : ::testing::Test {
    TestBank bank;
    RecordingVmesnik window;
    TDM dm{window, bank.folder() + "/"};

    /// Creates T_SEZNAM (POSLOVALNICA VARCHAR2(6), REGIJA VARCHAR2(4), DAN DATE, ZNESEK NUMBER,
    /// TECAJ NUMBER), inserts the rows (lists of the bank dialect's literals in that column
    /// order) and opens the table in Q1 in insertion order. The fields get the display labels
    /// Poslovalnica, Regija, Dan, Znesek and Tečaj.
    void open(const std::vector<std::string>& rows);
    /// Positions of all fields of Q1.
    std::vector<int> allFields();
};

/// The rows of an open dataset, each value as text, TAB-separated.
std::vector<std::string> rowsOf(TOracleDataSet& dataset);

} // namespace orv::test
