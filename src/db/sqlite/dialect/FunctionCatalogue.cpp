#include "db/sqlite/dialect/FunctionCatalogue.h"

#include "db/sqlite/dialect/DecimalSum.h"
#include "db/sqlite/dialect/Spread.h"
#include "db/sqlite/dialect/FunctionBodies.h"

#include <string>
#include <vector>

namespace orv::sqlite {

namespace {

constexpr DateResult kNoDate = DateResult::Never;
constexpr DateResult kDate = DateResult::Always;

// The functions named orv_* are written by the rewrites (orv_date_key by the date columns'
// triggers), never by a statement.
// clang-format off
const DialectFunction kCatalogue[] = {
    // name               arguments    body                 result  inline from
    // Texts
    {"orv_concat",        1, kAnyNumber, body::concat,        kNoDate},
    {"CONCAT",            2, 2,          body::concat,        kNoDate},
    {"NVL",               2, 2,          body::nvl,           DateResult::WithADateArgument},
    {"NVL2",              3, 3,          body::nvl2,          kNoDate},
    {"DECODE",            3, kAnyNumber, body::decode,        kNoDate},
    {"SUBSTR",            2, 3,          body::substr,        kNoDate},
    {"INSTR",             2, 4,          body::instr,         kNoDate},
    {"LENGTH",            1, 1,          body::length,        kNoDate},
    {"TRIM",              1, 1,          body::trim,          kNoDate},
    {"LTRIM",             1, 2,          body::ltrim,         kNoDate},
    {"RTRIM",             1, 2,          body::rtrim,         kNoDate},
    {"TRANSLATE",         3, 3,          body::translate,     kNoDate},
    {"LENGTHB",           1, 1,          body::lengthb,       kNoDate},
    {"REGEXP_LIKE",       2, 3,          body::regexpLike,    kNoDate},
    {"REGEXP_REPLACE",    2, 6,          body::regexpReplace, kNoDate},
    {"REGEXP_SUBSTR",     2, 5,          body::regexpSubstr,  kNoDate},
    {"REGEXP_INSTR",      2, 6,          body::regexpInstr,   kNoDate},
    {"REGEXP_COUNT",      2, 4,          body::regexpCount,   kNoDate},
    {"LPAD",              2, 3,          body::lpad,          kNoDate},
    {"RPAD",              2, 3,          body::rpad,          kNoDate},
    {"REPLACE",           2, 3,          body::replace,       kNoDate},
    {"CHR",               1, 1,          body::chr,           kNoDate},
    {"ASCII",             1, 1,          body::ascii,         kNoDate},
    {"UPPER",             1, 1,          body::upper,         kNoDate},
    {"LOWER",             1, 1,          body::lower,         kNoDate},
    {"INITCAP",           1, 1,          body::initcap,       kNoDate},
    // Numbers
    {"ROUND",             1, 2,          body::round,         kNoDate},
    {"ABS",               1, 1,          body::abs,           kNoDate},
    {"TO_NUMBER",         1, 2,          body::toNumber,      kNoDate, 2},
    {"FLOOR",             1, 1,          body::floor,         kNoDate},
    {"CEIL",              1, 1,          body::ceil,          kNoDate},
    {"CEILING",           1, 1,          body::ceil,          kNoDate},
    {"SIGN",              1, 1,          body::sign,          kNoDate},
    {"MOD",               2, 2,          body::mod,           kNoDate},
    {"REMAINDER",         2, 2,          body::remainder,     kNoDate},
    {"BITAND",            2, 2,          body::bitwiseAnd,       kNoDate},
    {"TRUNC",             1, 2,          body::trunc,         kDate,   2},
    {"GREATEST",          1, kAnyNumber, body::greatest,      kDate},
    {"LEAST",             1, kAnyNumber, body::least,         kDate},
    {"orv_plus",          2, 2,          body::plus,          kDate},
    {"orv_minus",         2, 2,          body::minus,         kDate},
    {"orv_divisor",       1, 1,          body::divisor,       kNoDate},
    {"orv_check_number",  1, 1,          body::checkNumber,   kNoDate},
    // Dates
    {"TO_DATE",           1, 2,          body::toDate,        kDate,   2},
    {"TO_CHAR",           1, 2,          body::toChar,        kNoDate, 2},
    {"ADD_MONTHS",        2, 2,          body::addMonths,     kDate},
    {"LAST_DAY",          1, 1,          body::lastDay,       kDate},
    {"NEXT_DAY",          2, 2,          body::nextDay,       kDate},
    {"MONTHS_BETWEEN",    2, 2,          body::monthsBetween, kNoDate},
    {"orv_extract",       2, 2,          body::extract,       kNoDate, 1},
    {"orv_sysdate",       0, 0,          body::sysdate,       kDate,   0, true},
    {"orv_check_date",    1, 1,          body::checkDate,     kNoDate},
    {"orv_canonical_date", 1, 1,         body::canonicalDate, kDate},
    {"orv_date_key",      1, 1,          body::dateKey,       kNoDate},
};
// clang-format on

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

void registerFunction(sqlite3* db, const DialectFunction& function) {
    const auto define = function.changesBetweenCalls ? defineVolatileFunction : defineFunction;
    if (function.maxArguments == kAnyNumber) {
        define(db, function.name, -1, function.body);
        return;
    }
    for (int count = function.minArguments; count <= function.maxArguments; ++count)
        define(db, function.name, count, function.body);
}

} // namespace

std::span<const DialectFunction> functionCatalogue() {
    return kCatalogue;
}

const DialectFunction* findFunction(std::string_view name) {
    for (const DialectFunction& function : kCatalogue)
        if (sameName(function.name, name)) return &function;
    return nullptr;
}

bool returnsDate(std::string_view name) {
    const DialectFunction* function = findFunction(name);
    return function && function->dateResult == DateResult::Always;
}

int firstInlineArgument(std::string_view name) {
    // The few functions that have inline arguments, gathered once.
    static const std::vector<const DialectFunction*> withInlineArguments = [] {
        std::vector<const DialectFunction*> found;
        for (const DialectFunction& function : kCatalogue)
            if (function.firstInlineArgument > 0) found.push_back(&function);
        return found;
    }();
    for (const DialectFunction* function : withInlineArguments)
        if (sameName(function->name, name)) return function->firstInlineArgument;
    return 0;
}

void registerFunctions(sqlite3* db) {
    for (const DialectFunction& function : kCatalogue)
        registerFunction(db, function);
    registerDecimalSums(db);
    registerSpreadAggregates(db);
}

} // namespace orv::sqlite
