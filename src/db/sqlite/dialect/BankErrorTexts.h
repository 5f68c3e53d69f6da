#pragma once
// The bank database's texts for the failures both backends meet in their own words: a name the
// database does not know, a call with the wrong number of arguments, a broken constraint. Each
// backend reads its engine's message and reports it with these.

#include "db/sqlite/dialect/LetterCase.h"

#include <string>
#include <string_view>

namespace orv::sqlite {

inline constexpr const char* kTableDoesNotExist = "ORA-00942: table or view does not exist";
inline constexpr const char* kInvalidNumberOfArguments = "ORA-00909: invalid number of arguments";
inline constexpr const char* kUniqueConstraintViolated = "ORA-00001: unique constraint violated";
inline constexpr const char* kNameAlreadyUsed =
    "ORA-00955: name is already used by an existing object";

/// A name as the bank's database quotes it in a message: each part of a dotted name in upper
/// case between double quotes ("T"."KONTO").
inline std::string quotedBankName(std::string_view name) {
    std::string out;
    size_t start = 0;
    while (start <= name.size()) {
        size_t dot = name.find('.', start);
        if (dot == std::string_view::npos) dot = name.size();
        std::string_view part = name.substr(start, dot - start);
        if (part.size() >= 2 && part.front() == '"' && part.back() == '"')
            part = part.substr(1, part.size() - 2);
        out += (out.empty() ? "\"" : ".\"") + upperText(part) + "\"";
        start = dot + 1;
    }
    return out;
}

/// ORA-00904 for a column or function name the database does not know.
inline std::string invalidIdentifier(std::string_view name) {
    return "ORA-00904: " + quotedBankName(name) + ": invalid identifier";
}

/// ORA-01400 for a NULL written to a NOT NULL column, named table.column.
inline std::string cannotInsertNull(std::string_view qualifiedColumn) {
    return "ORA-01400: cannot insert NULL into (" + quotedBankName(qualifiedColumn) + ")";
}

/// SQLite's message in the bank database's words where it has them (an unknown table, column or
/// function, a wrong number of arguments, a broken constraint, a name in use); any other message
/// (a syntax error, a failure of the engine) as it is.
std::string bankWordsFor(const std::string& sqliteMessage);

} // namespace orv::sqlite
