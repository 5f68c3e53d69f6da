#include "cli/StatementSplitter.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(StatementSplitter, EndsStatementsAtEverySemicolonAndAtSlashLines) {
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
        // A ';' inside a text, a quoted name or a comment does not end it; every other one does,
        // wherever it stands on its line.
        {"select 'a;\nb;' from dual;\n", {"select 'a;\nb;' from dual"}},
        {"select 1 -- not the end;\nfrom dual;", {"select 1 -- not the end;\nfrom dual"}},
        {"select /* x;\n y; */ 1 from dual;", {"select /* x;\n y; */ 1 from dual"}},
        {"select \"a;b\" from dual;", {"select \"a;b\" from dual"}},
        {"select 1; select 2 from dual\n", {"select 1", "select 2 from dual"}},
        {"update VLN set TCJ=0; update VLN set TCJ=1;",
         {"update VLN set TCJ=0", "update VLN set TCJ=1"}},
        {"select 'it''s;' from dual;select 2 from dual",
         {"select 'it''s;' from dual", "select 2 from dual"}},
        // A '/' that divides is no terminator; one alone on its line is.
        {"select 4\n / 2 from dual\n  /  \nselect 3 from dual",
         {"select 4\n / 2 from dual", "select 3 from dual"}},
        // A byte-order mark at the start belongs to no statement.
        {"\xEF\xBB\xBFselect 1 from dual;", {"select 1 from dual"}},
        // A debug file of the program: CR LF lines, no terminator.
        {"SELECT * FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024' \r\n",
         {"SELECT * FROM POD_ORVEL WHERE DAT_STANJE='31.12.2024'"}},
        {"\n;\n/\n", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitStatements(c.script), c.expected) << c.script;
}

// What the splitter cannot cut cleanly is an error naming the line where the fault starts, so that
// no text after a statement is silently dropped.
TEST(StatementSplitter, NulBytesAndUnterminatedTextsAreErrorsNamingTheLine) {
    struct Case {
        std::string script;
        const char* expected;
    };
    const Case cases[] = {
        {std::string("select 1 from dual;\ndelete from VLN ") + '\0' + "where 1=0;\n", "line 2:"},
        {std::string("select '") + '\0' + "' from dual;", "line 1:"},
        {"select 1 from dual;\nselect 'open\nfrom dual;\n", "line 2: ORA-01756"},
        {"select 1 from dual;\n\n/* open\n", "line 3: ORA-01742"},
        {"select \"open from dual;\n", "line 1: ORA-01740"},
    };
    for (const Case& c : cases) {
        try {
            splitStatements(c.script);
            ADD_FAILURE() << "no error for " << c.script;
        } catch (const ScriptError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.expected, 0), 0u) << error.what();
        }
    }
}

} // namespace
} // namespace orv
