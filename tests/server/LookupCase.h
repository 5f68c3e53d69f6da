#pragma once
// Lookups on both backends from one list of cases: a case names a lookup call, the answer the
// bank's database gives and the messages the operator sees, once; the suite runs it on the
// embedded bank and on a copy of the same bank on the PostgreSQL server.

#include "base/Datum.h"
#include "base/RecordingVmesnik.h"
#include "db/TDM.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace orv::test {

/// A lookup call, its result written as text.
using Lookup = std::function<std::string(TDM&, Vmesnik&)>;

struct LookupCase {
    const char* name;
    Lookup call;
    /// The call's result, or "raises: " followed by the failure's text when the call raises.
    std::string answer;
    /// The messages the window shows during the call, in order.
    std::vector<std::string> messages = {};
    /// The date edit's text while the call runs.
    const char* reportingDay = "15.03.2024";
};

void PrintTo(const LookupCase& c, std::ostream* out);

/// Values as a case writes them: numbers as the program prints them, "yes" or "no", dates as
/// dd.mm.yyyy.
std::string number(double value);
std::string yesNo(bool value);
std::string date(DateValue value);

/// One bank for a list of cases: the embedded bank with the rows the cases read, and its copy
/// on the server when a server runs. Each backend has its own window and logged-on data module.
class BankOnBothBackends {
public:
    struct Backend {
        RecordingVmesnik window;
        std::unique_ptr<TDM> dm;
        Backend(const std::string& folder, const std::string& logonDatabase);
    };

    /// Makes the embedded bank with `rows` (SQLite's syntax) and copies it into the server
    /// database `database` (made afresh) when a server runs.
    BankOnBothBackends(const std::string& database, const std::string& rows);
    ~BankOnBothBackends();

    /// Runs a case on the embedded bank and then, when a server runs, on the server (skipping
    /// the test otherwise); each answer and each backend's messages must be the case's.
    void expectOnBothBackends(const LookupCase& c);

private:
    struct Banks;
    std::unique_ptr<Banks> banks_;
};

/// The test suite of one list of cases. `Rows` names the server database and the rows:
/// `static constexpr const char* kDatabase`, `static constexpr const char* kRows`. Making the
/// bank and logging on cost most of a case's time, so the suite's cases share one bank; no
/// case changes it.
template <typename Rows> class LookupSuite : public testing::TestWithParam<LookupCase> {
protected:
    static void SetUpTestSuite() {
        bank_ = std::make_unique<BankOnBothBackends>(Rows::kDatabase, Rows::kRows);
    }
    static void TearDownTestSuite() { bank_.reset(); }

    static void expectOnBothBackends(const LookupCase& c) { bank_->expectOnBothBackends(c); }

private:
    static inline std::unique_ptr<BankOnBothBackends> bank_;
};

/// The name of a case's test.
inline std::string caseName(const testing::TestParamInfo<LookupCase>& param) {
    return param.param.name;
}

} // namespace orv::test
