#include "db/QueryResultCache.h"

#include "base/Besedilo.h"

#include <cstring>
#include <string_view>

namespace orv {

namespace {

// Lookups answer with a row or a few; a larger result is a listing, read once.
constexpr size_t kLargestKeptResult = 64;
// Past this many bytes of keys and statements the cache starts afresh, so that a long transfer
// over many distinct questions does not grow without bound.
constexpr size_t kMostBytesKept = 64u << 20;

// Words of statements whose answer changes without any write: the clock, sequences, chance.
// A word that starts with one of these (CURRENT_DATE, seq.NEXTVAL, DBMS_RANDOM.VALUE) marks the
// statement.
constexpr std::string_view kChangingByThemselves[] = {
    "SYSDATE", "SYSTIMESTAMP", "CURRENT_", "NEXTVAL", "CURRVAL", "DBMS_RANDOM", "RANDOM"};

// The rows of a result, copied: a dataset takes its result over and moves through it.
RowStore copyRows(const RowStore& rows) {
    RowStore copy;
    std::vector<Value> values;
    for (size_t row = 0; row < rows.size(); ++row) {
        rows.readRow(row, values);
        copy.addRow(values);
    }
    return copy;
}

ResultSet copyResult(const ResultSet& result) {
    return ResultSet{result.fields, copyRows(result.rows), result.sourceTable};
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/// Calls `visit` with each word of `text` (a run of name characters) until it returns true;
/// true when one did. One pass over the text: the check runs for every query of a transfer.
template <typename Visit> bool anyWord(std::string_view text, Visit&& visit) {
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && !isNameByte(text[at]))
            ++at;
        const size_t start = at;
        while (at < text.size() && isNameByte(text[at]))
            ++at;
        if (at > start && visit(text.substr(start, at - start))) return true;
    }
    return false;
}

bool startsWithIgnoringCase(std::string_view word, std::string_view upperPrefix) {
    if (word.size() < upperPrefix.size()) return false;
    for (size_t i = 0; i < upperPrefix.size(); ++i)
        if (upper(word[i]) != upperPrefix[i]) return false;
    return true;
}

/// True when `name` (upper case) stands in `text` as a whole word, in any letter case.
bool namesWord(std::string_view text, std::string_view name) {
    return anyWord(text, [&](std::string_view word) {
        return word.size() == name.size() && startsWithIgnoringCase(word, name);
    });
}

} // namespace

void QueryResultCache::setEnabled(bool enabled) {
    enabled_ = enabled;
    clear();
    writtenTables_.clear();
    hits_ = 0;
}

std::string QueryResultCache::key(const std::string& sql,
                                  const std::vector<BoundVariable>& variables) {
    std::string key = sql;
    for (const BoundVariable& variable : variables) {
        key += '\0';
        key += toUpper(variable.name);
        const Value& value = variable.value;
        if (value.isInteger()) {
            key += "\x01" + std::to_string(value.integer());
        } else if (value.isReal()) {
            char bytes[sizeof(double)];
            const double real = value.real();
            std::memcpy(bytes, &real, sizeof real);
            key += '\x02';
            key.append(bytes, sizeof bytes);
        } else if (value.isText()) {
            key += '\x03';
            key += value.text();
        } else {
            key += '\x04';
        }
    }
    return key;
}

bool QueryResultCache::keepable(const std::string& sql) const {
    // One pass over the words: the check runs for every query the cache does not answer.
    return !anyWord(sql, [&](std::string_view word) {
        for (std::string_view changing : kChangingByThemselves)
            if (startsWithIgnoringCase(word, changing)) return true;
        for (const std::string& table : writtenTables_)
            if (word.size() == table.size() && startsWithIgnoringCase(word, table)) return true;
        return false;
    });
}

bool QueryResultCache::answer(const std::string& key, ResultSet& result) {
    if (!enabled_ || entries_.empty()) return false;
    const auto found = entries_.find(key);
    if (found == entries_.end()) return false;
    ++hits_;
    result = copyResult(found->second.result);
    return true;
}

void QueryResultCache::keep(std::string key, const std::string& sql, const ResultSet& result) {
    if (!enabled_ || result.rows.size() > kLargestKeptResult || !keepable(sql)) return;
    ResultSet copy = copyResult(result);
    // The key, the text (twice: the key holds it too), the columns' descriptions and the rows.
    const size_t bytes = 2 * key.size() + sql.size() + copy.fields.size() * sizeof(FieldInfo) +
                         copy.rows.bytes() + 128;
    if (bytes_ + bytes > kMostBytesKept) clear();
    bytes_ += bytes;
    entries_.insert_or_assign(std::move(key), Entry{sql, std::move(copy)});
}

void QueryResultCache::tableWritten(const std::string& table) {
    if (!enabled_) return;
    // A table named with its schema ("skup.T") is read under its own name as well.
    std::string name = toUpper(table);
    if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(0, dot + 1);
    // Once a table is known as written, no kept answer names it: the next row costs nothing.
    for (const std::string& written : writtenTables_)
        if (written == name) return;
    writtenTables_.push_back(name);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (namesWord(entry->second.sql, name))
            entry = entries_.erase(entry);
        else
            ++entry;
    }
}

void QueryResultCache::clear() {
    entries_.clear();
    bytes_ = 0;
}

} // namespace orv
