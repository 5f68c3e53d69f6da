// The collation DATUM of date columns. Dates compare chronologically, whether they are date keys
// (how the bank substitute stores them, see DateText.h) or date texts (1.1.2007 equals 01.01.2007
// and the key of that day); a date sorts before any other text, and other texts compare byte by
// byte. This is a total order, so indexes on date columns can use it.
//
// Two keys, which is what index searches, joins and ORDER BY on date columns compare, take the
// fast path: bytes, as the key is built to sort. Only a date text (a literal or a bound value of
// a statement, a column of a table made without keys) is parsed.

#include "db/DatabaseError.h"
#include "db/sqlite/dialect/DateText.h"
#include "db/sqlite/dialect/Functions.h"

#include <algorithm>
#include <cstring>

namespace orv::sqlite {

namespace {

int compareBytes(std::string_view a, std::string_view b) {
    const int byBytes = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (byBytes != 0) return byBytes;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// A text that cannot be a date nor a key: it starts with neither a digit nor the key's byte.
bool plainlyNoDate(std::string_view text) {
    return text.empty() || (text[0] != '\x01' && (text[0] < '0' || text[0] > '9'));
}

// The key of a date text, remembered for the next call: a range scan compares every key it
// passes with the same literal bound ('31.12.2024'), which is then read once.
bool keyOfDateText(std::string_view text, std::string_view& key) {
    thread_local std::string lastText, lastKey;
    if (text != lastText) {
        DateParts parts;
        if (readDateText(text, parts) != DateTextError::None) return false;
        lastText.assign(text);
        lastKey = dateKey(parts);
    }
    key = lastKey;
    return true;
}

// Why the last date compared with a text that is no date could not read it; None when none was.
thread_local DateTextError comparedWithNoDate = DateTextError::None;

int compareDateTexts(void*, int sizeA, const void* a, int sizeB, const void* b) {
    const std::string_view textA(static_cast<const char*>(a), static_cast<size_t>(sizeA));
    const std::string_view textB(static_cast<const char*>(b), static_cast<size_t>(sizeB));
    const bool keyA = isDateKey(textA), keyB = isDateKey(textB);
    if (keyA && keyB) return compareBytes(textA, textB);
    std::string_view key;
    if (keyA && keyOfDateText(textB, key)) return compareBytes(textA, key);
    if (keyB && keyOfDateText(textA, key)) return compareBytes(key, textB);
    if (plainlyNoDate(textA) && plainlyNoDate(textB)) return compareBytes(textA, textB);
    DateParts partsA, partsB;
    const DateTextError errorA = readDateOrKey(textA, partsA);
    const DateTextError errorB = readDateOrKey(textB, partsB);
    const bool dateA = errorA == DateTextError::None, dateB = errorB == DateTextError::None;
    if (dateA && dateB) return compareDates(partsA, partsB);
    if (dateA != dateB) {
        // The bank's database reads the text as a date to compare it, and fails; the collation
        // cannot, so it keeps the reason for the connection to raise after the step.
        comparedWithNoDate = dateA ? errorB : errorA;
        return dateA ? -1 : 1;
    }
    return compareBytes(textA, textB);
}

} // namespace

const char* takeDateComparisonError() {
    const DateTextError error = comparedWithNoDate;
    comparedWithNoDate = DateTextError::None;
    return error == DateTextError::None ? nullptr : dateErrorText(error);
}

void registerDateCollation(sqlite3* db) {
    if (sqlite3_create_collation_v2(db, "DATUM", SQLITE_UTF8, nullptr, compareDateTexts, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(std::string("Cannot register collation DATUM: ") + sqlite3_errmsg(db));
}

} // namespace orv::sqlite
