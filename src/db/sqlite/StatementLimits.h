#pragma once
// The bounds of a statement given to the bank: its length, its literals, its tokens and how
// deeply it nests.
//
// Reading a statement costs memory and time in proportion to its parts: tokens, a tree of
// them, a shape with its literals, a translation, SQLite's own parse. A statement far past
// what any user writes (an IN list of millions of values, a literal of a hundred megabytes,
// thousands of nested subqueries) is refused after one pass over its bytes, before any of
// that is built.

#include <cstddef>
#include <string_view>

namespace orv::sqlite {

/// The longest statement, in bytes.
inline constexpr size_t kMaxStatementBytes = 10u << 20;
/// The most literals (texts and numbers) one statement may hold.
inline constexpr size_t kMaxStatementLiterals = 100000;
/// The most tokens (names, literals, operators) one statement may hold.
inline constexpr size_t kMaxStatementTokens = 1000000;

/// Throws DatabaseError naming the bound when the statement is longer than kMaxStatementBytes,
/// holds more literals or tokens than allowed, or nests parentheses and CASE expressions deeper
/// than the dialect reads (kMaxNestingDepth). Linear in the statement's length; a statement too
/// short to pass any bound is not read at all. A text or comment left open ends the scan: the
/// tokenizer reports it.
void checkStatementLimits(std::string_view sql);

} // namespace orv::sqlite
