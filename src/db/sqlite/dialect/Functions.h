#pragma once
// Registration of the dialect's functions and collation, one group per file.

#include <sqlite3.h>

namespace orv::sqlite {

/// orv_concat, NVL, DECODE, SUBSTR, INSTR, LENGTH, TRIM.
void registerTextFunctions(sqlite3* db);

/// ROUND, ABS, orv_divisor, orv_check_number.
void registerNumberFunctions(sqlite3* db);

/// ADD_MONTHS, LAST_DAY, orv_extract, orv_check_date, orv_canonical_date.
void registerDateFunctions(sqlite3* db);

/// TO_CHAR of numbers and dates, with and without a format mask.
void registerToChar(sqlite3* db);

/// The collation DATUM: date texts in chronological order.
void registerDateCollation(sqlite3* db);

} // namespace orv::sqlite
