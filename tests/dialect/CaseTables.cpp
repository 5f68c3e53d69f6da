#include "CaseTables.h"

#include "db/DatabaseError.h"

#include <gtest/gtest.h>

namespace orv::sqlite::test {

void expectRows(const std::vector<std::string>& setup, const QueryCase& c) {
    DialectDatabase db;
    for (const std::string& statement : setup)
        db.execute(statement);
    for (const std::string& statement : c.setup)
        db.execute(statement);
    EXPECT_EQ(db.query(c.sql), c.expected) << translateStatement(c.sql).sql;
}

void expectError(const std::vector<std::string>& setup, const QueryErrorCase& c) {
    DialectDatabase db;
    for (const std::string& statement : setup)
        db.execute(statement);
    try {
        const Rows rows = db.query(c.sql);
        ADD_FAILURE() << "no error; " << rows.size() << " rows from "
                      << translateStatement(c.sql).sql;
    } catch (const DatabaseError& error) {
        EXPECT_EQ(std::string(error.what()).rfind(c.error, 0), 0u) << error.what();
    }
}

} // namespace orv::sqlite::test
