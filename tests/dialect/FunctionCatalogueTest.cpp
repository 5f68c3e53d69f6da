// Every function of the catalogue is registered with exactly the argument counts its row gives.

#include "DialectHarness.h"

#include "db/sqlite/dialect/DateText.h"
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

// The one value of a one-row query as SQLite holds it (a date key as its bytes), "NULL" for NULL;
// "error" when it does not run.
std::string scalar(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK ||
        sqlite3_step(statement) != SQLITE_ROW) {
        sqlite3_finalize(statement);
        return "error";
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    std::string value = text ? std::string(text) : "NULL";
    sqlite3_finalize(statement);
    return value;
}

// The bank's date columns store their dates through orv_date_key in their triggers: the catalogue
// alone registers it, as it does every other function.
TEST(FunctionCatalogue, RegistersTheDateKeyOfTheDateColumns) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    registerFunctions(db);
    DateParts day;
    ASSERT_EQ(readDateText("01.01.2007", day), DateTextError::None);
    const std::string key = dateKey(day);
    const struct {
        const char* argument;
        std::string expected;
    } cases[] = {
        {"'1.1.2007'", key}, // a date text becomes its key
        {"'01.01.2007'", key},
        {"orv_date_key('1.1.2007')", key}, // a key stays as it is
        {"'32.01.2007'", "32.01.2007"},    // no date: left for the column's check
        {"'abc'", "abc"},
        {"NULL", "NULL"},
        {"42", "42"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scalar(db, std::string("SELECT orv_date_key(") + c.argument + ")"), c.expected)
            << c.argument;
    sqlite3_close(db);
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
