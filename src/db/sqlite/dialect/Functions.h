#pragma once
// Registration of the dialect's functions and collation, one group per file.

#include <sqlite3.h>

namespace orv::sqlite {

/// orv_concat, CONCAT, NVL, NVL2, DECODE, SUBSTR, INSTR, LENGTH, TRIM.
void registerTextFunctions(sqlite3* db);

/// ROUND, ABS, TO_NUMBER, orv_divisor, orv_check_number.
void registerNumberFunctions(sqlite3* db);

/// FLOOR, CEIL, SIGN, MOD.
void registerNumberParts(sqlite3* db);

/// TRUNC of numbers and dates.
void registerTruncation(sqlite3* db);

/// orv_plus and orv_minus: + and - on numbers and dates.
void registerArithmetic(sqlite3* db);

/// GREATEST, LEAST.
void registerGreatestLeast(sqlite3* db);

/// UPPER, LOWER, INITCAP.
void registerLetterCase(sqlite3* db);

/// LPAD, RPAD, REPLACE, CHR, ASCII.
void registerCharacterFunctions(sqlite3* db);

/// TO_DATE.
void registerToDate(sqlite3* db);

/// ADD_MONTHS, LAST_DAY, MONTHS_BETWEEN, orv_sysdate, orv_extract, orv_check_date,
/// orv_canonical_date.
void registerDateFunctions(sqlite3* db);

/// TO_CHAR of numbers and dates, with and without a format mask.
void registerToChar(sqlite3* db);

/// The collation DATUM: date texts in chronological order.
void registerDateCollation(sqlite3* db);

} // namespace orv::sqlite
