#pragma once
// The catalogue of the dialect's functions: for each the name statements call it by, how many
// arguments it takes, its body, whether its result is a date, and which of its literal arguments
// stay in the statement's text. registerFunctions registers them all from it, and the rewrites
// and the statement shapes read their facts from it, so that a new function is one row of the
// catalogue and its body.

#include "db/sqlite/dialect/FunctionSupport.h"

#include <span>
#include <string_view>

namespace orv::sqlite {

/// Whether a function's result is a date, which the rewrites mark to compare as one.
enum class DateResult {
    Never,
    /// Always a date, or a number where the function also works on numbers (TRUNC, GREATEST):
    /// the date collation leaves numbers as they are.
    Always,
    /// A date when one of its arguments is known to be one (NVL(date_column, '01.01.1900')).
    WithADateArgument,
};

struct DialectFunction {
    /// As statements write it; SQLite's names are case-insensitive.
    const char* name;
    int minArguments;
    /// kAnyNumber: any number from minArguments on.
    int maxArguments;
    ScalarFunction body;
    DateResult dateResult = DateResult::Never;
    /// The arguments from this one on (counted from 1) shape the result, as a format mask or a
    /// unit does: their literals stay in the statement's text and never become shared
    /// parameters. 0: none.
    int firstInlineArgument = 0;
    /// The result changes between calls with the same arguments (the current time).
    bool changesBetweenCalls = false;
};

inline constexpr int kAnyNumber = -1;

/// Every function of the dialect.
std::span<const DialectFunction> functionCatalogue();

/// The function of that name (any letter case); nullptr when the dialect has none.
const DialectFunction* findFunction(std::string_view name);

/// True when the function of that name always returns a date.
bool returnsDate(std::string_view name);

/// The first inline argument of the function of that name (see DialectFunction); 0 for none or
/// for a name that is no function of the dialect. Cheap: the statement shapes ask it for every
/// call of every statement run.
int firstInlineArgument(std::string_view name);

/// Registers every function of the catalogue on a connection; throws DatabaseError.
void registerFunctions(sqlite3* db);

} // namespace orv::sqlite
