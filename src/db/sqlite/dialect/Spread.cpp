#include "db/sqlite/dialect/Spread.h"

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/FunctionSupport.h"

#include <cmath>
#include <string>

namespace orv::sqlite {

namespace {

// Welford's running mean and sum of squared deviations: one pass, no cancellation.
struct Spread {
    long long count = 0;
    double mean = 0.0;
    double squares = 0.0;
};

void step(sqlite3_context* context, int, sqlite3_value** argv) {
    bool ok = true;
    const std::optional<Number> number = argumentNumber(context, argv[0], ok);
    if (!ok || !number) return;
    auto* spread = static_cast<Spread*>(sqlite3_aggregate_context(context, sizeof(Spread)));
    if (!spread) return sqlite3_result_error_nomem(context);
    const double value = number->value();
    ++spread->count;
    const double delta = value - spread->mean;
    spread->mean += delta / static_cast<double>(spread->count);
    spread->squares += delta * (value - spread->mean);
}

// The sample variance; false when no value was given (the result is then NULL).
bool variance(sqlite3_context* context, double& result) {
    const auto* spread = static_cast<const Spread*>(sqlite3_aggregate_context(context, 0));
    if (!spread || spread->count == 0) return false;
    result = spread->count == 1 ? 0.0 : spread->squares / static_cast<double>(spread->count - 1);
    return true;
}

void varianceValue(sqlite3_context* context) {
    double result = 0.0;
    if (!variance(context, result)) return sqlite3_result_null(context);
    sqlite3_result_double(context, result);
}

void deviationValue(sqlite3_context* context) {
    double result = 0.0;
    if (!variance(context, result)) return sqlite3_result_null(context);
    sqlite3_result_double(context, std::sqrt(result));
}

void define(sqlite3* db, const char* name, void (*value)(sqlite3_context*)) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_function_v2(db, name, 1, flags, nullptr, nullptr, step, value, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(std::string("cannot register ") + name + ": " + sqlite3_errmsg(db));
}

} // namespace

void registerSpreadAggregates(sqlite3* db) {
    define(db, "STDDEV", deviationValue);
    define(db, "VARIANCE", varianceValue);
}

} // namespace orv::sqlite
