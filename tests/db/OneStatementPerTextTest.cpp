// A statement text holds one statement: SQLite would run the first of several and ignore the
// rest, so a text with more is refused and none of it runs.

#include "db/DatabaseError.h"
#include "db/sqlite/SqliteConnection.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(OneStatementPerText, ATextWithASecondStatementIsRefused) {
    test::TestBank bank;
    bank.exec("CREATE TABLE T_VNOSI (ID NUMBER); INSERT INTO T_VNOSI VALUES (1)");
    sqlite::SqliteConnection connection(bank.path(), "OPERATER", "demo");
    for (const char* text : {"update T_VNOSI set ID = 2; delete from T_VNOSI",
                             "select count(*) from T_VNOSI; delete from T_VNOSI"}) {
        try {
            connection.execute(text, {});
            ADD_FAILURE() << "no error for " << text;
        } catch (const DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find("ORA-00933"), std::string::npos)
                << error.what();
        }
    }
    // A terminator or a comment after the one statement is no second statement.
    EXPECT_NO_THROW(connection.execute("update T_VNOSI set ID = 3; -- done", {}));
    connection.commit();
    EXPECT_EQ(bank.scalar("select group_concat(ID) from T_VNOSI"), "3");
}

} // namespace
} // namespace orv
