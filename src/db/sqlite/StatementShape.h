#pragma once
// The shape of a statement: its text with every literal taken out.
//
// The program splices contract numbers, accounts and dates into its statements, so nearly every
// text it runs is new. Statements of one shape differ only in their literals; translating the
// shape once and binding the literals as parameters lets them all share one translation and one
// prepared statement, which is what makes thousands of lookups per second possible.

#include "db/sqlite/dialect/Dialect.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sqlite {

struct StatementShape {
    /// The text with each literal replaced by a marker of its kind. The empty text '' stays as
    /// it is: the bank's database reads it as NULL, which changes the statement.
    std::string key;
    /// The literals, in the order they stand in the text.
    std::vector<SharedLiteral> literals;
    /// The text with literal number i replaced by a sentinel that names i (see sentinel*).
    std::string sentinelText;
};

/// Scans a statement; empty when it cannot be scanned (an unterminated text or comment), in
/// which case the statement is translated as it stands and its error reported from there.
/// The literals whose ordinals `keepInline` lists (ascending) stay in the key and the sentinel
/// text as written: a shape whose translation keeps those literals as text (a constant in a
/// CASE or a select list) is learned once for each of their values. They still count as
/// literals, so the ordinals of the others do not change.
std::optional<StatementShape> scanShape(std::string_view sql,
                                        const std::vector<size_t>& keepInline = {});

/// The ordinal of the literal that a translated literal stands for, when it is a sentinel.
std::optional<size_t> sentinelOrdinal(const SharedLiteral& literal);

/// True when translated SQL holds a sentinel inline (a literal that the translation kept as
/// text, so the translation depends on its value).
bool containsSentinel(std::string_view sql);

/// The ordinals of the sentinels that translated SQL holds inline, ascending and without repeats.
std::vector<size_t> inlineSentinels(std::string_view sql);

} // namespace orv::sqlite
