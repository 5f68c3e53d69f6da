#include "db/QueryResultCache.h"

#include "base/Besedilo.h"

#include <cstring>

namespace orv {

namespace {

// Lookups answer with a row or a few; a larger result is a listing, read once.
constexpr size_t kLargestKeptResult = 64;
// Past this many bytes of keys and statements the cache starts afresh, so that a long transfer
// over many distinct questions does not grow without bound.
constexpr size_t kMostBytesKept = 64u << 20;

// Words of statements whose answer changes without any write: the clock, sequences, chance.
constexpr const char* kChangingByThemselves[] = {"SYSDATE", "SYSTIMESTAMP", "CURRENT_",
                                                 "NEXTVAL", "CURRVAL",      "RANDOM"};

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

/// True when `name` stands in `text` as a whole word (both upper case).
bool namesWord(const std::string& text, const std::string& name) {
    auto wordChar = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
               c == '#' || static_cast<unsigned char>(c) >= 0x80;
    };
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const size_t end = at + name.size();
        if ((at == 0 || !wordChar(text[at - 1])) && (end == text.size() || !wordChar(text[end])))
            return true;
    }
    return false;
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

bool QueryResultCache::keepable(const std::string& upperSql) {
    for (const char* word : kChangingByThemselves)
        if (upperSql.find(word) != std::string::npos) return false;
    return true;
}

bool QueryResultCache::answer(const std::string& sql, const std::vector<BoundVariable>& variables,
                              ResultSet& result) {
    if (!enabled_ || entries_.empty()) return false;
    const auto found = entries_.find(key(sql, variables));
    if (found == entries_.end()) return false;
    ++hits_;
    result = copyResult(found->second.result);
    return true;
}

void QueryResultCache::keep(const std::string& sql, const std::vector<BoundVariable>& variables,
                            const ResultSet& result) {
    if (!enabled_ || result.rows.size() > kLargestKeptResult) return;
    std::string upperSql = toUpper(sql);
    if (!keepable(upperSql)) return;
    for (const std::string& table : writtenTables_)
        if (namesWord(upperSql, table)) return;
    std::string entryKey = key(sql, variables);
    const size_t bytes = entryKey.size() + upperSql.size() + 64 * (result.rows.size() + 1);
    if (bytes_ + bytes > kMostBytesKept) clear();
    bytes_ += bytes;
    entries_.insert_or_assign(std::move(entryKey), Entry{std::move(upperSql), copyResult(result)});
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
