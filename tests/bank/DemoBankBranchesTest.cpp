// Every source selection of a transfer finds rows in a demo bank, for the year-end reporting
// date and the month ends before it, and the threshold and state cases turn out as built.

#include "DemoBankBranches.h"
#include "DemoBankFixture.h"
#include "base/Datum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

namespace orv::demo::test {

namespace {

class DemoBankBranchesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { bank_ = std::make_unique<DemoBankFile>(DemoOptions{300, 7}); }
    static void TearDownTestSuite() { bank_.reset(); }

    static std::set<std::string> classes(int branch, const Porocilo& p) {
        const auto values = bank_->column("SELECT DISTINCT VKNT FROM (" + veja(branch, p) + ")");
        return {values.begin(), values.end()};
    }

    static std::unique_ptr<DemoBankFile> bank_;
};

std::unique_ptr<DemoBankFile> DemoBankBranchesTest::bank_;

struct Veja {
    int branch;
    std::set<std::string> classes;
};

// Which account classes each selection must show at the end of the year.
const Veja kVeje[] = {
    {1, {"1", "2", "5", "9", "E", "F"}},
    {2, {"A"}},
    {3, {"A"}},
    {4, {"7", "8"}},
    {5, {"B"}},
    {6, {"B", "C"}},
    {7, {"B", "C"}},
    {8, {"6"}},
    {9, {"3", "4"}},
    {10, {"6"}},
    {11, {"A"}},
    {12, {"D"}},
};

TEST_F(DemoBankBranchesTest, EachSelectionShowsItsClassesAtTheEndOfTheYear) {
    const Porocilo p = porocilo(31, 12, 2024);
    for (const Veja& v : kVeje) {
        const std::set<std::string> found = classes(v.branch, p);
        for (const std::string& c : v.classes)
            EXPECT_TRUE(found.count(c)) << "branch " << v.branch << " has no rows of class " << c;
    }
}

TEST_F(DemoBankBranchesTest, EachSelectionHasRowsAtEveryMonthEnd) {
    for (int month = 1; month <= 12; ++month) {
        const Porocilo p = porocilo(orv::daysInMonth(2024, month), month, 2024);
        for (int branch = 1; branch <= 12; ++branch)
            EXPECT_GT(bank_->rows(veja(branch, p)), 0) << "branch " << branch << " on " << p.dan;
    }
}

TEST_F(DemoBankBranchesTest, OpenDealsNeedABalanceAboveTwoCents) {
    const Porocilo p = porocilo(31, 12, 2024);
    EXPECT_EQ(bank_->rows(veja(2, p, "70001")), 0) << "a balance of exactly 0.02";
    EXPECT_EQ(bank_->rows(veja(2, p, "70002")), 1) << "a balance of 0.03";
}

// Each kind of master deal is open for some contracts and closed (its postings left out) for
// others.
TEST_F(DemoBankBranchesTest, EveryKindOfMasterDealIsBothOpenAndClosed) {
    struct Vrsta {
        const char* name;
        const char* condition;
    };
    const Vrsta kinds[] = {
        {"plain", "d.sfpdg NOT IN ('S', '>')"},
        {"'>' with a parent", "d.sfpdg = '>' AND d.iddoggot IS NOT NULL"},
        {"'S'", "d.sfpdg = 'S'"},
        {"'>' of an 'S' deal", "d.sfpdg = '>' AND d.iddogsto IS NOT NULL"},
    };
    const Porocilo p = porocilo(31, 12, 2024);
    const std::string selected = "SELECT IDPOG FROM (" + veja(2, p) + ")";
    for (const Vrsta& kind : kinds) {
        const std::string contracts =
            "SELECT DISTINCT k.idpog FROM knjizbe k JOIN matrika m ON m.ctrl = k.konto "
            "JOIN dog d ON d.iddog = k.idmaster WHERE m.vknt = 'A' AND d.stn IS NULL AND " +
            std::string(kind.condition) + " AND k.idpog > 100000";
        EXPECT_GT(bank_->rows(contracts + " AND k.idpog IN (" + selected + ")"), 0)
            << kind.name << " deals, open";
        EXPECT_GT(bank_->rows(contracts + " AND k.idpog NOT IN (" + selected + ")"), 0)
            << kind.name << " deals, closed";
    }
}

// A state deal dated within the year keeps its contract in the month ends before it only.
TEST_F(DemoBankBranchesTest, StateDealsAfterAndBeforeTheReportingDay) {
    const std::string inYear = "SELECT s.idpog FROM dog s WHERE s.iddogstn IS NOT NULL AND "
                               "s.dan > '31.05.2024' AND s.dan < '31.12.2024'";
    const std::string atYearEnd = "SELECT IDPOG FROM (" + veja(3, porocilo(31, 12, 2024)) + ")";
    const std::string atMay = "SELECT IDPOG FROM (" + veja(3, porocilo(31, 5, 2024)) + ")";
    EXPECT_GT(bank_->rows(atYearEnd), 0);
    EXPECT_EQ(bank_->rows(inYear + " AND s.idpog IN (" + atYearEnd + ")"), 0);
    EXPECT_GT(bank_->rows(inYear + " AND s.idpog IN (" + atMay + ")"), 0);
}

TEST_F(DemoBankBranchesTest, RepaidLoansDropOutOfTheLoanSelection) {
    const std::string loans = "SELECT DISTINCT k.idpog FROM knjizbe k JOIN matrika m ON "
                              "m.ctrl = k.konto JOIN dog d ON d.iddog = k.idmaster "
                              "WHERE m.vknt = '6' AND d.sfpdg = 'Z'";
    const std::string selected = "SELECT IDPOG FROM (" + veja(8, porocilo(31, 12, 2024)) + ")";
    EXPECT_GT(bank_->rows(loans + " AND k.idpog IN (" + selected + ")"), 0);
    EXPECT_GT(bank_->rows(loans + " AND k.idpog NOT IN (" + selected + ")"), 0);
}

TEST_F(DemoBankBranchesTest, WriteDownsAreLabelledByPlanOrAsLoans) {
    const auto labels =
        bank_->column("SELECT SFVPKRT FROM (" + veja(12, porocilo(31, 12, 2024)) + ")");
    const long loans = std::count(labels.begin(), labels.end(), "POSOJILO");
    EXPECT_GT(loans, 0);
    EXPECT_LT(loans, static_cast<long>(labels.size()));
}

// Class 3 closing entries of the previous year group together; other postings without a deal
// form rows of their own.
TEST_F(DemoBankBranchesTest, DepositsCarryClosingEntriesAndPostingsWithoutDeal) {
    EXPECT_GT(bank_->rows("SELECT 1 FROM knjizbe k JOIN matrika m ON m.ctrl = k.konto WHERE "
                          "m.vknt IN ('3', '4') AND k.idmaster = 0 AND k.idobd = 2023"),
              1);
    EXPECT_GT(bank_->rows("SELECT 1 FROM knjizbe k JOIN matrika m ON m.ctrl = k.konto WHERE "
                          "m.vknt IN ('3', '4') AND k.idmaster = 0 AND k.idobd BETWEEN 1 AND 12"),
              0);
}

} // namespace

} // namespace orv::demo::test
