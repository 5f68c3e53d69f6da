// Several sessions on one bank: writers wait for each other's lock for a bounded time, readers
// never wait, and a writer that waits too long says which bank is busy.

#include "db/DatabaseError.h"
#include "db/sqlite/SqliteConnection.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace orv {
namespace {

using namespace std::chrono_literals;
using sqlite::SqliteConnection;

struct ConcurrentSessions : ::testing::Test {
    test::TestBank bank;
    void SetUp() override { bank.exec("CREATE TABLE T_VRSTE (ID NUMBER)"); }
    std::unique_ptr<SqliteConnection> session(int busyTimeoutMilliseconds) const {
        return std::make_unique<SqliteConnection>(bank.path(), "OPERATER", "demo",
                                                  busyTimeoutMilliseconds);
    }
    static std::string count(SqliteConnection& connection) {
        const ResultSet result = connection.query("select count(*) N from T_VRSTE", {});
        if (result.rows.empty()) return "";
        const Value n = result.rows.value(0, 0);
        return n.isNull() ? "" : std::to_string(n.integer());
    }
};

TEST_F(ConcurrentSessions, ASecondWriterWaitsForTheFirstAndAReaderDoesNot) {
    auto first = session(10000);
    first->execute("insert into T_VRSTE (ID) values (1)", {});

    auto second = std::async(std::launch::async, [this] {
        auto writer = session(10000);
        writer->execute("insert into T_VRSTE (ID) values (2)", {});
        writer->commit();
    });
    // The second writer is waiting, not failed; a reader sees the committed state at once.
    EXPECT_EQ(second.wait_for(300ms), std::future_status::timeout);
    auto reader = session(10000);
    EXPECT_EQ(count(*reader), "0");

    first->commit();
    EXPECT_EQ(second.wait_for(10s), std::future_status::ready);
    EXPECT_NO_THROW(second.get());
    EXPECT_EQ(count(*reader), "2");
}

TEST_F(ConcurrentSessions, AWriterThatWaitsTooLongSaysTheBankIsBusy) {
    auto first = session(10000);
    first->execute("insert into T_VRSTE (ID) values (1)", {});
    auto second = session(200);
    const auto started = std::chrono::steady_clock::now();
    try {
        second->execute("update T_VRSTE set ID = 3", {});
        ADD_FAILURE() << "the second writer did not wait for the lock";
    } catch (const DatabaseError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find("ORA-00054"), std::string::npos) << text;
        EXPECT_NE(text.find(bank.path()), std::string::npos) << text;
    }
    EXPECT_GE(std::chrono::steady_clock::now() - started, 150ms);
    // The waiting session is still usable once the lock is gone.
    first->commit();
    EXPECT_NO_THROW(second->execute("update T_VRSTE set ID = 3", {}));
    second->commit();
    EXPECT_EQ(count(*first), "1");
}

} // namespace
} // namespace orv
