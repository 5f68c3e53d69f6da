// Every function of the catalogue is registered with exactly the argument counts its row gives.

#include "DialectHarness.h"

#include "db/sqlite/dialect/FunctionCatalogue.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {
namespace {

// Whether SQLite accepts a call of the function with that many arguments.
bool accepts(sqlite3* db, const char* name, int count) {
    std::string sql = std::string("SELECT ") + name + "(";
    for (int i = 0; i < count; ++i)
        sql += i == 0 ? "NULL" : ", NULL";
    sql += ")";
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    sqlite3_finalize(statement);
    return rc == SQLITE_OK;
}

TEST(FunctionCatalogue, RegistersEveryRowWithItsArgumentCounts) {
    DialectDatabase db;
    sqlite3* plain = nullptr; // SQLite's own functions, such as TRIM(text, characters)
    ASSERT_EQ(sqlite3_open(":memory:", &plain), SQLITE_OK);
    for (const DialectFunction& function : functionCatalogue()) {
        const int last =
            function.maxArguments == kAnyNumber ? function.minArguments + 3 : function.maxArguments;
        for (int count = function.minArguments; count <= last; ++count)
            EXPECT_TRUE(accepts(db.handle(), function.name, count)) << function.name << count;
        if (function.maxArguments != kAnyNumber && !accepts(plain, function.name, last + 1)) {
            EXPECT_FALSE(accepts(db.handle(), function.name, last + 1)) << function.name;
        }
    }
    sqlite3_close(plain);
}

TEST(FunctionCatalogue, FindsNamesInAnyLetterCase) {
    ASSERT_NE(findFunction("to_char"), nullptr);
    EXPECT_EQ(findFunction("To_Char")->firstInlineArgument, 2);
    EXPECT_EQ(firstInlineArgument("trunc"), 2);
    EXPECT_EQ(firstInlineArgument("ROUND"), 0);
    EXPECT_EQ(firstInlineArgument("NO_SUCH_FUNCTION"), 0);
    EXPECT_TRUE(returnsDate("Add_Months"));
    EXPECT_FALSE(returnsDate("NVL")); // only with a date argument
    EXPECT_EQ(findFunction("COUNT"), nullptr);
}

} // namespace
} // namespace orv::sqlite::test
