// Statements nested deeper than the dialect's bound are refused with a clear error; a statement
// within it translates. Without the bound, each level costs stack in every recursive rewrite.

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/Dialect.h"

#include <gtest/gtest.h>

#include <string>

namespace orv::sqlite {
namespace {

std::string nested(size_t depth) {
    return "SELECT " + std::string(depth, '(') + "1" + std::string(depth, ')') + " FROM dual";
}

std::string nestedCase(size_t depth) {
    std::string sql = "SELECT ";
    for (size_t i = 0; i < depth; ++i)
        sql += "CASE WHEN 1 = 1 THEN ";
    sql += "1";
    for (size_t i = 0; i < depth; ++i)
        sql += " END";
    return sql + " FROM dual";
}

TEST(StatementBounds, DeepStatementsAreRefusedClearly) {
    for (const std::string& sql :
         {nested(1001), nested(50000), nestedCase(1001), nestedCase(20000)}) {
        try {
            translateStatement(sql, true);
            ADD_FAILURE() << "no error at " << sql.size() << " characters";
        } catch (const DatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find("nested too deeply"), std::string::npos)
                << error.what();
        }
    }
    EXPECT_NO_THROW(translateStatement(nested(1000), true));
    EXPECT_NO_THROW(translateStatement(nestedCase(500), true));
}

// SQLite reads a statement's text only up to a NUL byte: the dialect refuses one wherever it
// stands.
TEST(StatementBounds, ANulByteIsRefused) {
    for (const std::string& sql : {std::string("DELETE FROM VLN ") + '\0' + "WHERE 1=0",
                                   std::string("SELECT '") + '\0' + "' FROM dual",
                                   std::string("SELECT 1 FROM dual -- ") + '\0'}) {
        EXPECT_THROW(translateStatement(sql, true), DatabaseError);
    }
}

} // namespace
} // namespace orv::sqlite
