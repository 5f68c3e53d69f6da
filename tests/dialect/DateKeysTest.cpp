// Dates stored as date keys (as the bank substitute stores them) answer every statement as dates
// stored as date texts do: the same statements run on both stores must give the same rows.

#include "DialectHarness.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orv::sqlite::test {
namespace {

enum class Store { Texts, Keys };

// The table b with two date columns; with Keys, a trigger stores each date as its key, as the
// bank's date columns do.
void createTable(DialectDatabase& db, Store store) {
    const char* table = "CREATE TABLE b (id NUMBER, s VARCHAR2(30), "
                        "d1 DATE COLLATE DATUM CHECK (orv_check_date(d1)), "
                        "d2 DATE COLLATE DATUM CHECK (orv_check_date(d2)))";
    const char* trigger =
        "CREATE TRIGGER b_ai AFTER INSERT ON b WHEN NEW.d1 IS NOT orv_date_key(NEW.d1) COLLATE "
        "BINARY OR NEW.d2 IS NOT orv_date_key(NEW.d2) COLLATE BINARY BEGIN UPDATE b SET d1 = "
        "orv_date_key(d1), d2 = orv_date_key(d2) WHERE rowid = NEW.rowid; END";
    for (const char* sql : {table, store == Store::Keys ? trigger : nullptr}) {
        if (!sql) continue;
        char* error = nullptr;
        if (sqlite3_exec(db.handle(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string text = error ? error : "";
            sqlite3_free(error);
            throw DatabaseError(text);
        }
    }
    for (const char* row : {
             "INSERT INTO b VALUES (1, 'a', '05.03.2025', '28.11.2024')",
             "INSERT INTO b VALUES (2, 'b', '28.11.2024', '01.01.2007')",
             "INSERT INTO b VALUES (3, 'c', NULL, '31.12.2024 10:30:00')",
             "INSERT INTO b VALUES (4, 'd', '31.12.2024', NULL)",
             "INSERT INTO b VALUES (5, '2024-12-31', NULL, '28.11.2024')",
             "INSERT INTO b VALUES (6, 'f', '30.12.2024', '05.03.2025')",
         })
        db.execute(row);
}

struct KeyCase {
    const char* name;
    const char* sql;
    Rows expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

// A CASE whose branches are date columns is a date.
constexpr const char* kCaseOfDates = "CASE WHEN id IN (1, 4, 6) THEN d1 ELSE d2 END";

const KeyCase kCases[] = {
    {"OrderByDate",
     "SELECT id FROM b WHERE d1 IS NOT NULL ORDER BY d1",
     {{"2"}, {"6"}, {"4"}, {"1"}}},
    {"MinMax", "SELECT MIN(d1), MAX(d2) FROM b", {{"28.11.2024", "05.03.2025"}}},
    {"CompareWithShortText",
     "SELECT id FROM b WHERE d1 <= '31.12.2024' ORDER BY id",
     {{"2"}, {"4"}, {"6"}}},
    {"EqualToShortTextAndTime",
     "SELECT id FROM b WHERE d2 = '31.12.2024 10:30' OR d1 = '5.3.2025' ORDER BY id",
     {{"1"}, {"3"}}},
    {"LiteralBetweenColumns",
     "SELECT id FROM b WHERE '1.12.2024' BETWEEN d2 AND d1 ORDER BY id",
     {{"1"}}},
    {"ColumnAgainstColumn", "SELECT id FROM b WHERE d1 > d2 ORDER BY id", {{"1"}, {"2"}}},
    {"MaxOfCaseAgainstText",
     "SELECT id FROM b GROUP BY id HAVING MAX(CASE WHEN id > 1 THEN d1 END) > '29.12.2024' "
     "ORDER BY id",
     {{"4"}, {"6"}}},
    {"SubqueryResultAgainstText",
     "SELECT COUNT(*) FROM b WHERE (SELECT MAX(d1) FROM b) > '4.3.2025'",
     {{"6"}}},
    // A column compared with a subquery compares in the column's own collation.
    {"ColumnAgainstSubquery", "SELECT id FROM b WHERE d1 = (SELECT MAX(d1) FROM b)", {{"1"}}},
    {"SubqueryAgainstColumn", "SELECT id FROM b WHERE (SELECT MIN(d1) FROM b) = b.d1", {{"2"}}},
    {"NumberColumnAgainstSubquery",
     "SELECT id FROM b WHERE id = (SELECT MAX(id) FROM b WHERE d1 < '1.1.2025')",
     {{"6"}}},
    {"ReadAsText",
     "SELECT d1 || '|' || SUBSTR(d2, 4, 2) || '|' || LENGTH(d1) || '|' || "
     "TO_CHAR(d2, 'YYYY-MM-DD HH24:MI') FROM b WHERE id = 1",
     {{"05.03.2025|11|10|2024-11-28 00:00"}}},
    {"DateArithmetic",
     "SELECT d1 + 1, ADD_MONTHS(d1, -3), LAST_DAY(d2), d1 - d2, TRUNC(d2), "
     "GREATEST(d1, d2) FROM b WHERE id = 1",
     {{"06.03.2025", "05.12.2024", "30.11.2024", "97", "28.11.2024", "05.03.2025"}}},
    {"NvlWithText",
     "SELECT MIN(NVL(d1, '1.1.2000')), MAX(NVL(d1, '1.1.2100')) FROM b",
     {{"1.1.2000", "1.1.2100"}}},
    {"TextThatLooksLikeAnIsoDateStaysText", "SELECT s FROM b WHERE id = 5", {{"2024-12-31"}}},
};

class DateKeys : public testing::TestWithParam<std::tuple<Store, KeyCase>> {};

TEST_P(DateKeys, AnswerAsDateTexts) {
    const auto& [store, keyCase] = GetParam();
    DialectDatabase db;
    createTable(db, store);
    EXPECT_EQ(db.query(keyCase.sql), keyCase.expected) << translateStatement(keyCase.sql).sql;
}

INSTANTIATE_TEST_SUITE_P(BothStores, DateKeys,
                         testing::Combine(testing::Values(Store::Texts, Store::Keys),
                                          testing::ValuesIn(kCases)));

// The grouping column of a CASE over date columns orders chronologically by its alias: 28.11.2024
// before 05.03.2025, the time of day after the day itself.
TEST(DateKeysCase, CaseOfDateColumnsGroupsAndOrdersByItsAlias) {
    for (Store store : {Store::Texts, Store::Keys}) {
        DialectDatabase db;
        createTable(db, store);
        const std::string sql = std::string("SELECT ") + kCaseOfDates + " dan, COUNT(*) FROM b " +
                                "GROUP BY " + kCaseOfDates + " ORDER BY dan";
        EXPECT_EQ(db.query(sql), (Rows{{"01.01.2007", "1"},
                                       {"28.11.2024", "1"},
                                       {"30.12.2024", "1"},
                                       {"31.12.2024", "1"},
                                       {"31.12.2024 10:30:00", "1"},
                                       {"05.03.2025", "1"}}))
            << translateStatement(sql).sql;
        EXPECT_EQ(db.query(std::string("SELECT ") + kCaseOfDates + " dan FROM b ORDER BY dan DESC")
                      .front(),
                  Row{"05.03.2025"});
    }
}

// Keys take every form of date text the bank reads and read back in its canonical form; the key
// of the same day with and without midnight is one key.
// A subquery compared with a plain column is not marked with the date collation: the mark would
// override the column's collation and keep SQLite from searching the column's index. Compared
// with anything else (a date text, an expression), the result still compares as a date.
TEST(DateKeysCase, SubqueriesComparedWithAColumnTakeTheColumnsCollation) {
    const char* unmarked[] = {
        "SELECT sfdog FROM dog WHERE iddog = (SELECT iddog FROM trg_slab WHERE iddogslab = 1 "
        "AND 1 = 1)",
        "SELECT 1 FROM dog d WHERE (SELECT MAX(dan) FROM dog WHERE 1 = 1) >= d.dan AND d.iddog > 0",
    };
    // The subqueries end in "1 = 1": a mark on one would follow that text.
    for (const char* sql : unmarked)
        EXPECT_EQ(translateStatement(sql).sql.find("1) COLLATE DATUM"), std::string::npos) << sql;
    const char* marked[] = {
        "SELECT 1 FROM dual WHERE (SELECT MAX(dan) FROM dog WHERE 1 = 1) > '4.3.2025'",
        "SELECT 1 FROM dog WHERE dan + 1 = (SELECT MAX(dan) FROM dog WHERE 1 = 1)",
        "SELECT 1 FROM dog d WHERE NVL(d.dan, '1.1.2000') = (SELECT MAX(dan) FROM dog WHERE 1 = 1)",
    };
    for (const char* sql : marked)
        EXPECT_NE(translateStatement(sql).sql.find("1) COLLATE DATUM"), std::string::npos) << sql;
}

TEST(DateKeysCase, KeysNormaliseWhatIsWritten) {
    DialectDatabase db;
    createTable(db, Store::Keys);
    db.execute("INSERT INTO b (id, d1, d2) VALUES (7, '1.1.2007', '2.1.2007 00:00')");
    EXPECT_EQ(db.query("SELECT d1, d2, LENGTH(d1) FROM b WHERE id = 7"),
              (Rows{{"01.01.2007", "02.01.2007", "10"}}));
    EXPECT_EQ(db.query("SELECT COUNT(*) FROM b WHERE d1 = '01.01.2007' AND d2 = '2.1.2007'"),
              (Rows{{"1"}}));
    const std::string raw = db.query("SELECT typeof(d1) FROM b WHERE id = 7").front().front();
    EXPECT_EQ(raw, "text");
    DateParts parts;
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db.handle(), "SELECT d1 FROM b WHERE id = 7", -1, &statement, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    const std::string stored = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    EXPECT_TRUE(readDateKey(stored, parts)) << "stored as " << stored;
}

// The two date forms are written by hand; they must be what the formatted print gives, also for
// parts that no valid date has (a key or text is then still readable as what it holds).
TEST(DateKeysCase, DateFormsAreThePrintedForms) {
    const DateParts cases[] = {{2024, 12, 31, 0, 0, 0}, {2024, 2, 29, 23, 59, 59},
                               {1, 1, 1, 0, 0, 1},      {9999, 12, 31, 12, 0, 0},
                               {10000, 1, 1, 0, 0, 0},  {-4713, 1, 1, 0, 0, 0},
                               {2007, 0, 0, -1, 5, 0},  {123456, 100, -7, 0, 0, 0}};
    for (const DateParts& p : cases) {
        char text[64], key[64];
        if (p.hour == 0 && p.minute == 0 && p.second == 0) {
            std::snprintf(text, sizeof text, "%2.2d.%2.2d.%4.4d", p.day, p.month, p.year);
            std::snprintf(key, sizeof key, "\x01%4.4d-%2.2d-%2.2d", p.year, p.month, p.day);
        } else {
            std::snprintf(text, sizeof text, "%2.2d.%2.2d.%4.4d %2.2d:%2.2d:%2.2d", p.day, p.month,
                          p.year, p.hour, p.minute, p.second);
            std::snprintf(key, sizeof key, "\x01%4.4d-%2.2d-%2.2d %2.2d:%2.2d:%2.2d", p.year,
                          p.month, p.day, p.hour, p.minute, p.second);
        }
        EXPECT_EQ(canonicalDateText(p), text);
        EXPECT_EQ(dateKey(p), key);
    }
}

} // namespace
} // namespace orv::sqlite::test
