#pragma once
// Which table a statement makes, drops, renames or empties, read from its first words: the
// connection keeps the list of the tables users made by it, and runs TRUNCATE, which the engine
// does not know, as the deletion of every row once the user may.

#include <string>
#include <string_view>

namespace orv::sqlite {

struct SchemaChange {
    enum class Kind {
        None,     ///< any other statement (indexes and triggers included)
        Create,   ///< CREATE TABLE or VIEW, not a temporary one
        Drop,     ///< DROP TABLE or VIEW
        Alter,    ///< ALTER TABLE
        Truncate, ///< TRUNCATE TABLE
    };
    Kind kind = Kind::None;
    /// The schema as written ("main" when none is), in lower case.
    std::string schema = "main";
    /// The table's name in upper case (quoted names as written).
    std::string table;
    /// ALTER TABLE t RENAME TO n: n in upper case.
    std::string renamedTo;
};

/// Reads the change; Kind::None for a statement that starts with another word. Cheap for
/// those: only the first word is looked at.
SchemaChange readSchemaChange(std::string_view bankSql);

} // namespace orv::sqlite
