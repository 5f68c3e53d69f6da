// The collation DATUM of date columns. Date texts compare chronologically (1.1.2007 equals
// 01.01.2007); a date sorts before any other text, and other texts compare byte by byte. This is
// a total order, so indexes on date columns can use it.

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

int compareDateTexts(void*, int sizeA, const void* a, int sizeB, const void* b) {
    const std::string_view textA(static_cast<const char*>(a), static_cast<size_t>(sizeA));
    const std::string_view textB(static_cast<const char*>(b), static_cast<size_t>(sizeB));
    DateParts partsA, partsB;
    const bool dateA = readDateText(textA, partsA) == DateTextError::None;
    const bool dateB = readDateText(textB, partsB) == DateTextError::None;
    if (dateA && dateB) return compareDates(partsA, partsB);
    if (dateA != dateB) return dateA ? -1 : 1;
    return compareBytes(textA, textB);
}

} // namespace

void registerDateCollation(sqlite3* db) {
    if (sqlite3_create_collation_v2(db, "DATUM", SQLITE_UTF8, nullptr, compareDateTexts, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(std::string("Cannot register collation DATUM: ") + sqlite3_errmsg(db));
}

} // namespace orv::sqlite
