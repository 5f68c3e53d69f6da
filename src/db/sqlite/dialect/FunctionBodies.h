#pragma once
// The bodies of the dialect's functions, one file per family; FunctionCatalogue.cpp names and
// registers them.

#include "db/sqlite/dialect/FunctionSupport.h"

namespace orv::sqlite::body {

// clang-format off
// TextFunctions.cpp
void concat(sqlite3_context*, int, sqlite3_value**);
void nvl(sqlite3_context*, int, sqlite3_value**);
void nvl2(sqlite3_context*, int, sqlite3_value**);
void decode(sqlite3_context*, int, sqlite3_value**);
void substr(sqlite3_context*, int, sqlite3_value**);
void instr(sqlite3_context*, int, sqlite3_value**);
void length(sqlite3_context*, int, sqlite3_value**);
void trim(sqlite3_context*, int, sqlite3_value**);

// TrimAndTranslate.cpp
void ltrim(sqlite3_context*, int, sqlite3_value**);
void rtrim(sqlite3_context*, int, sqlite3_value**);
void translate(sqlite3_context*, int, sqlite3_value**);
void lengthb(sqlite3_context*, int, sqlite3_value**);

// RegularExpressions.cpp
void regexpLike(sqlite3_context*, int, sqlite3_value**);
void regexpReplace(sqlite3_context*, int, sqlite3_value**);
void regexpSubstr(sqlite3_context*, int, sqlite3_value**);
void regexpInstr(sqlite3_context*, int, sqlite3_value**);
void regexpCount(sqlite3_context*, int, sqlite3_value**);

// CharacterFunctions.cpp
void lpad(sqlite3_context*, int, sqlite3_value**);
void rpad(sqlite3_context*, int, sqlite3_value**);
void replace(sqlite3_context*, int, sqlite3_value**);
void chr(sqlite3_context*, int, sqlite3_value**);
void ascii(sqlite3_context*, int, sqlite3_value**);

// LetterCase.cpp
void upper(sqlite3_context*, int, sqlite3_value**);
void lower(sqlite3_context*, int, sqlite3_value**);
void initcap(sqlite3_context*, int, sqlite3_value**);

// NumberFunctions.cpp
void round(sqlite3_context*, int, sqlite3_value**);
void abs(sqlite3_context*, int, sqlite3_value**);
void toNumber(sqlite3_context*, int, sqlite3_value**);
void divisor(sqlite3_context*, int, sqlite3_value**);
void checkNumber(sqlite3_context*, int, sqlite3_value**);

// NumberParts.cpp
void floor(sqlite3_context*, int, sqlite3_value**);
void ceil(sqlite3_context*, int, sqlite3_value**);
void sign(sqlite3_context*, int, sqlite3_value**);
void mod(sqlite3_context*, int, sqlite3_value**);
void remainder(sqlite3_context*, int, sqlite3_value**);
void bitwiseAnd(sqlite3_context*, int, sqlite3_value**);

// Truncation.cpp
void trunc(sqlite3_context*, int, sqlite3_value**);

// Arithmetic.cpp
void plus(sqlite3_context*, int, sqlite3_value**);
void minus(sqlite3_context*, int, sqlite3_value**);

// GreatestLeast.cpp
void greatest(sqlite3_context*, int, sqlite3_value**);
void least(sqlite3_context*, int, sqlite3_value**);

// ToDate.cpp
void toDate(sqlite3_context*, int, sqlite3_value**);

// ToChar.cpp
void toChar(sqlite3_context*, int, sqlite3_value**);

// DateFunctions.cpp
void addMonths(sqlite3_context*, int, sqlite3_value**);
void lastDay(sqlite3_context*, int, sqlite3_value**);
void nextDay(sqlite3_context*, int, sqlite3_value**);
void monthsBetween(sqlite3_context*, int, sqlite3_value**);
void extract(sqlite3_context*, int, sqlite3_value**);
void sysdate(sqlite3_context*, int, sqlite3_value**);
void checkDate(sqlite3_context*, int, sqlite3_value**);
void canonicalDate(sqlite3_context*, int, sqlite3_value**);
void dateKey(sqlite3_context*, int, sqlite3_value**);
// clang-format on

} // namespace orv::sqlite::body
