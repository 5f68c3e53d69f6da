#include "cli/StatementSplitter.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(StatementSplitter, EndsStatementsAtLineEndSemicolonsAndSlashLines) {
    struct Case {
        const char* script;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"select 1 from dual;\nselect 2 from dual;\n",
         {"select 1 from dual", "select 2 from dual"}},
        {"select 1\n  from dual  ;  \n", {"select 1\n  from dual"}},
        {"update t set a = 1\n/\nselect 2 from dual", {"update t set a = 1", "select 2 from dual"}},
        {"select 'a;' from dual where x = 1; -- done\n", {"select 'a;' from dual where x = 1"}},
        // A ';' inside a text or a comment, or not at the end of a line, does not end it.
        {"select 'a;\nb;' from dual;\n", {"select 'a;\nb;' from dual"}},
        {"select 1 -- not the end;\nfrom dual;", {"select 1 -- not the end;\nfrom dual"}},
        {"select /* x;\n y; */ 1 from dual;", {"select /* x;\n y; */ 1 from dual"}},
        {"select 1; select 2 from dual\n", {"select 1; select 2 from dual"}},
        // A debug file of the program: CR LF lines, no terminator.
        {"SELECT * FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024' \r\n",
         {"SELECT * FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024'"}},
        {"\n;\n/\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitStatements(c.script), c.expected) << c.script;
}

} // namespace
} // namespace orv
