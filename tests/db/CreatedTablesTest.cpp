// A table a statement creates keeps its values as the bank's own tables do: dates compare and
// print as dates whatever form they were written in, number columns take only numbers, and a
// number column with a scale rounds to it.

#include "db/DatabaseError.h"
#include "db/sqlite/SqliteConnection.h"
#include "support/TestBank.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

std::vector<std::string> column(sqlite::SqliteConnection& connection, const std::string& sql,
                                size_t index = 0) {
    const ResultSet result = connection.query(sql, {});
    std::vector<std::string> values;
    for (size_t row = 0; row < result.rows.size(); ++row)
        values.push_back(result.rows.value(row, index).toText());
    return values;
}

TEST(CreatedTables, KeepDatesAndNumbersAsTheBankDoes) {
    test::TestBank bank;
    sqlite::SqliteConnection connection(bank.path(), "OPERATER", "demo");
    connection.execute("CREATE TABLE poskus (id NUMBER, dan DATE, z NUMBER(8,2), "
                       "\"Kdaj\" DATE, opis VARCHAR2(10))",
                       {});
    connection.execute("INSERT INTO poskus VALUES (1, '5.3.2024', 1.005, '1.1.2020', 'a')", {});
    connection.execute("INSERT INTO poskus VALUES (2, '06.03.2023', 2, NULL, 'b')", {});
    connection.execute("INSERT INTO poskus (id, dan, z) VALUES "
                       "(3, TO_DATE('01.01.2025 10:30', 'DD.MM.YYYY HH24:MI'), 3.335)",
                       {});
    EXPECT_EQ(column(connection, "SELECT id FROM poskus ORDER BY dan"),
              (std::vector<std::string>{"2", "1", "3"}));
    EXPECT_EQ(column(connection, "SELECT dan FROM poskus ORDER BY id"),
              (std::vector<std::string>{"05.03.2024", "06.03.2023", "01.01.2025 10:30:00"}));
    EXPECT_EQ(column(connection, "SELECT z FROM poskus ORDER BY id"),
              (std::vector<std::string>{"1.01", "2", "3.34"}));
    EXPECT_EQ(column(connection, "SELECT id FROM poskus WHERE dan > '1.1.2024' ORDER BY id"),
              (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(column(connection, "SELECT MAX(\"Kdaj\") FROM poskus"),
              (std::vector<std::string>{"01.01.2020"}));
    // An update is kept the same way.
    connection.execute("UPDATE poskus SET dan = '7.3.2024', z = 0.125 WHERE id = 1", {});
    EXPECT_EQ(column(connection, "SELECT dan FROM poskus WHERE id = 1"),
              (std::vector<std::string>{"07.03.2024"}));
    EXPECT_EQ(column(connection, "SELECT z FROM poskus WHERE id = 1"),
              (std::vector<std::string>{"0.13"}));
    // Values that are no date or no number are refused with the bank's errors.
    const struct {
        const char* sql;
        const char* error;
    } refused[] = {
        {"INSERT INTO poskus (id, dan) VALUES (4, '31.02.2024')", "ORA-01847"},
        {"INSERT INTO poskus (id, dan) VALUES (4, 'abc')", "ORA-01858"},
        {"INSERT INTO poskus (id, z) VALUES (4, 'abc')", "ORA-01722"},
        {"INSERT INTO poskus (id) VALUES ('x')", "ORA-01722"},
        // A date compared with a text that is no date fails the statement, as on the bank's
        // database, where a query and a change read the text as a date.
        {"SELECT id FROM poskus WHERE dan = 'abc'", "ORA-01858"},
        {"UPDATE poskus SET z = 0 WHERE dan < '30.02.2024'", "ORA-01847"},
    };
    for (const auto& c : refused) {
        try {
            if (std::string(c.sql).rfind("SELECT", 0) == 0)
                connection.query(c.sql, {});
            else
                connection.execute(c.sql, {});
            ADD_FAILURE() << "no error: " << c.sql;
        } catch (const DatabaseError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.error, 0), 0u) << error.what();
        }
    }
    EXPECT_EQ(column(connection, "SELECT COUNT(*) FROM poskus"), (std::vector<std::string>{"3"}));
    EXPECT_EQ(column(connection, "SELECT COUNT(*) FROM poskus WHERE z = 0"),
              (std::vector<std::string>{"0"}));
}

} // namespace
} // namespace orv
