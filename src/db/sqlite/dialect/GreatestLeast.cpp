// GREATEST and LEAST as the bank's database computes them: NULL when any argument is NULL, and the
// first argument decides how all are compared. After a number they compare as numbers (a text
// that is no number raises ORA-01722), after a date as dates (each text must be a date), after
// any other text as texts, byte by byte.

#include "db/sqlite/dialect/DateArguments.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/FunctionBodies.h"
#include "db/sqlite/dialect/FunctionSupport.h"

namespace orv::sqlite {

namespace {

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

// `wantGreater`: GREATEST; else LEAST. The first of equal extremes wins.
void pickNumber(sqlite3_context* context, int argc, sqlite3_value** argv, bool wantGreater) {
    bool ok = true;
    const std::optional<Number> first = argumentNumber(context, argv[0], ok);
    if (!ok) return;
    Number best = *first;
    for (int i = 1; i < argc; ++i) {
        const std::optional<Number> candidate = argumentNumber(context, argv[i], ok);
        if (!ok) return;
        const bool better =
            wantGreater ? candidate->value() > best.value() : candidate->value() < best.value();
        if (better) best = *candidate;
    }
    resultNumber(context, best);
}

void pickDate(sqlite3_context* context, int argc, sqlite3_value** argv, bool wantGreater) {
    DateParts best;
    readDateArgument(context, argv[0], best);
    for (int i = 1; i < argc; ++i) {
        DateParts candidate;
        if (readDateArgument(context, argv[i], candidate) == DateArgument::Failed) return;
        const int order = compareDates(candidate, best);
        if (wantGreater ? order > 0 : order < 0) best = candidate;
    }
    resultDate(context, best);
}

void pickText(sqlite3_context* context, int argc, sqlite3_value** argv, bool wantGreater) {
    std::string best = *argumentText(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string candidate = *argumentText(argv[i]);
        if (wantGreater ? candidate > best : candidate < best) best = candidate;
    }
    resultText(context, best);
}

template <bool WantGreater>
void extremeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 1)
        return sqlite3_result_error(context, "ORA-00938: not enough arguments for function", -1);
    if (anyNull(argc, argv)) return sqlite3_result_null(context);
    DateParts parts;
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT)
        pickNumber(context, argc, argv, WantGreater);
    else if (isDateValue(argv[0], parts))
        pickDate(context, argc, argv, WantGreater);
    else
        pickText(context, argc, argv, WantGreater);
}

} // namespace

void body::greatest(sqlite3_context* context, int argc, sqlite3_value** argv) {
    extremeFunction<true>(context, argc, argv);
}

void body::least(sqlite3_context* context, int argc, sqlite3_value** argv) {
    extremeFunction<false>(context, argc, argv);
}

} // namespace orv::sqlite
