// A query that fails while it reads its rows is an error, whatever text the failure comes with:
// a failure must never read as the end of the rows.

#include "db/DatabaseError.h"
#include "db/sqlite/SqliteConnection.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

// fails_at(x): x, except that it fails without an error text when x is 2.
void failsAt(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_int(argv[0]) == 2) return sqlite3_result_error(context, "", 0);
    sqlite3_result_value(context, argv[0]);
}

TEST(QueryErrors, AFailureWithoutTextIsNoEndOfTheRows) {
    test::TestBank bank;
    bank.exec("CREATE TABLE T_VRSTE (ID NUMBER); INSERT INTO T_VRSTE VALUES (1), (2), (3)");
    sqlite::SqliteConnection connection(bank.path(), "OPERATER", "demo");
    ASSERT_EQ(sqlite3_create_function(connection.handle(), "fails_at", 1, SQLITE_UTF8, nullptr,
                                      failsAt, nullptr, nullptr),
              SQLITE_OK);
    const std::string sql = "select fails_at(ID) from T_VRSTE";
    EXPECT_THROW(connection.query(sql, {}), DatabaseError);
    size_t rows = 0;
    EXPECT_THROW(connection.streamQuery(
                     sql, {}, [](const std::vector<FieldInfo>&) {},
                     [&](const std::vector<Value>&) { ++rows; }),
                 DatabaseError);
    EXPECT_EQ(rows, 1u);
    // The connection goes on after the failure.
    EXPECT_EQ(connection.query("select count(*) from T_VRSTE", {}).rows.size(), 1u);
}

} // namespace
} // namespace orv
